// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a neuron does with its weighted sum: the transfer function, then the
// output function, one value at a time. Shared by a neuron computing alone,
// by a layer whose neurons differ in their functions, and by the map and the
// worked step for the step functions.

#include <cmath>
#include <optional>

#include "exp.h"
#include "network_parameters.h"
#include "neuron_kernel.h"

// The output y for the weighted sum s; none when s or an exponential lies
// beyond the double range, for the caller to report the overflow.
inline std::optional<double> Activation(TFuncionTransferencia transfer, TFuncionSalida output, double threshold,
                                        double s) {
    if (!std::isfinite(s)) return std::nullopt;
    double t = s;
    switch (transfer) {
    case ftIdentidad: break;
    case ftEscalon: t = s >= 0 ? 1.0 : -1.0; break;
    case ftEscalonPositivo: t = s >= 0 ? 1.0 : 0.0; break;
    case ftSigmoide:
    case ftTangenteHiperbolica: {
        double bad;
        t = Transfer(transfer, s, [](double x) { return Exp(x); }, bad);
        if (bad != bad) return std::nullopt;
        break;
    }
    }
    double y = t;
    switch (output) {
    case fsIdentidad: break;
    case fsEscalon: y = t >= 0 ? 1.0 : -1.0; break;
    case fsEscalonPositivo: y = t >= 0 ? 1.0 : 0.0; break;
    case fsUmbral: y = t >= threshold ? 1.0 : 0.0; break;
    case fsDobleUmbral: {
        // Two tests in turn, so for a negative threshold the second may undo the first.
        double v = t;
        if (t < -threshold) v = -1.0;
        if (v > threshold) v = 1.0;
        y = v;
        break;
    }
    }
    return y;
}
