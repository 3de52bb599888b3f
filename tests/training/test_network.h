// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Networks with known weights for the training library's tests.

#include "network.h"
#include "random_generator.h"

#include <cstdint>

// Freezes the seeding clock so every run draws the same patterns.
inline void FreezeClock() {
    RandomGenerator::SetClock([] { return TimeOfDay{10, 20, 30, 400}; });
}

inline void Configure(TRedNeuronal& network, std::int32_t inputs, TRangoNeuronas hidden, TRangoNeuronas outputs,
                       TFuncionTransferencia function = ftSigmoide) {
    PrepareStartUpNetwork(network);
    network.SetNeuronasCapaOculta(hidden);
    network.SetNeuronasCapaSalida(outputs);
    network.SetNumeroEntradas(inputs);
    network.SetFuncionTransferencia(function);
}

// 1-1-1 identity network whose output equals its input: it does not learn,
// so each pattern's error stays the same from iteration to iteration.
inline void ConfigureMirror(TRedNeuronal& network) {
    Configure(network, 1, 1, 1, ftIdentidad);
    network.CapaOculta.Neuronas[1].Pesos[0] = 0.0;
    network.CapaOculta.Neuronas[1].Pesos[1] = 1.0;
    network.CapaSalida.Neuronas[1].Pesos[0] = 0.0;
    network.CapaSalida.Neuronas[1].Pesos[1] = 1.0;
}
