// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a network file says, read and checked in full before anything in the
// program changes, so that applying it cannot fail halfway.

#include "learning_settings.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Lines 1-5, common to both kinds of file.
struct NetworkHeader {
    std::int32_t NumeroEntradas = 1;      // limited to the network's 1..32
    std::int32_t NeuronasCapaOculta = 1;  // 1..32
    std::int32_t NeuronasCapaSalida = 1;  // 1..32
    std::int32_t RuleSelection = -1;     // position in the rule list as written; -1 nothing selected
    std::int32_t FunctionSelection = -1;   // position in the transfer-function list as written
};

// The most patterns a file and the pattern table hold.
constexpr std::int32_t kMaxPatterns = 100;
// What more patterns than that meet: the table's limit, as its caption states it.
inline constexpr const char* kPatternLimitMessage = "Máximo número de patrones 100";

struct FilePatterns {
    std::int32_t NumeroPatrones = 0;  // 0..kMaxPatterns
    std::vector<double> Entradas;     // input i of pattern p at (p - 1) * NE + (i - 1)
    std::vector<double> Salidas;      // output k of pattern p at (p - 1) * NS + (k - 1)
};

enum class NetworkFileKind : std::uint8_t { Untrained, Trained };

struct NetworkDescription {
    NetworkFileKind Kind = NetworkFileKind::Untrained;
    std::string NombreRed;
    NetworkHeader Header;
    // Always there for an untrained file; for a trained one, only when a
    // companion of the same topology was found.
    std::optional<FilePatterns> Patterns;
    std::vector<double> HiddenWeights;  // hidden neuron j's Pesos[k] at (j - 1) * (NE + 1) + k
    std::vector<double> OutputWeights;   // output neuron j's Pesos[k] at (j - 1) * (NH + 1) + k
    // Optional blocks after the untrained file's patterns; absent or empty
    // when the file has none.
    std::optional<FilePatterns> TestPatterns;   // the test set, never trained on
    std::optional<LearningSettings> Learning;   // η and α when they differ from the defaults
    std::vector<std::string> InputNames;        // NE names, or none for the default headers
    std::vector<std::string> OutputNames;       // NS names, or none for the default headers
    std::string Warning;                 // for a message box; empty when all went well
};
