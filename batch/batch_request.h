// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a command line that trains or runs a network without the window asks
// for:
//   --train FILE (--cycles N | --max-error P | --min-error P) [--seed S]
//                [--save OUT.ren] [--errors ERRORS.csv [--every K]]
//   --run NET.ren --inputs IN.csv [--outputs OUT.csv]
// Every value follows its option, as the next argument or after "=".

#include "training_tab_view.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct TrainingOrder {
    std::string file;  // an untrained .rna, or a trained .ren with its companion
    StopCriterion criterion = StopCriterion::CycleCount;
    std::int32_t cycles = 0;     // "Nº Ciclos =": 1 .. 2^31 - 1
    std::int32_t threshold = 0;  // "Error Máx<=" or "Error Mín<=": 1 .. 100
    std::optional<std::uint32_t> seed;  // "Semilla fija"; none: the clock
    std::string savePath;    // empty: the trained weights are not saved
    std::string errorsPath;  // empty: no errors written
    std::int64_t every = 1;  // every K-th iteration's error is written
};

struct ExecutionOrder {
    std::string network;  // a trained .ren
    std::string inputs;   // CSV, one row of inputs per record
    std::string outputs;  // empty: standard output
};

struct BatchRequest {
    enum class Mode { Train, Run, Mistake };
    Mode mode = Mode::Mistake;
    TrainingOrder training;
    ExecutionOrder execution;
    std::string mistake;  // what was wrong, with Mode::Mistake
};

// Whether the arguments before "--" ask to train or to run without the window.
bool AsksForBatch(const std::vector<std::string>& arguments);

// Reads the arguments that follow the program's name.
BatchRequest ReadBatchRequest(const std::vector<std::string>& arguments);
