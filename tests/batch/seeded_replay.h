// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A seeded run replayed from its definition with the model's own functions,
// independently of how the program seeds: the weights of a load drawn from
// the seed neuron by neuron (hidden layer first; per neuron the bias weight,
// then an input slot and a weight for each input), then the seed again and
// one draw per iteration for its pattern, each a step with the file's η and α.

#include "iteration_error.h"
#include "list_choices.h"
#include "network.h"
#include "network_description.h"

#include <cstdint>
#include <memory>
#include <vector>

struct SeededReplay {
    std::unique_ptr<TRedNeuronal> network = std::make_unique<TRedNeuronal>();
    std::vector<double> errors;  // iteration t's at t - 1
};

// `limit` 0: a run of `cycles`; otherwise until an iteration's error is below `limit`.
inline SeededReplay ReplaySeededRun(const NetworkDescription& description, std::uint32_t seed, std::int64_t cycles,
                                    double limit = 0.0) {
    SeededReplay replay;
    TRedNeuronal& network = *replay.network;
    const NetworkHeader& header = description.Header;
    PrepareStartUpNetwork(network);
    network.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(header.NeuronasCapaOculta));
    network.SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(header.NeuronasCapaSalida));
    network.SetNumeroEntradas(header.NumeroEntradas);
    ApplyListChoices(network, header.RuleSelection, header.FunctionSelection);
    if (description.Learning) network.SetLearning(*description.Learning);

    std::uint32_t state = seed;
    const auto draw = [&state] {
        state = state * 134775813u + 1u;
        return state / 4294967296.0;
    };
    const bool trained = description.Kind == NetworkFileKind::Trained;
    const std::vector<double>* stored[] = {&description.HiddenWeights, &description.OutputWeights};
    TCapaNeuronal* layers[] = {&network.CapaOculta, &network.CapaSalida};
    for (int l = 0; l < 2; ++l) {
        const int inputs = layers[l]->NumeroEntradas();
        for (int j = 1; j <= layers[l]->NumeroNeuronas(); ++j) {
            auto&& w = layers[l]->Neuronas[j].Pesos;
            for (int k = 0; k <= inputs; ++k) {
                if (trained) {
                    w[static_cast<std::size_t>(k)] = (*stored[l])[static_cast<std::size_t>((j - 1) * (inputs + 1) + k)];
                    continue;
                }
                if (k > 0) draw();  // the input slot, drawn before its weight
                w[static_cast<std::size_t>(k)] = draw() - 0.5;
            }
        }
    }

    const FilePatterns& patterns = *description.Patterns;
    const std::int32_t ne = header.NumeroEntradas;
    const std::int32_t ns = header.NeuronasCapaSalida;
    state = seed;
    for (std::int64_t t = 1; limit > 0.0 || t <= cycles; ++t) {
        const auto p = static_cast<std::int32_t>(draw() * patterns.NumeroPatrones);
        for (std::int32_t i = 1; i <= ne; ++i) network.Entradas[i] = patterns.Entradas[static_cast<std::size_t>(p * ne + i - 1)];
        for (std::int32_t k = 1; k <= ns; ++k)
            network.SalidasEsperadas[k] = patterns.Salidas[static_cast<std::size_t>(p * ns + k - 1)];
        network.EntrenarPatron();
        replay.errors.push_back(IterationError(network.SalidasEsperadas, network.SalidasObtenidas, ns));
        if (limit > 0.0 && replay.errors.back() < limit) break;
    }
    return replay;
}
