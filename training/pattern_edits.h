// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Changes to the pattern table beyond the three buttons: a cell edited in
// the grid, rows pasted from a spreadsheet, a CSV file imported, and the
// table's rows for an export. Each checks everything before it changes
// anything. Each works on the set the tab shows, the training table unless
// told; the limits and messages are the same for both.

#include "csv_patterns.h"
#include "pattern_set.h"
#include "work_state.h"

#include <cstdint>

class TRedNeuronal;
class DataTabView;
class NumberTableView;

// Grid cell (col, row) of a stored pattern takes `value`: inputs in columns
// 1..NumeroEntradas, expected outputs after them. False, and nothing
// changes, for a cell outside the stored patterns or with no network.
bool SetPatternValue(WorkState& state, const TRedNeuronal& network, std::int32_t col, std::int32_t row,
                     double value, NumberTableView& grid, PatternSetKind set = PatternSetKind::Training);

// Whether grid cell (col, row) belongs to a stored pattern.
bool IsPatternCell(const WorkState& state, const TRedNeuronal& network, std::int32_t col, std::int32_t row, PatternSetKind set = PatternSetKind::Training);

// Rows `first`, `first` + 1, … take the pasted rows; the table grows when
// they reach past its end. `first` lies in 1..NumeroPatrones + 1. Throws
// "Máximo número de patrones 100" when the rows would pass row 100.
void PastePatterns(WorkState& state, const TRedNeuronal& network, std::int32_t first, const PatternRows& rows,
                   DataTabView& view, PatternSetKind set = PatternSetKind::Training);

// The table becomes `rows`.
void ReplacePatterns(WorkState& state, const TRedNeuronal& network, const PatternRows& rows, DataTabView& view, PatternSetKind set = PatternSetKind::Training);

// The data-entry tab after the table changed as a whole (a paste, an
// import, an undo): the grid rebuilt, the caption naming the next pattern,
// the pattern-number field at 0 with the count as its maximum.
void ShowPatternTable(const WorkState& state, const TRedNeuronal& network, DataTabView& view, PatternSetKind set = PatternSetKind::Training);

// Patterns 1..NumeroPatrones, columns of the network's counts.
PatternRows StoredPatterns(const WorkState& state, const TRedNeuronal& network, PatternSetKind set = PatternSetKind::Training);
