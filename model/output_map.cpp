#include "output_map.h"

#include "activacion.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();

// One neuron as Propagar computes it: 0 + (-1)·w0, then + x[k-1]·w[k] in
// input order, then its transfer function with the identity output.
double NeuronOutput(TFuncionTransferencia function, const std::vector<double>& w, const double* x) {
    double s = 0.0 + -1.0 * w[0];
    for (std::size_t k = 1; k < w.size(); ++k) s = s + x[k - 1] * w[k];
    return Activacion(function, fsIdentidad, 0.0, s).value_or(kNoValue);
}

// The hidden outputs for x, then the output neuron; NaN once any overflows,
// as the pass stops there.
double Forward(const NetworkSnapshot& snapshot, const std::vector<double>& weights, const double* x,
               std::vector<double>& hidden) {
    for (int j = 0; j < snapshot.hidden; ++j) {
        hidden[static_cast<std::size_t>(j)] =
            NeuronOutput(snapshot.function, snapshot.hiddenWeights[static_cast<std::size_t>(j)], x);
        if (std::isnan(hidden[static_cast<std::size_t>(j)])) return kNoValue;
    }
    return NeuronOutput(snapshot.function, weights, hidden.data());
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

double OutputValue(const NetworkSnapshot& snapshot, int output, std::span<const double> x) {
    std::vector<double> hidden(static_cast<std::size_t>(snapshot.hidden));
    return Forward(snapshot, snapshot.outputWeights[static_cast<std::size_t>(output - 1)], x.data(), hidden);
}

void OutputGrid(const NetworkSnapshot& snapshot, int output, AxisRange x, AxisRange y, int columns, int rows,
                std::vector<double>& values) {
    values.resize(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows));
    const std::vector<double>& weights = snapshot.outputWeights[static_cast<std::size_t>(output - 1)];
    std::vector<double> hidden(static_cast<std::size_t>(snapshot.hidden));
    const double stepX = (x.high - x.low) / columns;
    const double stepY = (y.high - y.low) / rows;
    double point[2];
    for (int row = 0; row < rows; ++row) {
        point[1] = y.high - (row + 0.5) * stepY;
        for (int column = 0; column < columns; ++column) {
            point[0] = x.low + (column + 0.5) * stepX;
            values[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                   static_cast<std::size_t>(column)] = Forward(snapshot, weights, point, hidden);
        }
    }
}
