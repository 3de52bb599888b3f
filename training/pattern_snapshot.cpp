// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_snapshot.h"

#include <cstring>

PatternSnapshot TakePatternSnapshot(const WorkState& state, PatternSetKind set) {
    const auto parts = SetMembers(state, set);
    return {parts.count, parts.inputs, parts.outputs};
}

void RestorePatternSnapshot(WorkState& state, PatternSetKind set, const PatternSnapshot& snapshot) {
    const auto parts = SetMembers(state, set);
    parts.count = snapshot.count;
    parts.inputs = snapshot.inputs;
    parts.outputs = snapshot.outputs;
}

bool SameBits(const PatternSnapshot& a, const PatternSnapshot& b) {
    // The tables are plain arrays of doubles with no padding.
    return a.count == b.count && std::memcmp(&a.inputs, &b.inputs, sizeof a.inputs) == 0 &&
           std::memcmp(&a.outputs, &b.outputs, sizeof a.outputs) == 0;
}
