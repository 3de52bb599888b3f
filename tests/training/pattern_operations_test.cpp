// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_operations.h"

#include "entry_fields.h"
#include "pattern_grid.h"
#include "recording_views.h"
#include "test_network.h"

#include <gtest/gtest.h>

namespace {

class PatternOperations : public ::testing::Test {
protected:
    void SetUp() override {
        FreezeClock();
        PrepareStartUpNetwork(network);
    }
    void TearDown() override { RandomGenerator::SetClock({}); }

    // A network of `inputs` inputs and `outputs` outputs with its fields enabled.
    void Make(std::int32_t inputs, TRangoNeuronas outputs) {
        Configure(network, inputs, 2, outputs);
        state.RedCreada = true;
        EnableEntryFields(view, network);
    }
    void Add(double input1, double output1) {
        view.values[1] = input1;
        view.values[11] = output1;
        AddPattern(state, network, view);
    }

    TRedNeuronal network;
    WorkState state;
    RecordingDataTab view;
};

TEST_F(PatternOperations, AddAndDeleteAreRefusedWithoutNetworkButDeleteAllRuns) {
    view.values[1] = 7;
    view.patternNumber = 1;
    AddPattern(state, network, view);
    DeletePattern(state, network, view);
    EXPECT_EQ(view.writes, 0);
    EXPECT_EQ(view.grid.writes, 0);
    EXPECT_EQ(state.NumeroPatrones, 0);
    EXPECT_EQ(view.values[1], 7);

    view.label = "Patrón 5";
    DeleteAllPatterns(state, network, view);
    EXPECT_EQ(view.grid.rows, 2);
    EXPECT_EQ(view.label, "Patrón 1");
    // The start-up network has 2 inputs and 1 output.
    EXPECT_EQ(view.grid.numbers, (std::map<Cell, double>{{{1, 1}, 0.0}, {{2, 1}, 0.0}, {{3, 1}, 0.0}}));
}

TEST_F(PatternOperations, AddStoresEnabledFieldsOnlyAndResetsAllTwenty) {
    Make(2, 1);
    state.EntradasPatrones[1][3] = 4.5;  // left by an older pattern
    view.values = {};
    view.values[2] = 1;
    view.values[3] = 9;   // typed while enabled, now disabled
    view.values[11] = 1;
    view.values[12] = 9;
    view.patternNumber = 3;
    AddPattern(state, network, view);

    EXPECT_EQ(state.NumeroPatrones, 1);
    EXPECT_EQ(state.EntradasPatrones[1][1], 0.0);
    EXPECT_EQ(state.EntradasPatrones[1][2], 1.0);
    EXPECT_EQ(state.EntradasPatrones[1][3], 4.5);
    EXPECT_EQ(state.SalidasPatrones[1][1], 1.0);
    EXPECT_EQ(state.SalidasPatrones[1][2], 0.0);
    for (int field = 1; field <= 20; ++field) EXPECT_EQ(view.values[field], 0) << "field " << field;
    EXPECT_EQ(view.label, "Patrón 2");
    EXPECT_EQ(view.largestPatternNumber, 1);
    EXPECT_EQ(view.patternNumber, 0);
    EXPECT_EQ(view.grid.rows, 2);
    EXPECT_EQ(view.grid.columns, -1);
    EXPECT_TRUE(view.grid.texts.empty());
    EXPECT_EQ(view.grid.numbers, (std::map<Cell, double>{{{1, 1}, 0.0}, {{2, 1}, 1.0}, {{3, 1}, 1.0}}));
}

TEST_F(PatternOperations, AddClearsColumnsNoFieldCanType) {
    Make(12, 11);
    state.EntradasPatrones[1][11] = 3;
    state.SalidasPatrones[1][12] = 3;
    Add(0.5, 0.25);
    EXPECT_EQ(state.EntradasPatrones[1][11], 0.0);
    EXPECT_EQ(state.SalidasPatrones[1][12], 0.0);
    EXPECT_EQ(view.grid.numbers.at({12, 1}), 0.0);
    EXPECT_EQ(view.grid.numbers.at({13, 1}), 0.25);
}

TEST_F(PatternOperations, TableHoldsAHundredPatterns) {
    Make(1, 1);
    for (int p = 1; p <= 100; ++p) Add(p, -p);
    EXPECT_EQ(view.label, "Patrón 101");
    EXPECT_EQ(state.EntradasPatrones[100][1], 100.0);

    view.values[1] = 5;
    const int writes = view.writes;
    AddPattern(state, network, view);
    EXPECT_EQ(state.NumeroPatrones, 100);
    EXPECT_EQ(view.writes, writes);
    EXPECT_EQ(view.values[1], 5);
}

TEST_F(PatternOperations, DeleteMovesLaterPatternsUpAndRebuildsTheGrid) {
    Make(1, 1);
    for (int p = 1; p <= 4; ++p) Add(10 * p, p);
    view.grid = RecordingTable{};
    view.patternNumber = 2;
    DeletePattern(state, network, view);

    EXPECT_EQ(state.NumeroPatrones, 3);
    const double inputs[] = {0, 10, 30, 40, 40};  // row 4 keeps a copy of the old row 4
    const double outputs[] = {0, 1, 3, 4, 4};
    for (int p = 1; p <= 4; ++p) {
        EXPECT_EQ(state.EntradasPatrones[p][1], inputs[p]) << "row " << p;
        EXPECT_EQ(state.SalidasPatrones[p][1], outputs[p]) << "row " << p;
    }
    EXPECT_EQ(view.patternNumber, 0);
    EXPECT_EQ(view.largestPatternNumber, 3);
    EXPECT_EQ(view.label, "4");
    EXPECT_EQ(view.grid.columns, 3);
    EXPECT_EQ(view.grid.rows, 4);
    EXPECT_EQ(view.grid.texts,
              (std::map<Cell, std::string>{{{0, 0}, "Patrón"}, {{1, 0}, "Entrada 1"}, {{2, 0}, "Salida 1"}}));
    EXPECT_EQ(view.grid.numbers, (std::map<Cell, double>{{{1, 1}, 10.0}, {{2, 1}, 1.0}, {{1, 2}, 30.0},
                                                              {{2, 2}, 3.0}, {{1, 3}, 40.0}, {{2, 3}, 4.0}}));
}

TEST_F(PatternOperations, DeleteBeyondTheCountRemovesTheLastAndTheOnlyLeavesTheHeader) {
    Make(1, 1);
    Add(1, 1);
    Add(2, 2);
    view.patternNumber = 7;
    DeletePattern(state, network, view);
    EXPECT_EQ(state.NumeroPatrones, 1);
    EXPECT_EQ(state.EntradasPatrones[1][1], 1.0);
    EXPECT_EQ(state.EntradasPatrones[2][1], 2.0);

    view.patternNumber = 1;
    DeletePattern(state, network, view);
    EXPECT_EQ(state.NumeroPatrones, 0);
    EXPECT_EQ(view.grid.rows, 1);
    EXPECT_EQ(view.label, "1");

    Add(3, 3);
    EXPECT_EQ(view.grid.rows, 2);
    EXPECT_EQ(state.NumeroPatrones, 1);
}

TEST_F(PatternOperations, DeleteIsRefusedForNumbersBelowOneAndAnEmptyTable) {
    Make(1, 1);
    view.patternNumber = 1;
    DeletePattern(state, network, view);
    Add(1, 1);
    const int writes = view.writes;
    for (std::int32_t n : {0, -1}) {
        view.patternNumber = n;
        DeletePattern(state, network, view);
    }
    EXPECT_EQ(state.NumeroPatrones, 1);
    EXPECT_EQ(view.writes, writes);
}

TEST_F(PatternOperations, DeleteAllKeepsTableRowsAndThePatternNumberField) {
    Make(2, 1);
    Add(5, 6);
    view.patternNumber = 1;
    DeleteAllPatterns(state, network, view);
    EXPECT_EQ(state.NumeroPatrones, 0);
    EXPECT_EQ(state.EntradasPatrones[1][1], 5.0);
    EXPECT_EQ(view.patternNumber, 1);
    EXPECT_EQ(view.largestPatternNumber, 1);
    EXPECT_EQ(view.grid.numbers.at({1, 1}), 0.0);
    EXPECT_EQ(view.grid.numbers.at({3, 1}), 0.0);
}

TEST_F(PatternOperations, NewNetworkGridHasHeadersAndOneZeroRow) {
    Configure(network, 3, 2, 2);
    ResetPatternGrid(view.grid, network);
    EXPECT_EQ(view.grid.columns, 6);
    EXPECT_EQ(view.grid.rows, 2);
    EXPECT_EQ(view.grid.texts, (std::map<Cell, std::string>{{{0, 0}, "Patrón"},
                                                                 {{1, 0}, "Entrada 1"},
                                                                 {{2, 0}, "Entrada 2"},
                                                                 {{3, 0}, "Entrada 3"},
                                                                 {{4, 0}, "Salida 1"},
                                                                 {{5, 0}, "Salida 2"}}));
    EXPECT_EQ(view.grid.numbers.size(), 5u);
    for (const auto& [cell, value] : view.grid.numbers) {
        EXPECT_EQ(cell.second, 1);
        EXPECT_EQ(value, 0.0);
    }
}

TEST_F(PatternOperations, EntryFieldsFollowTheTopology) {
    struct Case { std::int32_t inputs; TRangoNeuronas outputs; };
    for (Case testCase : {Case{3, 2}, Case{1, 1}, Case{10, 10}, Case{32, 32}}) {
        Configure(network, testCase.inputs, 1, testCase.outputs);
        view.enabled.fill(testCase.inputs != 1);
        EnableEntryFields(view, network);
        for (int k = 1; k <= 10; ++k) {
            EXPECT_EQ(view.enabled[k], testCase.inputs >= k) << testCase.inputs << " inputs, field " << k;
            EXPECT_EQ(view.enabled[10 + k], testCase.outputs >= k) << +testCase.outputs << " outputs, field " << 10 + k;
        }
    }
}

TEST(WorkState, ClearingEmptiesTheTableButKeepsTheName) {
    WorkState state;
    state.RedCreada = true;
    state.NumeroPatrones = 3;
    state.EntradasPatrones[100][32] = 1;
    state.SalidasPatrones[1][1] = 1;
    state.NombreRed = "xor";
    ClearWorkState(state);
    EXPECT_FALSE(state.RedCreada);
    EXPECT_EQ(state.NumeroPatrones, 0);
    EXPECT_EQ(state.EntradasPatrones[100][32], 0.0);
    EXPECT_EQ(state.SalidasPatrones[1][1], 0.0);
    EXPECT_EQ(state.NombreRed, "xor");
}

}  // namespace
