// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_classes.h"

#include <gtest/gtest.h>

#include "confusion_matrix.h"
#include "network.h"
#include "program_error.h"
#include "test_network.h"

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using Rows = std::vector<std::vector<double>>;

// Rows 1.. of a table from the rows given, column 1 first.
std::int32_t Fill(PatternTable& table, const Rows& rows) {
    for (std::size_t p = 0; p < rows.size(); ++p)
        for (std::size_t k = 0; k < rows[p].size(); ++k) table[p + 1][k + 1] = rows[p][k];
    return static_cast<std::int32_t>(rows.size());
}

}  // namespace

TEST(PatternClasses, ClassesOnlyWhereTheExpectedOutputsLookLikeThem) {
    struct Case {
        std::int32_t outputs;
        Rows training, test;
        std::optional<ClassScheme> scheme;
    };
    const Case cases[] = {
        {3, {{1, 0, 0}, {0, 0, 1}, {0, 1, 0}}, {}, ClassScheme{3, false, 0, 0}},
        {2, {{0.9, 0.1}, {0.3, 0.6}}, {{0.2, 0.8}}, ClassScheme{2, false, 0, 0}},
        {3, {{0.2, 0.7, 0.1}}, {}, ClassScheme{3, false, 0, 0}},  // soft targets still name a class
        {3, {{1, 0, 0}, {0, 1, 1}}, {}, std::nullopt},             // a row with two largest
        {3, {{1, 0, 0}}, {{0.5, 0.5, 0}}, std::nullopt},           // the test set's row too
        {2, {{0, 0}}, {}, std::nullopt},
        {2, {{kNaN, 1}}, {}, std::nullopt},
        {1, {{0}, {1}, {1}, {0}}, {}, ClassScheme{2, true, 0, 1}},
        {1, {{0.9}, {0.1}}, {{0.9}}, ClassScheme{2, true, 0.1, 0.9}},
        {1, {{1}, {-1}}, {}, ClassScheme{2, true, -1, 1}},
        {1, {{0}, {0.5}, {1}}, {}, std::nullopt},  // three values: a quantity, not classes
        {1, {{0}, {1}}, {{0.5}}, std::nullopt},
        {1, {{1}, {1}}, {}, std::nullopt},  // one value only
        {2, {}, {}, std::nullopt},
    };
    for (const Case& c : cases) {
        WorkState state;
        state.NumeroPatrones = Fill(state.SalidasPatrones, c.training);
        state.TestPatternCount = Fill(state.TestOutputs, c.test);
        const auto scheme = FindClasses(state, c.outputs);
        const auto name = ::testing::Message() << c.outputs << " outputs " << ::testing::PrintToString(c.training)
                                               << " test " << ::testing::PrintToString(c.test);
        ASSERT_EQ(scheme.has_value(), c.scheme.has_value()) << name;
        if (!scheme) continue;
        EXPECT_EQ(scheme->classes, c.scheme->classes) << name;
        EXPECT_EQ(scheme->oneOutput, c.scheme->oneOutput) << name;
        EXPECT_EQ(scheme->low, c.scheme->low) << name;
        EXPECT_EQ(scheme->high, c.scheme->high) << name;
    }
}

// A pattern's expected and obtained class: the largest output, the lower on
// a tie; for one output the side of the midpoint, the midpoint itself with
// the lower value; no class on an overflow.
TEST(PatternClasses, EachPatternGetsTheClassOfItsLargestOutputOrItsSide) {
    const ClassScheme three{3, false, 0, 0}, zeroOne{2, true, 0, 1}, signs{2, true, -1, 1}, tenths{2, true, 0.1, 0.9};
    struct Case {
        ClassScheme scheme;
        std::vector<double> expected, outputs;
        std::int32_t expectedClass, obtainedClass;
        bool correct;
    };
    const Case cases[] = {
        {three, {0, 0, 1}, {0.1, 0.18, 0.84}, 3, 3, true},
        {three, {0, 1, 0}, {0.1, 0.18, 0.84}, 2, 3, false},
        {three, {1, 0, 0}, {0.4, 0.4, 0.2}, 1, 1, true},    // a tie: the lower output
        {three, {0, 1, 0}, {0.2, kNaN, 0.6}, 2, 0, false},  // an overflow: no class
        {zeroOne, {0}, {0.49}, 1, 1, true},
        {zeroOne, {0}, {0.5}, 1, 1, true},  // exactly the midpoint: the lower value
        {zeroOne, {1}, {0.5}, 2, 1, false},
        {zeroOne, {1}, {0.5000000000000001}, 2, 2, true},
        {zeroOne, {1}, {kNaN}, 2, 0, false},
        {signs, {-1}, {0.0}, 1, 1, true},
        {signs, {1}, {-0.0}, 2, 1, false},
        {tenths, {0.9}, {0.51}, 2, 2, true},
        {tenths, {0.1}, {0.5}, 1, 1, true},
        {tenths, {0.5}, {0.5}, 0, 1, false},  // a value the scheme does not name
    };
    for (const Case& c : cases) {
        const PatternClass got = ClassOf(c.scheme, c.expected, c.outputs);
        const auto name = ::testing::Message() << ::testing::PrintToString(c.expected) << " → "
                                               << ::testing::PrintToString(c.outputs);
        EXPECT_EQ(got.expected, c.expectedClass) << name;
        EXPECT_EQ(got.obtained, c.obtainedClass) << name;
        EXPECT_EQ(got.Correct(), c.correct) << name;
    }
}

TEST(PatternClasses, TallyTextGivesTheShareWithOneDecimal) {
    struct Case {
        ClassTally tally;
        char separator;
        std::string text;
    };
    const Case cases[] = {
        {{97, 99}, ',', "97 de 99 bien clasificados (98,0 %)"},
        {{92, 99}, '.', "92 de 99 bien clasificados (92.9 %)"},
        {{99, 99}, ',', "99 de 99 bien clasificados (100,0 %)"},
        {{2, 3}, ',', "2 de 3 bien clasificados (66,7 %)"},
        {{0, 4}, ',', "0 de 4 bien clasificados (0,0 %)"},
        {{0, 0}, ',', "0 de 0 bien clasificados"},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassTallyText(c.tally, c.separator), c.text);
}

TEST(PatternClasses, ClassIsNamedByItsOutputOrItsValue) {
    WorkState state;
    state.OutputNames = {"setosa", "", "virginica"};
    struct Case {
        ClassScheme scheme;
        std::int32_t c;
        std::string name;
    };
    const Case cases[] = {
        {{3, false, 0, 0}, 1, "setosa"},
        {{3, false, 0, 0}, 2, "Salida 2"},
        {{3, false, 0, 0}, 3, "virginica"},
        {{2, true, 0.1, 0.9}, 1, "setosa = 0,1"},
        {{2, true, 0.1, 0.9}, 2, "setosa = 0,9"},
    };
    for (const Case& c : cases) EXPECT_EQ(ClassName(c.scheme, state, c.c, ','), c.name);
}

// The confusion matrix of each set against a count made by hand from
// Propagar's outputs, with overflows counted apart.
TEST(PatternClasses, ConfusionCountsAgreeWithPropagar) {
    struct Case {
        std::int32_t inputs, hidden, outputs;
        TFuncionTransferencia function;
        bool overflow;  // hidden neuron 1 overflows for the patterns whose first input is negative
    };
    const Case cases[] = {
        {4, 8, 3, ftSigmoide, false},
        {3, 5, 4, ftTangenteHiperbolica, false},
        {2, 3, 1, ftSigmoide, false},
        {5, 6, 2, ftSigmoide, true},
        {2, 4, 1, ftTangenteHiperbolica, true},
    };
    FreezeClock();
    std::mt19937 random(32);
    std::uniform_real_distribution<double> weight(-3.0, 3.0), input(-1.0, 1.0);
    for (const Case& c : cases) {
        TRedNeuronal network;
        Configure(network, c.inputs, static_cast<TRangoNeuronas>(c.hidden), static_cast<TRangoNeuronas>(c.outputs),
                  c.function);
        for (TCapaNeuronal* layer : {&network.CapaOculta, &network.CapaSalida})
            for (int j = 1; j <= layer->NumeroNeuronas(); ++j)
                for (std::size_t k = 0; k <= static_cast<std::size_t>(layer->NumeroEntradas()); ++k)
                    layer->Neuronas[j].Pesos[k] = weight(random);
        if (c.overflow) network.CapaOculta.Neuronas[1].Pesos[1] = 2000.0;
        const std::int32_t classes = c.outputs == 1 ? 2 : c.outputs;
        WorkState state;
        // Each pattern's class drawn, its expected row naming it: one-hot, or 0.1/0.9 for one output;
        // then the count by hand of the class Propagar gives.
        const auto fillAndCount = [&](PatternTable& inputs, PatternTable& outputs, std::int32_t count) {
            std::vector<std::int32_t> byHand(static_cast<std::size_t>(classes * (classes + 1)));
            for (std::size_t p = 1; p <= static_cast<std::size_t>(count); ++p) {
                for (int i = 1; i <= c.inputs; ++i) network.Entradas[i] = inputs[p][static_cast<std::size_t>(i)] = input(random);
                const int expected = std::uniform_int_distribution<int>(1, classes)(random);
                if (c.outputs == 1) outputs[p][1] = expected == 1 ? 0.1 : 0.9;
                else outputs[p][static_cast<std::size_t>(expected)] = 1.0;
                int obtained = 0;
                try {
                    network.Propagar();
                    obtained = c.outputs == 1 ? 1 + (network.SalidasObtenidas[1] > 0.5) : 1;
                    for (int k = 2; k <= c.outputs; ++k)
                        if (network.SalidasObtenidas[k] > network.SalidasObtenidas[obtained]) obtained = k;
                } catch (const ProgramError&) {
                }
                ++byHand[static_cast<std::size_t>((expected - 1) * (classes + 1) + obtained)];
            }
            return byHand;
        };
        state.NumeroPatrones = 90;
        state.TestPatternCount = 30;
        const auto trainingCounts = fillAndCount(state.EntradasPatrones, state.SalidasPatrones, state.NumeroPatrones);
        const auto testCounts = fillAndCount(state.TestInputs, state.TestOutputs, state.TestPatternCount);
        const auto scheme = FindClasses(state, c.outputs);
        ASSERT_TRUE(scheme.has_value());
        for (const auto& [set, byHand] : {std::pair{TrainingPatterns(state), trainingCounts}, std::pair{TestPatterns(state), testCounts}}) {
            const auto patternClasses = ClassifySet(TakeSnapshot(network), *scheme, set);
            const ConfusionMatrix matrix = CountConfusion(*scheme, patternClasses);
            const auto name = ::testing::Message() << c.inputs << "-" << c.hidden << "-" << c.outputs << " set of "
                                                   << set.count;
            EXPECT_EQ(matrix.counts, byHand) << name;
            std::int32_t correct = 0, overflows = 0;
            for (std::int32_t e = 1; e <= classes; ++e) correct += matrix.Count(e, e), overflows += matrix.Count(e, 0);
            EXPECT_EQ(TallyClasses(patternClasses).correct, correct) << name;
            // Not a vacuous count: right and wrong patterns both, and overflows where planted.
            EXPECT_GT(correct, 0) << name;
            EXPECT_LT(correct, set.count) << name;
            EXPECT_EQ(overflows > 0, c.overflow) << name;
        }
    }
}
