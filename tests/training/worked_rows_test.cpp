// SPDX-License-Identifier: GPL-3.0-or-later
// The worked step laid out for reading: every value shown is the step's own,
// bit for bit; every worked line is made of its row's own factors; every
// column is explained.
#include "worked_rows.h"

#include "test_network.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <vector>

namespace {

struct Shape {
    std::int32_t inputs;
    TRangoNeuronas hidden, outputs;
    TFuncionTransferencia function;
};

class WorkedRowsTest : public ::testing::TestWithParam<Shape> {
protected:
    void SetUp() override {
        FreezeClock();
        const Shape shape = GetParam();
        Configure(network_, shape.inputs, shape.hidden, shape.outputs, shape.function);
        RandomGenerator::SetClock({});
        for (std::int32_t k = 1; k <= shape.inputs; ++k) network_.Entradas[k] = 0.37 * k - 0.5;
        for (int i = 1; i <= shape.outputs; ++i) network_.SalidasEsperadas[i] = i % 2 ? 0.9 : -0.2;
        snapshot_ = TakeSnapshot(network_);
        step_ = ComputeWorkedStep(snapshot_, std::span(network_.Entradas).subspan(1),
                                  std::span(network_.SalidasEsperadas).subspan(1));
        tables_ = WorkedRows(step_, ',');
    }

    TRedNeuronal network_;
    NetworkSnapshot snapshot_;
    WorkedStep step_;
    std::vector<WorkedTable> tables_;
};

// The values of some terms, in order.
std::vector<double> Values(const std::vector<WorkedTerm>& terms) {
    std::vector<double> values;
    for (const WorkedTerm& t : terms)
        if (t.kind != WorkedTerm::Kind::Text) values.push_back(t.value);
    return values;
}

void ExpectSameBits(const std::vector<double>& shown, const std::vector<double>& expected, const std::string& where) {
    ASSERT_EQ(shown.size(), expected.size()) << where;
    for (std::size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(shown[i]), std::bit_cast<std::uint64_t>(expected[i]))
            << where << ", value " << i << ": " << shown[i] << " against " << expected[i];
}

const WorkedTable& Phase(const std::vector<WorkedTable>& tables, WorkedPhase phase) {
    for (const WorkedTable& table : tables)
        if (table.phase == phase) return table;
    throw std::logic_error("no such phase");
}

}  // namespace

TEST_P(WorkedRowsTest, ShowTheStepsOwnValuesInTeachingOrder) {
    const bool tangent = step_.function == ftTangenteHiperbolica;
    std::vector<std::vector<double>> forward;
    for (double x : step_.inputs) forward.push_back({x});
    for (const auto* layer : {&step_.hidden, &step_.output})
        for (std::size_t j = 0; j < layer->size(); ++j) {
            const ForwardValues& v = (*layer)[j];
            std::vector<double> row{v.sum};
            if (tangent) row.push_back(v.expPlus);
            if (step_.learns) row.push_back(v.expMinus);
            row.push_back(v.output);
            if (layer == &step_.output) row.push_back(std::fabs(step_.expected[j] - v.output));
            forward.push_back(row);
        }
    const WorkedTable& first = Phase(tables_, WorkedPhase::Forward);
    ASSERT_EQ(first.rows.size(), forward.size());
    for (std::size_t r = 0; r < forward.size(); ++r)
        ExpectSameBits(Values(first.rows[r].cells), forward[r], "forward row " + std::to_string(r));
    ASSERT_EQ(tables_.size(), step_.learns ? 4U : 1U);
    if (!step_.learns) return;

    const WorkedTable& deltas = Phase(tables_, WorkedPhase::Deltas);
    ASSERT_EQ(deltas.rows.size(), step_.outputDeltas.size() + step_.hiddenDeltas.size());
    for (std::size_t r = 0; r < deltas.rows.size(); ++r) {
        const bool output = r < step_.outputDeltas.size();
        const DeltaValues& d = output ? step_.outputDeltas[r] : step_.hiddenDeltas[r - step_.outputDeltas.size()];
        EXPECT_EQ(deltas.rows[r].cells[0].text, output ? "Salida " + std::to_string(r + 1)
                                                       : "Oculta " + std::to_string(r + 1 - step_.outputDeltas.size()));
        ExpectSameBits(Values(deltas.rows[r].cells), {d.derivative, d.error, d.delta}, "delta row " + std::to_string(r));
    }
    // The output layer's weights, then the hidden layer's, as the step lists them.
    std::size_t next = 0;
    for (WorkedPhase phase : {WorkedPhase::OutputWeights, WorkedPhase::HiddenWeights})
        for (const WorkedRow& row : Phase(tables_, phase).rows) {
            const WeightChange& c = step_.weights.at(next++);
            ExpectSameBits(Values(row.cells), {c.oldWeight, c.input, c.change, c.newWeight},
                           row.cells[0].text + " w" + std::to_string(c.index));
        }
    EXPECT_EQ(next, step_.weights.size());
}

TEST_P(WorkedRowsTest, WorkEachDeltaAndWeightOutOfItsOwnFactors) {
    if (!step_.learns) {
        // Nothing to work out: no deltas, and no forward row claims a computation.
        ASSERT_EQ(tables_.size(), 1U);
        for (const WorkedRow& row : tables_[0].rows) EXPECT_TRUE(row.line.empty());
        return;
    }
    const WorkedTable& deltas = Phase(tables_, WorkedPhase::Deltas);
    const std::size_t outputs = step_.outputDeltas.size();
    for (std::size_t r = 0; r < deltas.rows.size(); ++r) {
        const WorkedRow& row = deltas.rows[r];
        ASSERT_FALSE(row.line.empty());
        EXPECT_EQ(row.line.front().text.rfind(row.cells[0].text + ": ", 0), 0U) << row.line.front().text;
        if (r < outputs) {
            const DeltaValues& d = step_.outputDeltas[r];
            ExpectSameBits(Values(row.line), {d.derivative, d.error, d.delta}, "output delta line");
            continue;
        }
        // Σ δ·w over the outputs, with each output's weight on this hidden neuron from before the step.
        const std::size_t j = r - outputs;
        std::vector<double> expected;
        for (std::size_t i = 0; i < outputs; ++i)
            expected.insert(expected.end(), {step_.outputDeltas[i].delta, snapshot_.outputWeights[i][j + 1]});
        const DeltaValues& d = step_.hiddenDeltas[j];
        expected.insert(expected.end(), {d.error, d.derivative, d.error, d.delta});
        ExpectSameBits(Values(row.line), expected, "hidden delta line " + std::to_string(j + 1));
    }
    std::size_t next = 0;
    for (WorkedPhase phase : {WorkedPhase::OutputWeights, WorkedPhase::HiddenWeights})
        for (const WorkedRow& row : Phase(tables_, phase).rows) {
            const WeightChange& c = step_.weights.at(next++);
            const auto& neuronDeltas = c.layer == StepLayer::Output ? step_.outputDeltas : step_.hiddenDeltas;
            const double delta = neuronDeltas[static_cast<std::size_t>(c.neuron - 1)].delta;
            ExpectSameBits(Values(row.line), {kLearningRate, delta, c.input, c.change, c.oldWeight, c.change, c.newWeight},
                           "weight line " + std::to_string(next));
        }
}

TEST_P(WorkedRowsTest, ExplainEveryColumnAndKeyEveryTable) {
    for (const WorkedTable& table : tables_) {
        EXPECT_FALSE(table.key.empty()) << table.title;
        EXPECT_EQ(table.key.find('\n'), std::string::npos) << table.title;
        for (const WorkedColumn& column : table.columns) EXPECT_FALSE(column.tip.empty()) << column.header;
        for (const WorkedRow& row : table.rows) EXPECT_EQ(row.cells.size(), table.columns.size()) << table.title;
    }
    // The bias convention is stated where w0 first appears.
    const WorkedTable& forward = Phase(tables_, WorkedPhase::Forward);
    EXPECT_NE(forward.columns[1].tip.find("x0 = −1"), std::string::npos);
    EXPECT_NE(forward.key.find("x0 = −1"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Shapes, WorkedRowsTest,
                         ::testing::Values(Shape{1, 1, 1, ftSigmoide}, Shape{2, 2, 1, ftSigmoide},
                                           Shape{2, 4, 2, ftTangenteHiperbolica}, Shape{3, 2, 3, ftSigmoide},
                                           Shape{2, 3, 2, ftIdentidad}),
                         [](const ::testing::TestParamInfo<Shape>& info) {
                             const Shape& s = info.param;
                             return std::to_string(s.inputs) + "_" + std::to_string(s.hidden) + "_" +
                                    std::to_string(s.outputs) +
                                    (s.function == ftSigmoide              ? "_sigmoid"
                                     : s.function == ftTangenteHiperbolica ? "_tangent"
                                                                           : "_identity");
                         });

// With another η, and with momentum, the weight tables show the step's own
// η and α, and each weight's line works α·Δw′ out of the previous change.
struct Learning {
    double rate, momentum;
    const char* shown;  // what the headers and keys say is in use
};

class WorkedRowsLearningTest : public ::testing::TestWithParam<Learning> {};

TEST_P(WorkedRowsLearningTest, ShowTheRateAndMomentumInUse) {
    const Learning learning = GetParam();
    FreezeClock();
    TRedNeuronal network;
    Configure(network, 2, 2, 1, ftSigmoide);
    RandomGenerator::SetClock({});
    network.SetLearning({learning.rate, learning.momentum});
    network.Entradas[1] = 0.3;
    network.Entradas[2] = -0.6;
    network.SalidasEsperadas[1] = 0.9;
    // One step first, so that every weight has a previous change.
    network.EntrenarPatron();
    const NetworkSnapshot snapshot = TakeSnapshot(network);
    const WorkedStep step = ComputeWorkedStep(snapshot, std::span(network.Entradas).subspan(1, 2),
                                              std::span(network.SalidasEsperadas).subspan(1, 1));
    const bool momentum = learning.momentum != 0.0;
    std::size_t next = 0;
    for (const WorkedTable& table : WorkedRows(step, ',')) {
        if (table.phase != WorkedPhase::OutputWeights && table.phase != WorkedPhase::HiddenWeights) continue;
        EXPECT_NE(table.key.find(learning.shown), std::string::npos) << table.key;
        EXPECT_NE(table.columns.at(momentum ? 5 : 4).header.find(learning.shown), std::string::npos);
        EXPECT_EQ(table.columns.size(), momentum ? 7U : 6U);
        for (const WorkedRow& row : table.rows) {
            const WeightChange& c = step.weights.at(next++);
            const auto& deltas = c.layer == StepLayer::Output ? step.outputDeltas : step.hiddenDeltas;
            const double delta = deltas[static_cast<std::size_t>(c.neuron - 1)].delta;
            if (momentum) {
                EXPECT_NE(c.previousChange, 0.0);
                ExpectSameBits(Values(row.cells), {c.oldWeight, c.input, c.momentumTerm, c.change, c.newWeight},
                               "weight cells " + std::to_string(next));
                ExpectSameBits(Values(row.line),
                               {learning.momentum, c.previousChange, c.momentumTerm, learning.rate, delta, c.input,
                                c.momentumTerm, c.change, c.oldWeight, c.change, c.newWeight},
                               "weight line " + std::to_string(next));
            } else {
                ExpectSameBits(Values(row.line),
                               {learning.rate, delta, c.input, c.change, c.oldWeight, c.change, c.newWeight},
                               "weight line " + std::to_string(next));
            }
        }
    }
    EXPECT_EQ(next, step.weights.size());
}

INSTANTIATE_TEST_SUITE_P(RatesAndMomenta, WorkedRowsLearningTest,
                         ::testing::Values(Learning{0.35, 0.0, "η = 0,35"}, Learning{0.1, 0.0, "η = 0,1"},
                                           Learning{2.0, 0.5, "η = 2, α = 0,5"},
                                           Learning{0.05, 0.9, "η = 0,05, α = 0,9"}));
