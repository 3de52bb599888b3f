// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_map.h"

#include "activation.h"
#include "block_exp.h"
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
    double s = 0.0 + -1.0 * w[0];
    for (std::size_t k = 1; k < w.size(); ++k) s = s + x[k - 1] * w[k];
    return Activation(function, fsIdentidad, 0.0, s).value_or(kNoValue);
}

// The hidden outputs for x, then the output neuron; NaN once any overflows,
// as the pass stops there.
[[gnu::always_inline]] inline double Forward(const NetworkSnapshot& snapshot, const std::vector<double>& weights,
                                             const double* x, std::vector<double>& hidden) {
    for (int j = 0; j < snapshot.hidden; ++j) {
        hidden[static_cast<std::size_t>(j)] =
            NeuronOutput(snapshot.function, snapshot.hiddenWeights[static_cast<std::size_t>(j)], x);
        if (std::isnan(hidden[static_cast<std::size_t>(j)])) return kNoValue;
    }
    return NeuronOutput(snapshot.function, weights, hidden.data());
}

// e^x of each lane, rounded exactly as Exponencial rounds it.
template <bool Fma>
[[gnu::always_inline]] inline Block ExpBlock(const Block& x) {
    Mask settled;
    Block y = QuickExpBlock<Fma>(x, settled);
    if (!AllTrue(settled)) [[unlikely]]
        SettleLanes(x, y, settled);
    return y;
}

// One neuron for four points at once, each lane doing NeuronOutput's
// operations in its order; `bad` turns NaN in a lane whose sum or
// exponential is not finite, which the caller then computes alone.
template <bool Fma>
[[gnu::always_inline]] inline Block NeuronBlock(TFuncionTransferencia function, const std::vector<double>& w,
                                                 const Block* x, Block& bad) {
    Block s = Block{} + (0.0 + -1.0 * w[0]);
    for (std::size_t k = 1; k < w.size(); ++k) s = s + x[k - 1] * w[k];
    bad = bad + (s - s);
    if (function == ftSigmoide) {
        const Block em = ExpBlock<Fma>(-s);
        bad = bad + (em - em);
        return 1.0 / (1.0 + em);
    }
    if (function == ftTangenteHiperbolica) {
        const Block ep = ExpBlock<Fma>(s), em = ExpBlock<Fma>(-s);
        bad = bad + (ep - ep) + (em - em);
        return (ep - em) / (ep + em);
    }
    return s;  // the identity; the model offers no other transfer function
}

// The grid, four cells of a row at a time (the rest of a row, and any four
// where a value is not finite, one by one). Inlined into a version for any
// processor and one for processors with AVX2, whose exponentials fuse.
template <bool Fma>
[[gnu::always_inline]] inline void FillGrid(const NetworkSnapshot& snapshot, int output, AxisRange x, AxisRange y,
                                            int columns, int rows, double* values) {
    const std::vector<double>& weights = snapshot.outputWeights[static_cast<std::size_t>(output - 1)];
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
            for (int j = 0; j < snapshot.hidden; ++j)
                hiddenBlocks[j] =
                    NeuronBlock<Fma>(snapshot.function, snapshot.hiddenWeights[static_cast<std::size_t>(j)], point, bad);
            const Block out = NeuronBlock<Fma>(snapshot.function, weights, hiddenBlocks, bad);
            if (NoNaN(bad)) [[likely]] {
                for (int lane = 0; lane < kLanes; ++lane) values[lane] = out[lane];
                continue;
            }
            for (int lane = 0; lane < kLanes; ++lane) {
                const double at[2] = {point[0][lane], pointY};
                values[lane] = Forward(snapshot, weights, at, hidden);
            }
        }
        for (; column < columns; ++column) {
            const double at[2] = {x.low + (column + 0.5) * stepX, pointY};
            *values++ = Forward(snapshot, weights, at, hidden);
        }
    }
}

void FillGridBase(const NetworkSnapshot& snapshot, int output, AxisRange x, AxisRange y, int columns, int rows,
                  double* values) {
    FillGrid<false>(snapshot, output, x, y, columns, rows, values);
}

#ifndef PERCEPTLAB_BASELINE_ONLY
[[gnu::target("avx2,fma")]] void FillGridAvx2(const NetworkSnapshot& snapshot, int output, AxisRange x, AxisRange y,
                                              int columns, int rows, double* values) {
    FillGrid<true>(snapshot, output, x, y, columns, rows, values);
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

double OutputValue(const NetworkSnapshot& snapshot, int output, std::span<const double> x) {
    std::vector<double> hidden(static_cast<std::size_t>(snapshot.hidden));
    return Forward(snapshot, snapshot.outputWeights[static_cast<std::size_t>(output - 1)], x.data(), hidden);
}

void OutputGrid(const NetworkSnapshot& snapshot, int output, AxisRange x, AxisRange y, int columns, int rows,
                std::vector<double>& values) {
    values.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
#ifndef PERCEPTLAB_BASELINE_ONLY
    if (kHasAvx2AndFma) return FillGridAvx2(snapshot, output, x, y, columns, rows, values.data());
#endif
    FillGridBase(snapshot, output, x, y, columns, rows, values.data());
}
