// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The network's parameter types. Ordinals are fixed by declaration order:
// the network files store them as numbers.

#include <cstdint>

enum TReglaPropagacion : std::uint8_t { rpLineal };
enum TFuncionTransferencia : std::uint8_t {
    ftIdentidad,
    ftEscalon,
    ftEscalonPositivo,
    ftSigmoide,
    ftTangenteHiperbolica
};
enum TFuncionSalida : std::uint8_t { fsIdentidad, fsEscalon, fsEscalonPositivo, fsUmbral, fsDobleUmbral };

// The training step's default learning rate η (learning_settings.h).
inline constexpr double kLearningRate = 0.35;

// A neuron count, 1..32; callers keep it in range.
using TRangoNeuronas = std::uint8_t;
