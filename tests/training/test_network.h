#pragma once
// Networks with known weights for the training library's tests.

#include "network.h"
#include "random_generator.h"

#include <cstdint>

// Freezes the seeding clock so every run draws the same patterns.
inline void FreezeClock() {
    RandomGenerator::SetClock([] { return TimeOfDay{10, 20, 30, 400}; });
}

inline void Configure(TRedNeuronal& red, std::int32_t entradas, TRangoNeuronas ocultas, TRangoNeuronas salidas,
                       TFuncionTransferencia funcion = ftSigmoide) {
    PrepareStartUpNetwork(red);
    red.SetNeuronasCapaOculta(ocultas);
    red.SetNeuronasCapaSalida(salidas);
    red.SetNumeroEntradas(entradas);
    red.SetFuncionTransferencia(funcion);
}

// 1-1-1 identity network whose output equals its input: it does not learn,
// so each pattern's error stays the same from iteration to iteration.
inline void ConfigurarEspejo(TRedNeuronal& red) {
    Configure(red, 1, 1, 1, ftIdentidad);
    red.CapaOculta.Neuronas[1].Pesos[0] = 0.0;
    red.CapaOculta.Neuronas[1].Pesos[1] = 1.0;
    red.CapaSalida.Neuronas[1].Pesos[0] = 0.0;
    red.CapaSalida.Neuronas[1].Pesos[1] = 1.0;
}
