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
