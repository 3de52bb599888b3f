// SPDX-License-Identifier: GPL-3.0-or-later
// What the working state counts as unsaved: training leaves the weights
// unsaved, a load leaves saved what it took; and a set of patterns copied
// whole comes back bit for bit.

#include "file_test_helpers.h"
#include "network_files.h"
#include "pattern_snapshot.h"
#include "recording_views.h"
#include "ren_file.h"
#include "rna_file.h"
#include "test_network.h"
#include "tick_counter.h"
#include "training_run.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TEST(UnsavedWork, OnlyTrainingThatRanLeavesTheWeightsUnsaved) {
    const struct {
        const char* name;
        std::int32_t patterns;
        bool workedStep;
        bool weights;
    } cases[] = {
        {"run", 1, false, true},
        {"run refused, empty table", 0, false, false},
        {"worked step", 1, true, true},
        {"worked step on a pattern not in the table", 0, true, false},
    };
    FreezeClock();
    TickCounter::SetCounter([] { return 0u; });
    for (const auto& c : cases) {
        TRedNeuronal network;
        ConfigureMirror(network);
        WorkState state;
        state.RedCreada = true;
        state.NumeroPatrones = c.patterns;
        state.EntradasPatrones[1][1] = 0.25;
        state.SalidasPatrones[1][1] = 0.5;
        RecordingTrainingTab view;
        if (c.workedStep)
            ApplyWorkedStep(state, network, 1, ComputeWorkedStepOnPattern(state, network, 1), view);
        else
            Train(state, network, view);
        EXPECT_EQ(state.unsaved.weights, c.weights) << c.name;
        EXPECT_FALSE(state.unsaved.patterns) << c.name;
    }
    RandomGenerator::SetClock({});
    TickCounter::SetCounter({});
}

TEST(UnsavedWork, LoadLeavesSavedWhatItTook) {
    const struct {
        const char* name;
        const char* file;
        bool companion;
        bool patterns;  // unsaved after the load, when they were before
    } cases[] = {
        {"untrained file", "red.rna", false, false},
        {"trained file with its patterns", "red.ren", true, false},
        {"trained file alone", "red.ren", false, true},
    };
    for (const auto& c : cases) {
        TemporaryFolder folder;
        WriteBytes(folder.Path("red.ren"), "1\r\n1\r\n1\r\n0\r\n0\r\n1\r\n2\r\n3\r\n4\r\n");
        if (c.companion || std::string(c.file) == "red.rna")
            WriteBytes(folder.Path("red.rna"), "1\r\n1\r\n1\r\n0\r\n0\r\n1\r\n5\r\n6\r\n");
        TRedNeuronal network;
        PrepareStartUpNetwork(network);
        WorkState state;
        state.unsaved = {.patterns = true, .weights = true};
        const std::string path = folder.Path(c.file);
        ApplyDescription(std::string(c.file) == "red.rna" ? ReadRna(path) : ReadRen(path), network, state);
        EXPECT_FALSE(state.unsaved.weights) << c.name;
        EXPECT_EQ(state.unsaved.patterns, c.patterns) << c.name;
    }
}

TEST(PatternSnapshot, EachSetComesBackBitForBit) {
    for (const PatternSet set : {PatternSet::Training, PatternSet::Test}) {
        WorkState state;
        auto& count = set == PatternSet::Training ? state.NumeroPatrones : state.TestPatternCount;
        auto& inputs = set == PatternSet::Training ? state.EntradasPatrones : state.TestInputs;
        auto& outputs = set == PatternSet::Training ? state.SalidasPatrones : state.TestOutputs;
        count = 2;
        inputs[1][1] = 0.30000000000000004;
        inputs[3][32] = 7;  // past the count, reused by the next add
        outputs[100][32] = -0.0;
        const PatternSnapshot taken = TakePatternSnapshot(state, set);
        const WorkState untouched = state;

        count = 5;
        inputs[1][1] = 0.3;
        inputs[3][32] = 0;
        outputs[100][32] = 0.0;
        const PatternSnapshot changed = TakePatternSnapshot(state, set);
        EXPECT_FALSE(SameBits(taken, changed));
        RestorePatternSnapshot(state, set, taken);
        EXPECT_TRUE(SameBits(TakePatternSnapshot(state, set), taken));
        EXPECT_TRUE(std::signbit(outputs[100][32]));
        // The other set is not touched.
        const PatternSet other = set == PatternSet::Training ? PatternSet::Test : PatternSet::Training;
        EXPECT_TRUE(SameBits(TakePatternSnapshot(state, other), TakePatternSnapshot(untouched, other)));
    }
}

TEST(PatternSnapshot, SameBitsTellsEveryCellAndTheCountApart) {
    const PatternSnapshot base;
    const struct {
        const char* name;
        void (*change)(PatternSnapshot&);
    } cases[] = {
        {"count", [](PatternSnapshot& s) { s.count = 1; }},
        {"first input", [](PatternSnapshot& s) { s.inputs[1][1] = 1; }},
        {"last output", [](PatternSnapshot& s) { s.outputs[100][32] = 1; }},
        {"minus zero", [](PatternSnapshot& s) { s.outputs[1][1] = -0.0; }},
    };
    EXPECT_TRUE(SameBits(base, PatternSnapshot{}));
    for (const auto& c : cases) {
        PatternSnapshot changed;
        c.change(changed);
        EXPECT_FALSE(SameBits(base, changed)) << c.name;
    }
}

}  // namespace
