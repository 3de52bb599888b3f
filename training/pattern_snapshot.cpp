// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_snapshot.h"

#include <cstring>

namespace {

// The members of one set, read or written alike.
template <typename State>
auto Members(State& state, PatternSetKind set) {
    struct Parts {
        decltype((state.NumeroPatrones)) count;
        decltype((state.EntradasPatrones)) inputs;
        decltype((state.SalidasPatrones)) outputs;
    };
    if (set == PatternSetKind::Test) return Parts{state.TestPatternCount, state.TestInputs, state.TestOutputs};
    return Parts{state.NumeroPatrones, state.EntradasPatrones, state.SalidasPatrones};
}

}  // namespace

PatternSnapshot TakePatternSnapshot(const WorkState& state, PatternSetKind set) {
    const auto parts = Members(state, set);
    return {parts.count, parts.inputs, parts.outputs};
}

void RestorePatternSnapshot(WorkState& state, PatternSetKind set, const PatternSnapshot& snapshot) {
    const auto parts = Members(state, set);
    parts.count = snapshot.count;
    parts.inputs = snapshot.inputs;
    parts.outputs = snapshot.outputs;
}

bool SameBits(const PatternSnapshot& a, const PatternSnapshot& b) {
    // The tables are plain arrays of doubles with no padding.
    return a.count == b.count && std::memcmp(&a.inputs, &b.inputs, sizeof a.inputs) == 0 &&
           std::memcmp(&a.outputs, &b.outputs, sizeof a.outputs) == 0;
}
