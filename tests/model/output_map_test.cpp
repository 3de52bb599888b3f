// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_map.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "frozen_clock.h"
#include "network.h"
#include "program_error.h"

namespace {

// A network of the given shape whose weights are spread over ±scale, so that
// sums reach well into the flat parts of the functions.
void RandomNetwork(TRedNeuronal& network, int inputs, int hidden, int outputs, TFuncionTransferencia function,
                   double scale, std::mt19937& random) {
    PrepareStartUpNetwork(network);
    network.SetNumeroEntradas(inputs);
    network.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(hidden));
    network.SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(outputs));
    network.SetFuncionTransferencia(function);
    std::uniform_real_distribution<double> weight(-scale, scale);
    for (TCapaNeuronal* layer : {&network.CapaOculta, &network.CapaSalida})
        for (int j = 1; j <= layer->NumeroNeuronas(); ++j)
            for (std::size_t k = 0; k <= static_cast<std::size_t>(layer->NumeroEntradas()); ++k)
                layer->Neuronas[j].Pesos[k] = weight(random);
}

}  // namespace

TEST(OutputMap, ValueIsBitIdenticalToPropagarForEveryFunctionAndShape) {
    FrozenClock clock({8, 0, 0, 0});
    std::mt19937 random(15);
    std::uniform_real_distribution<double> input(-2.0, 2.0);
    const int shapes[][3] = {{1, 1, 1}, {2, 2, 1}, {2, 32, 1}, {3, 4, 2}, {32, 32, 32}};
    for (TFuncionTransferencia function : {ftSigmoide, ftTangenteHiperbolica, ftIdentidad}) {
        for (const auto& shape : shapes) {
            TRedNeuronal network;
            RandomNetwork(network, shape[0], shape[1], shape[2], function, 6.0, random);
            const NetworkSnapshot snapshot = TakeSnapshot(network);
            for (int trial = 0; trial < 20; ++trial) {
                std::vector<double> x(static_cast<std::size_t>(shape[0]));
                for (int i = 1; i <= shape[0]; ++i) network.Entradas[i] = x[static_cast<std::size_t>(i - 1)] = input(random);
                network.Propagar();
                for (int o = 1; o <= shape[2]; ++o) {
                    const double value = OutputValue(snapshot, o, x);
                    EXPECT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(network.SalidasObtenidas[o]))
                        << "function " << int(function) << " shape " << shape[0] << "-" << shape[1] << "-" << shape[2]
                        << " output " << o;
                }
            }
        }
    }
}

TEST(OutputMap, OverflowGivesNoValueWherePropagarThrows) {
    FrozenClock clock({8, 0, 0, 0});
    std::mt19937 random(3);
    TRedNeuronal network;
    RandomNetwork(network, 2, 2, 1, ftSigmoide, 1.0, random);
    network.CapaOculta.Neuronas[2].Pesos[1] = 1e300;
    network.Entradas[1] = -1e10;
    network.Entradas[2] = 0.5;
    EXPECT_THROW(network.Propagar(), ProgramError);
    const std::vector<double> x{-1e10, 0.5};
    EXPECT_TRUE(std::isnan(OutputValue(TakeSnapshot(network), 1, x)));
}

TEST(OutputMap, GridCellsAreTheValuesAtTheirCentresTopRowFirst) {
    FrozenClock clock({8, 0, 0, 0});
    std::mt19937 random(7);
    TRedNeuronal network;
    RandomNetwork(network, 2, 3, 2, ftTangenteHiperbolica, 3.0, random);
    const NetworkSnapshot snapshot = TakeSnapshot(network);
    std::vector<double> values;
    NeuronGrid(snapshot, {false, 2}, {-1.0, 3.0}, {0.0, 2.0}, 4, 2, values);
    ASSERT_EQ(values.size(), 8u);
    // Columns 1 wide centred at -0.5, 0.5, 1.5, 2.5; rows centred at y 1.5 (top), 0.5.
    const double centreX[] = {-0.5, 0.5, 1.5, 2.5};
    const double centreY[] = {1.5, 0.5};
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 4; ++column) {
            const std::vector<double> x{centreX[column], centreY[row]};
            EXPECT_EQ(values[static_cast<std::size_t>(row * 4 + column)], OutputValue(snapshot, 2, x))
                << row << "," << column;
        }
    EXPECT_NE(values[0], values[7]);
}

// Cells are computed four at a time, the rest of a row and any four holding
// an overflow one by one: every cell must still be bit for bit its own value.
TEST(OutputMap, GridMatchesEachCellsOwnPassWithTailsAndOverflows) {
    FrozenClock clock({8, 0, 0, 0});
    std::mt19937 random(11);
    for (TFuncionTransferencia function : {ftSigmoide, ftTangenteHiperbolica, ftIdentidad}) {
        for (int hidden : {1, 5, 32}) {
            TRedNeuronal network;
            RandomNetwork(network, 2, hidden, 1, function, 8.0, random);
            // Hidden neuron 1 overflows towards the edges of the plane only.
            network.CapaOculta.Neuronas[1].Pesos[1] = function == ftIdentidad ? 1.5e308 : 800.0;
            if (function == ftIdentidad) network.CapaSalida.Neuronas[1].Pesos[1] = 1e-300;
            const NetworkSnapshot snapshot = TakeSnapshot(network);
            std::vector<double> values;
            const int columns = 11, rows = 3;
            const AxisRange x{-1.5, 1.25}, y{-2.0, 2.5};
            NeuronGrid(snapshot, {false, 1}, x, y, columns, rows, values);
            int overflows = 0;
            for (int row = 0; row < rows; ++row)
                for (int column = 0; column < columns; ++column) {
                    const std::vector<double> point{x.low + (column + 0.5) * 0.25, y.high - (row + 0.5) * 1.5};
                    const double expected = OutputValue(snapshot, 1, point);
                    const double value = values[static_cast<std::size_t>(row * columns + column)];
                    overflows += std::isnan(expected);
                    EXPECT_EQ(std::bit_cast<std::uint64_t>(value), std::bit_cast<std::uint64_t>(expected))
                        << int(function) << " " << hidden << " cell " << row << "," << column;
                }
            EXPECT_GT(overflows, 0);
            EXPECT_LT(overflows, columns * rows / 2) << int(function) << " " << hidden;
        }
    }
}

// A hidden neuron's own map: each cell is that neuron's output in Propagar,
// four cells at a time and in a row's tail alike.
TEST(OutputMap, HiddenNeuronGridIsPropagarsHiddenOutputBitForBit) {
    FrozenClock clock({8, 0, 0, 0});
    std::mt19937 random(5);
    for (TFuncionTransferencia function : {ftSigmoide, ftTangenteHiperbolica}) {
        TRedNeuronal network;
        RandomNetwork(network, 2, 5, 2, function, 4.0, random);
        const NetworkSnapshot snapshot = TakeSnapshot(network);
        const int columns = 7, rows = 3;
        const AxisRange x{-1.0, 2.5}, y{-0.5, 1.0};
        for (int j : {1, 4}) {
            std::vector<double> values;
            NeuronGrid(snapshot, {true, j}, x, y, columns, rows, values);
            for (int row = 0; row < rows; ++row)
                for (int column = 0; column < columns; ++column) {
                    network.Entradas[1] = x.low + (column + 0.5) * 0.5;
                    network.Entradas[2] = y.high - (row + 0.5) * 0.5;
                    network.Propagar();
                    EXPECT_EQ(std::bit_cast<std::uint64_t>(values[static_cast<std::size_t>(row * columns + column)]),
                              std::bit_cast<std::uint64_t>(network.CapaOculta.Neuronas[j].Salida()))
                        << int(function) << " neuron " << j << " cell " << row << "," << column;
                }
        }
    }
}

TEST(OutputMap, AxisRangeCoversPatternsWithMarginAndUnitDataAtLeastTheUnitFrame) {
    struct Case {
        std::vector<double> values;
        double low, high;
    };
    const Case cases[] = {
        {{}, -0.1, 1.1},
        {{0.0, 1.0}, -0.1, 1.1},
        {{0.1, 0.9, 0.5}, -0.1, 1.1},
        {{0.0, 0.2}, -0.1, 1.1},
        {{-1.0, 1.0}, -1.2, 1.2},
        {{0.0, 10.0}, -1.0, 11.0},
        {{1.0, 2.0, 1.5}, 0.9, 2.1},
        {{3.0}, 2.5, 3.5},
        {{0.5}, -0.1, 1.1},
    };
    for (const Case& c : cases) {
        const AxisRange range = MapAxisRange(c.values);
        EXPECT_DOUBLE_EQ(range.low, c.low) << c.values.size();
        EXPECT_DOUBLE_EQ(range.high, c.high) << c.values.size();
    }
}

namespace {

// Propagar's answer at one cell of a plane: the neuron's output, NaN where
// Propagar throws; and the outputs, for the winning class.
struct PropagarCell {
    double value;
    std::vector<double> outputs;
};

PropagarCell PropagateAt(TRedNeuronal& network, MapNeuron neuron, const MapPlane& plane, double across, double up) {
    const int inputs = network.NumeroEntradas();
    for (int i = 1; i <= inputs; ++i) network.Entradas[i] = plane.held[static_cast<std::size_t>(i - 1)];
    network.Entradas[plane.across] = across;
    network.Entradas[plane.up] = up;
    PropagarCell cell{std::numeric_limits<double>::quiet_NaN(), {}};
    try {
        network.Propagar();
    } catch (const ProgramError&) {
        cell.outputs.assign(static_cast<std::size_t>(network.NeuronasCapaSalida()), cell.value);
        return cell;
    }
    cell.value = neuron.hidden ? network.CapaOculta.Neuronas[neuron.index].Salida() : network.SalidasObtenidas[neuron.index];
    for (int k = 1; k <= network.NeuronasCapaSalida(); ++k) cell.outputs.push_back(network.SalidasObtenidas[k]);
    return cell;
}

struct PlaneCase {
    int inputs, hidden, outputs;
    TFuncionTransferencia function;
    int across, up;
    MapNeuron neuron;
    double scale;
    bool overflow;  // hidden neuron 1 overflows towards the left of the plane
};

}  // namespace

// Any two inputs on the axes, the others held: each cell, four at a time or
// in a row's tail, and its winning output are Propagar's bit for bit.
TEST(OutputMap, PlaneOfAnyTwoInputsIsPropagarWithTheOthersHeld) {
    FrozenClock clock({8, 0, 0, 0});
    const PlaneCase cases[] = {
        {4, 8, 3, ftSigmoide, 1, 2, {false, 2}, 3.0, false},
        {4, 8, 3, ftSigmoide, 3, 1, {false, 3}, 3.0, false},
        {4, 8, 3, ftTangenteHiperbolica, 4, 2, {true, 5}, 3.0, false},
        {3, 5, 2, ftIdentidad, 2, 3, {false, 1}, 2.0, false},
        {7, 32, 4, ftTangenteHiperbolica, 6, 3, {false, 4}, 1.0, false},
        {32, 6, 32, ftSigmoide, 32, 17, {false, 32}, 1.0, false},
        {5, 3, 3, ftSigmoide, 2, 5, {false, 1}, 3.0, true},
        {4, 6, 2, ftTangenteHiperbolica, 4, 3, {false, 2}, 3.0, true},
        {2, 4, 3, ftSigmoide, 2, 1, {false, 3}, 3.0, false},
    };
    std::mt19937 random(21);
    std::uniform_real_distribution<double> value(-2.0, 2.0);
    for (const PlaneCase& c : cases) {
        TRedNeuronal network;
        RandomNetwork(network, c.inputs, c.hidden, c.outputs, c.function, c.scale, random);
        if (c.overflow) network.CapaOculta.Neuronas[1].Pesos[static_cast<std::size_t>(c.across)] = 800.0;
        const NetworkSnapshot snapshot = TakeSnapshot(network);
        MapPlane plane{c.across, c.up, {}};
        for (int i = 0; i < c.inputs; ++i) plane.held.push_back(value(random));
        const int columns = 11, rows = 5;
        const AxisRange x{-2.5, 1.5}, y{-1.0, 3.0};
        std::vector<double> values;
        std::vector<std::uint8_t> classes;
        NeuronGrid(snapshot, c.neuron, plane, x, y, columns, rows, values);
        ClassGrid(snapshot, plane, x, y, columns, rows, classes);
        ASSERT_EQ(values.size(), std::size_t{columns * rows});
        ASSERT_EQ(classes.size(), std::size_t{columns * rows});
        const auto name = ::testing::Message() << c.inputs << "-" << c.hidden << "-" << c.outputs << " axes "
                                               << c.across << "," << c.up;
        int overflows = 0;
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column) {
                const auto at = static_cast<std::size_t>(row * columns + column);
                const PropagarCell cell = PropagateAt(network, c.neuron, plane, x.low + (column + 0.5) * (4.0 / columns),
                                                      y.high - (row + 0.5) * (4.0 / rows));
                overflows += std::isnan(cell.value);
                EXPECT_EQ(std::bit_cast<std::uint64_t>(values[at]), std::bit_cast<std::uint64_t>(cell.value))
                    << name << " cell " << row << "," << column;
                // The winner by hand: the first output of the largest value, none on an overflow.
                int winner = 1;
                for (std::size_t k = 1; k < cell.outputs.size(); ++k)
                    if (cell.outputs[k] > cell.outputs[static_cast<std::size_t>(winner - 1)]) winner = static_cast<int>(k) + 1;
                if (std::isnan(cell.value)) winner = 0;
                EXPECT_EQ(classes[at], winner) << name << " cell " << row << "," << column;
            }
        EXPECT_EQ(overflows > 0, c.overflow) << name;
        EXPECT_LT(overflows, columns * rows) << name;
    }
}

TEST(OutputMap, PlaneTheNetworkHasNotGivesNoValues) {
    FrozenClock clock({8, 0, 0, 0});
    std::mt19937 random(2);
    TRedNeuronal network;
    RandomNetwork(network, 3, 2, 2, ftSigmoide, 1.0, random);
    const NetworkSnapshot snapshot = TakeSnapshot(network);
    for (const MapPlane& plane : {MapPlane{1, 4, {}}, MapPlane{0, 2, {}}, MapPlane{2, 2, {}}}) {
        std::vector<double> values;
        std::vector<std::uint8_t> classes;
        NeuronGrid(snapshot, {false, 1}, plane, {0, 1}, {0, 1}, 5, 2, values);
        ClassGrid(snapshot, plane, {0, 1}, {0, 1}, 5, 2, classes);
        EXPECT_EQ(std::count_if(values.begin(), values.end(), [](double v) { return std::isnan(v); }), 10);
        EXPECT_EQ(std::count(classes.begin(), classes.end(), 0), 10);
    }
}

TEST(OutputMap, WinningOutputIsTheFirstLargestAndNoneOnNaN) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        std::vector<double> y;
        int winner;
    };
    const Case cases[] = {
        {{0.7}, 1},
        {{0.1, 0.8, 0.3}, 2},
        {{0.1, 0.3, 0.8}, 3},
        {{0.5, 0.5, 0.2}, 1},
        {{0.2, 0.6, 0.6}, 2},
        {{-0.0, 0.0}, 1},
        {{-3.0, -1.0, -2.0}, 2},
        {{0.9, kNaN, 0.1}, 0},
        {{kNaN}, 0},
        {{}, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(WinningOutput(c.y), c.winner) << ::testing::PrintToString(c.y);
}

TEST(OutputMap, DotFadesWithItsDistanceFromTheHeldValues) {
    struct Case {
        MapPlane plane;
        std::vector<double> pattern;
        double strength;
    };
    const std::vector<AxisRange> ranges{{0, 1}, {0, 1}, {0, 2}, {-1, 1}};
    const Case cases[] = {
        {{1, 2, {0, 0, 1, 0}}, {0.3, 0.9, 1, 0}, 1.0},    // the axes' own values do not count
        {{1, 2, {0, 0, 1, 0}}, {0, 0, 1.2, 0}, 0.8},       // a tenth of a width off
        {{1, 2, {0, 0, 1, 0}}, {0, 0, 1.6, 0.8}, 0.0 + 0.15},  // half a width off: the faintest
        {{3, 4, {0.25, 0.5, 0, 0}}, {0.25, 0.2, 7, -7}, 0.4},  // 0.3 of a width off in input 2
        {{1, 2, {0, 0, 1, 0}}, {0, 0, 9, 9}, kFaintestDot},
        {{1, 2, {}}, {5, 5, 0, 0}, 1.0},  // held values missing count as 0
        {{1, 2, {0, 0, 1, 0}}, {0, 0, std::numeric_limits<double>::quiet_NaN(), 0}, kFaintestDot},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(DotStrength(c.plane, c.pattern, ranges), c.strength, 1e-12) << ::testing::PrintToString(c.pattern);
}
