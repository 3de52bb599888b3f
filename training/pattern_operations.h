// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three buttons of the data-entry tab that change the pattern table:
// "Añadir Patrón", "Eliminar Patrón Nº" and "Eliminar Todos los Patrones".
// A refused operation does nothing and says nothing. Each works on the set
// the tab shows, the training table unless told.

#include "pattern_set.h"
#include "work_state.h"

class TRedNeuronal;
class DataTabView;

// Appends the pattern typed into the enabled fields, then zeroes all twenty.
// Refused with no network or a full table.
void AddPattern(WorkState& state, const TRedNeuronal& network, DataTabView& view, PatternSetKind set = PatternSetKind::Training);

// Deletes the pattern whose number is in the pattern-number field; later
// patterns move up one row. A number above the count removes the last one.
// Refused with no network, no patterns or a number of 0 or less.
void DeletePattern(WorkState& state, const TRedNeuronal& network, DataTabView& view, PatternSetKind set = PatternSetKind::Training);

// Empties the table (its rows keep their contents) and leaves one zero row in
// the grid. Runs even before a network exists.
void DeleteAllPatterns(WorkState& state, const TRedNeuronal& network, DataTabView& view, PatternSetKind set = PatternSetKind::Training);
