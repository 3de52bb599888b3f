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

// The hidden layer's outputs for x into hidden; false once one overflows,
// as the pass stops there.
[[gnu::always_inline]] inline bool HiddenOutputs(const NetworkSnapshot& snapshot, const double* x,
                                                 std::vector<double>& hidden) {
    for (int j = 0; j < snapshot.hidden; ++j) {
        hidden[static_cast<std::size_t>(j)] =
            NeuronOutput(snapshot.function, snapshot.hiddenWeights[static_cast<std::size_t>(j)], x);
        if (std::isnan(hidden[static_cast<std::size_t>(j)])) return false;
    }
    return true;
}

// A hidden neuron's output for x; for an output neuron, the hidden outputs
// then the output: NaN once any overflows.
[[gnu::always_inline]] inline double Forward(const NetworkSnapshot& snapshot, MapNeuron neuron,
                                             const std::vector<double>& weights, const double* x,
                                             std::vector<double>& hidden) {
    if (neuron.hidden) return NeuronOutput(snapshot.function, weights, x);
    if (!HiddenOutputs(snapshot, x, hidden)) return kNoValue;
    return NeuronOutput(snapshot.function, weights, hidden.data());
}

// Every output for x, y[k - 1]: all NaN when a hidden neuron overflows.
[[gnu::always_inline]] inline void ForwardAll(const NetworkSnapshot& snapshot, const double* x,
                                              std::vector<double>& hidden, double* y) {
    const bool finite = HiddenOutputs(snapshot, x, hidden);
    for (int k = 0; k < snapshot.outputs; ++k)
        y[k] = finite ? NeuronOutput(snapshot.function, snapshot.outputWeights[static_cast<std::size_t>(k)],
                                     hidden.data())
                      : kNoValue;
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

// The hidden layer for four points, into hidden[0..hidden-1].
template <bool Fma>
[[gnu::always_inline]] inline void HiddenBlocks(const NetworkSnapshot& snapshot, const Block* point, Block* hidden,
                                                Block& bad) {
    for (int j = 0; j < snapshot.hidden; ++j)
        hidden[j] = NeuronBlock<Fma>(snapshot.function, snapshot.hiddenWeights[static_cast<std::size_t>(j)], point, bad);
}

// Where `larger` holds, a; elsewhere b: for one value or lane by lane.
[[gnu::always_inline]] inline double Select(bool larger, double a, double b) { return larger ? a : b; }
[[gnu::always_inline]] inline Block Select(Mask larger, const Block& a, const Block& b) {
    return (Block)(((Mask)a & larger) | ((Mask)b & ~larger));
}

// The winner so far takes output k where its value y is strictly larger, so
// a tie keeps the lower index.
template <class Lane>
[[gnu::always_inline]] inline void KeepLargest(Lane& best, Lane& winner, const Lane& y, int k) {
    const auto larger = y > best;
    best = Select(larger, y, best);
    winner = Select(larger, Lane{} + static_cast<double>(k), winner);
}

// One neuron's value per cell: four cells from their blocks of inputs, or one.
template <bool Fma>
struct NeuronCells {
    const NetworkSnapshot& snapshot;
    MapNeuron neuron;
    const std::vector<double>& weights;
    std::vector<double> hidden;
    double* values;

    [[gnu::always_inline]] bool Four(const Block* point, std::size_t at) {
        Block hiddenBlocks[kMaxNeurons];
        Block bad = Block{};
        if (!neuron.hidden) HiddenBlocks<Fma>(snapshot, point, hiddenBlocks, bad);
        const Block out = NeuronBlock<Fma>(snapshot.function, weights, neuron.hidden ? point : hiddenBlocks, bad);
        if (!NoNaN(bad)) [[unlikely]]
            return false;
        for (int lane = 0; lane < kLanes; ++lane) values[at + static_cast<std::size_t>(lane)] = out[lane];
        return true;
    }
    [[gnu::always_inline]] void One(const double* point, std::size_t at) {
        values[at] = Forward(snapshot, neuron, weights, point, hidden);
    }
};

// The winning output per cell, the hidden layer computed once for all outputs.
template <bool Fma>
struct ClassCells {
    const NetworkSnapshot& snapshot;
    std::vector<double> hidden, outputs;
    std::uint8_t* classes;

    [[gnu::always_inline]] bool Four(const Block* point, std::size_t at) {
        Block hiddenBlocks[kMaxNeurons];
        Block bad = Block{};
        HiddenBlocks<Fma>(snapshot, point, hiddenBlocks, bad);
        Block best = NeuronBlock<Fma>(snapshot.function, snapshot.outputWeights[0], hiddenBlocks, bad);
        Block winner = Block{} + 1.0;
        for (int k = 2; k <= snapshot.outputs; ++k)
            KeepLargest(best, winner,
                        NeuronBlock<Fma>(snapshot.function, snapshot.outputWeights[static_cast<std::size_t>(k - 1)],
                                         hiddenBlocks, bad),
                        k);
        if (!NoNaN(bad)) [[unlikely]]
            return false;
        for (int lane = 0; lane < kLanes; ++lane)
            classes[at + static_cast<std::size_t>(lane)] = static_cast<std::uint8_t>(winner[lane]);
        return true;
    }
    [[gnu::always_inline]] void One(const double* point, std::size_t at) {
        ForwardAll(snapshot, point, hidden, outputs.data());
        classes[at] = static_cast<std::uint8_t>(WinningOutput(outputs));
    }
};

// The grid, four cells of a row at a time (the rest of a row, and any four
// where a value is not finite, one by one). The inputs off the axes keep
// their held values in every cell. Inlined into a version for any processor
// and one for processors with AVX2, whose exponentials fuse.
template <class Cells>
[[gnu::always_inline]] inline void FillGrid(int inputs, const MapPlane& plane, AxisRange x, AxisRange y, int columns,
                                            int rows, Cells& cells) {
    const auto across = static_cast<std::size_t>(plane.across - 1), up = static_cast<std::size_t>(plane.up - 1);
    std::vector<double> at(static_cast<std::size_t>(inputs), 0.0);
    std::copy_n(plane.held.begin(), std::min(plane.held.size(), at.size()), at.begin());
    Block point[kMaxInputs];
    for (std::size_t i = 0; i < at.size(); ++i) point[i] = Block{} + at[i];
    const double stepX = (x.high - x.low) / columns;
    const double stepY = (y.high - y.low) / rows;
    std::size_t cell = 0;
    for (int row = 0; row < rows; ++row) {
        at[up] = y.high - (row + 0.5) * stepY;
        point[up] = Block{} + at[up];
        int column = 0;
        for (; column + kLanes <= columns; column += kLanes, cell += kLanes) {
            for (int lane = 0; lane < kLanes; ++lane) point[across][lane] = x.low + (column + lane + 0.5) * stepX;
            if (cells.Four(point, cell)) [[likely]]
                continue;
            for (int lane = 0; lane < kLanes; ++lane) {
                at[across] = point[across][lane];
                cells.One(at.data(), cell + static_cast<std::size_t>(lane));
            }
        }
        for (; column < columns; ++column) {
            at[across] = x.low + (column + 0.5) * stepX;
            cells.One(at.data(), cell++);
        }
    }
}

template <bool Fma>
[[gnu::always_inline]] inline void FillNeuronGrid(const NetworkSnapshot& snapshot, MapNeuron neuron,
                                                  const MapPlane& plane, AxisRange x, AxisRange y, int columns,
                                                  int rows, double* values) {
    NeuronCells<Fma> cells{snapshot, neuron, WeightsOf(snapshot, neuron),
                           std::vector<double>(static_cast<std::size_t>(snapshot.hidden)), values};
    FillGrid(snapshot.inputs, plane, x, y, columns, rows, cells);
}

template <bool Fma>
[[gnu::always_inline]] inline void FillClassGrid(const NetworkSnapshot& snapshot, const MapPlane& plane, AxisRange x,
                                                 AxisRange y, int columns, int rows, std::uint8_t* classes) {
    ClassCells<Fma> cells{snapshot, std::vector<double>(static_cast<std::size_t>(snapshot.hidden)),
                          std::vector<double>(static_cast<std::size_t>(snapshot.outputs)), classes};
    FillGrid(snapshot.inputs, plane, x, y, columns, rows, cells);
}

void NeuronGridBase(const NetworkSnapshot& snapshot, MapNeuron neuron, const MapPlane& plane, AxisRange x,
                    AxisRange y, int columns, int rows, double* values) {
    FillNeuronGrid<false>(snapshot, neuron, plane, x, y, columns, rows, values);
}

void ClassGridBase(const NetworkSnapshot& snapshot, const MapPlane& plane, AxisRange x, AxisRange y, int columns,
                   int rows, std::uint8_t* classes) {
    FillClassGrid<false>(snapshot, plane, x, y, columns, rows, classes);
}

#ifndef PERCEPTLAB_BASELINE_ONLY
[[gnu::target("avx2,fma")]] void NeuronGridAvx2(const NetworkSnapshot& snapshot, MapNeuron neuron,
                                                const MapPlane& plane, AxisRange x, AxisRange y, int columns,
                                                int rows, double* values) {
    FillNeuronGrid<true>(snapshot, neuron, plane, x, y, columns, rows, values);
}

[[gnu::target("avx2,fma")]] void ClassGridAvx2(const NetworkSnapshot& snapshot, const MapPlane& plane, AxisRange x,
                                               AxisRange y, int columns, int rows, std::uint8_t* classes) {
    FillClassGrid<true>(snapshot, plane, x, y, columns, rows, classes);
}
#endif

// Whether the plane's axes are two different inputs of the network.
bool Holds(const NetworkSnapshot& snapshot, const MapPlane& plane) {
    const auto input = [&](int i) { return i >= 1 && i <= snapshot.inputs; };
    return input(plane.across) && input(plane.up) && plane.across != plane.up;
}

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

void OutputValues(const NetworkSnapshot& snapshot, std::span<const double> x, std::span<double> y) {
    std::vector<double> hidden(static_cast<std::size_t>(snapshot.hidden));
    ForwardAll(snapshot, x.data(), hidden, y.data());
}

int WinningOutput(std::span<const double> y) {
    if (y.empty() || std::any_of(y.begin(), y.end(), [](double v) { return std::isnan(v); })) return 0;
    double best = y[0], winner = 1;
    for (std::size_t k = 1; k < y.size(); ++k) KeepLargest(best, winner, y[k], static_cast<int>(k) + 1);
    return static_cast<int>(winner);
}

void NeuronGrid(const NetworkSnapshot& snapshot, MapNeuron neuron, const MapPlane& plane, AxisRange x, AxisRange y,
                int columns, int rows, std::vector<double>& values) {
    values.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    if (!Holds(snapshot, plane)) return std::fill(values.begin(), values.end(), kNoValue);
#ifndef PERCEPTLAB_BASELINE_ONLY
    if (kHasAvx2AndFma) return NeuronGridAvx2(snapshot, neuron, plane, x, y, columns, rows, values.data());
#endif
    NeuronGridBase(snapshot, neuron, plane, x, y, columns, rows, values.data());
}

void OutputValues(const NetworkSnapshot& snapshot, std::span<const double> x, std::vector<double>& hidden,
                  std::span<double> outputs) {
    hidden.resize(static_cast<std::size_t>(snapshot.hidden));
    ForwardAll(snapshot, x.data(), hidden, outputs.data());
}

void NeuronGrid(const NetworkSnapshot& snapshot, MapNeuron neuron, AxisRange x, AxisRange y, int columns, int rows,
                std::vector<double>& values) {
    NeuronGrid(snapshot, neuron, MapPlane{}, x, y, columns, rows, values);
}

void ClassGrid(const NetworkSnapshot& snapshot, const MapPlane& plane, AxisRange x, AxisRange y, int columns,
               int rows, std::vector<std::uint8_t>& classes) {
    classes.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    if (!Holds(snapshot, plane)) return std::fill(classes.begin(), classes.end(), 0);
#ifndef PERCEPTLAB_BASELINE_ONLY
    if (kHasAvx2AndFma) return ClassGridAvx2(snapshot, plane, x, y, columns, rows, classes.data());
#endif
    ClassGridBase(snapshot, plane, x, y, columns, rows, classes.data());
}

double DotStrength(const MapPlane& plane, std::span<const double> pattern, std::span<const AxisRange> ranges) {
    double squares = 0;
    for (std::size_t i = 0; i < pattern.size() && i < ranges.size(); ++i) {
        if (static_cast<int>(i) + 1 == plane.across || static_cast<int>(i) + 1 == plane.up) continue;
        const double held = i < plane.held.size() ? plane.held[i] : 0.0;
        const double width = ranges[i].high - ranges[i].low;
        const double share = width > 0 ? (pattern[i] - held) / width : 0.0;
        squares += share * share;
    }
    // Half a width away, or farther, is the faintest; NaN counts as far.
    const double strength = 1.0 - 2.0 * std::sqrt(squares);
    return strength >= kFaintestDot ? strength : kFaintestDot;
}
