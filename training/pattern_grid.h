// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Layout of the pattern grid: column 0 labels the rows, columns 1..n hold the
// inputs and n+1..n+m the expected outputs; row 0 is the header, row p shows
// pattern p. The table is the authority and the grid only a view of it, so
// every operation writes the grid explicitly.

#include "number_table_view.h"
#include "pattern_set.h"
#include "work_state.h"

#include <cstdint>

class TRedNeuronal;

// The header row: "Patrón", then each input's and each output's name
// (InputName, OutputName: "Entrada i", "Salida k" unless named).
void WritePatternHeader(NumberTableView& grid, const WorkState& state, std::int32_t inputs, std::int32_t outputs);

// Grid row p from table row p.
void WritePatternRow(NumberTableView& grid, const WorkState& state, std::int32_t p,
                        std::int32_t inputs, std::int32_t outputs, PatternSetKind set = PatternSetKind::Training);

// A new network: columns and the default header of its topology, one data
// row of zeros.
void ResetPatternGrid(NumberTableView& grid, const TRedNeuronal& network);

// After a delete or a load: columns and header of the network's topology and
// one row per pattern in the table (only the header when there is none).
void RebuildPatternGrid(NumberTableView& grid, const WorkState& state, const TRedNeuronal& network, PatternSetKind set = PatternSetKind::Training);
