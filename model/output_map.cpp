// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_map.h"

#include "activation.h"
#include "block_exp.h"
#include "neuron_kernel.h"
#include "per_processor.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// One neuron as Propagar computes it: 0 + (-1)·w0, then + x[k-1]·w[k] in
// input order, then its transfer function with the identity output.
[[gnu::always_inline]] inline double NeuronOutput(TFuncionTransferencia function, const std::vector<double>& w,
                                                  const double* x) {
    const double s = WeightedSum<double>(-1.0, w[0], static_cast<int>(w.size()) - 1, x, w);
    return Activation(function, fsIdentidad, 0.0, s).value_or(kNoValue);
}

const std::vector<double>& WeightsOf(const NetworkSnapshot& snapshot, MapNeuron neuron) {
    const auto& layer = neuron.hidden ? snapshot.hiddenWeights : snapshot.outputWeights;
    return layer[static_cast<std::size_t>(neuron.index - 1)];
}

// A hidden neuron's output for x; for an output neuron, the hidden outputs
// then the output: NaN once any overflows, as the pass stops there.
[[gnu::always_inline]] inline double Forward(const NetworkSnapshot& snapshot, MapNeuron neuron,
                                             const std::vector<double>& weights, const double* x,
                                             std::vector<double>& hidden) {
    if (neuron.hidden) return NeuronOutput(snapshot.function, weights, x);
    for (int j = 0; j < snapshot.hidden; ++j) {
        hidden[static_cast<std::size_t>(j)] =
            NeuronOutput(snapshot.function, snapshot.hiddenWeights[static_cast<std::size_t>(j)], x);
        if (std::isnan(hidden[static_cast<std::size_t>(j)])) return kNoValue;
    }
    return NeuronOutput(snapshot.function, weights, hidden.data());
}

// e^x of each lane, rounded exactly as Exp rounds it. A type whose call is
// always inlined, not a lambda: blocks may pass by value only between
// always-inlined code (model/CMakeLists.txt).
template <bool Fma>
struct BlockExp {
    [[gnu::always_inline]] Block operator()(const Block& x) const {
        Mask settled;
        Block y = QuickExpBlock<Fma>(x, settled);
        if (!AllTrue(settled)) [[unlikely]]
            SettleLanes(x, y, settled);
        return y;
    }
};

// One neuron for four points at once, each lane doing NeuronOutput's
// operations in its order; `bad` turns NaN in a lane whose sum or
// exponential is not finite, which the caller then computes alone.
template <bool Fma>
[[gnu::always_inline]] inline Block NeuronBlock(TFuncionTransferencia function, const std::vector<double>& w,
                                                 const Block* x, Block& bad) {
    const Block s = WeightedSum<Block>(-1.0, w[0], static_cast<int>(w.size()) - 1, x, w);
    Block notFinite = s - s;
    const Block y = function == ftSigmoide || function == ftTangenteHiperbolica
                        ? Transfer(function, s, BlockExp<Fma>{}, notFinite)
                        : s;  // the identity; the model offers no other transfer function
    bad = bad + notFinite;
    return y;
}

// The grid, four cells of a row at a time (the rest of a row, and any four
// where a value is not finite, one by one). Inlined into a version for any
// processor and one for processors with AVX2, whose exponentials fuse.
template <bool Fma>
[[gnu::always_inline]] inline void FillGrid(const NetworkSnapshot& snapshot, MapNeuron neuron, AxisRange x,
                                            AxisRange y, int columns, int rows, double* values) {
    const std::vector<double>& weights = WeightsOf(snapshot, neuron);
    // The hidden neurons the shown one takes as its inputs: none for a hidden one.
    const int before = neuron.hidden ? 0 : snapshot.hidden;
    std::vector<double> hidden(static_cast<std::size_t>(snapshot.hidden));
    Block hiddenBlocks[kMaxNeurons];
    const double stepX = (x.high - x.low) / columns;
    const double stepY = (y.high - y.low) / rows;
    for (int row = 0; row < rows; ++row) {
        const double pointY = y.high - (row + 0.5) * stepY;
        int column = 0;
        for (; column + kLanes <= columns; column += kLanes, values += kLanes) {
            Block point[2];
            for (int lane = 0; lane < kLanes; ++lane) point[0][lane] = x.low + (column + lane + 0.5) * stepX;
            point[1] = Block{} + pointY;
            Block bad = Block{};
            for (int j = 0; j < before; ++j)
                hiddenBlocks[j] =
                    NeuronBlock<Fma>(snapshot.function, snapshot.hiddenWeights[static_cast<std::size_t>(j)], point, bad);
            const Block out = NeuronBlock<Fma>(snapshot.function, weights, neuron.hidden ? point : hiddenBlocks, bad);
            if (NoNaN(bad)) [[likely]] {
                for (int lane = 0; lane < kLanes; ++lane) values[lane] = out[lane];
                continue;
            }
            for (int lane = 0; lane < kLanes; ++lane) {
                const double at[2] = {point[0][lane], pointY};
                values[lane] = Forward(snapshot, neuron, weights, at, hidden);
            }
        }
        for (; column < columns; ++column) {
            const double at[2] = {x.low + (column + 0.5) * stepX, pointY};
            *values++ = Forward(snapshot, neuron, weights, at, hidden);
        }
    }
}

void FillGridBase(const NetworkSnapshot& snapshot, MapNeuron neuron, AxisRange x, AxisRange y, int columns, int rows,
                  double* values) {
    FillGrid<false>(snapshot, neuron, x, y, columns, rows, values);
}

#ifndef PERCEPTLAB_BASELINE_ONLY
[[gnu::target("avx2,fma")]] void FillGridAvx2(const NetworkSnapshot& snapshot, MapNeuron neuron, AxisRange x,
                                              AxisRange y, int columns, int rows, double* values) {
    FillGrid<true>(snapshot, neuron, x, y, columns, rows, values);
}
#endif

}  // namespace

AxisRange MapAxisRange(std::span<const double> values) {
    if (values.empty()) return {-0.1, 1.1};
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    const double span = *highest - *lowest;
    const double margin = span > 0 ? span / 10 : 0.5;
    AxisRange range{*lowest - margin, *highest + margin};
    if (*lowest >= 0.0 && *highest <= 1.0) {
        range.low = std::min(range.low, -0.1);
        range.high = std::max(range.high, 1.1);
    }
    return range;
}

double NeuronValue(const NetworkSnapshot& snapshot, MapNeuron neuron, std::span<const double> x) {
    std::vector<double> hidden(static_cast<std::size_t>(snapshot.hidden));
    return Forward(snapshot, neuron, WeightsOf(snapshot, neuron), x.data(), hidden);
}

void OutputValues(const NetworkSnapshot& snapshot, std::span<const double> x, std::vector<double>& hidden,
                  std::span<double> outputs) {
    hidden.resize(static_cast<std::size_t>(snapshot.hidden));
    for (std::size_t j = 0; j < hidden.size(); ++j) {
        hidden[j] = NeuronOutput(snapshot.function, snapshot.hiddenWeights[j], x.data());
        if (std::isnan(hidden[j])) {
            std::fill(outputs.begin(), outputs.begin() + snapshot.outputs, kNoValue);
            return;
        }
    }
    for (std::size_t i = 0; i < static_cast<std::size_t>(snapshot.outputs); ++i)
        outputs[i] = NeuronOutput(snapshot.function, snapshot.outputWeights[i], hidden.data());
}

void NeuronGrid(const NetworkSnapshot& snapshot, MapNeuron neuron, AxisRange x, AxisRange y, int columns, int rows,
                std::vector<double>& values) {
    values.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
#ifndef PERCEPTLAB_BASELINE_ONLY
    if (kHasAvx2AndFma) return FillGridAvx2(snapshot, neuron, x, y, columns, rows, values.data());
#endif
    FillGridBase(snapshot, neuron, x, y, columns, rows, values.data());
}
