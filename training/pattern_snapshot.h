// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A set of patterns of the working state copied whole, to put back bit for
// bit: its count and both tables, the rows past the count included (an add
// reuses a row's columns past the tenth). Undo and redo are made of these.

#include "pattern_set.h"
#include "work_state.h"

#include <cstdint>

struct PatternSnapshot {
    std::int32_t count = 0;
    PatternTable inputs{};
    PatternTable outputs{};
};

PatternSnapshot TakePatternSnapshot(const WorkState& state, PatternSetKind set);

// The set becomes the snapshot, count and tables.
void RestorePatternSnapshot(WorkState& state, PatternSetKind set, const PatternSnapshot& snapshot);

// Whether two snapshots hold the same count and the same bits in every cell
// (0 and -0 differ, as a file or an export would tell them apart).
bool SameBits(const PatternSnapshot& a, const PatternSnapshot& b);
