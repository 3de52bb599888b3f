// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Carries out a request to train or run without the window, and says how it
// went as the program's exit status.

#include "batch_request.h"
#include "batch_training.h"

#include <cstdio>
#include <string>

// Exit statuses: done, a file or a value refused, the command line not understood.
constexpr int kExitDone = 0;
constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

// Trains or runs as asked. A training prints its summary on `out`; a run
// writes its rows there unless it has an outputs file. A program error is
// the window's message, on `errors`: status 1. A mistaken request prints
// `usage` after the mistake: status 2. `progress` shows a training's
// progress, or is null.
int RunBatch(const BatchRequest& request, char decimalSeparator, const std::string& usage, std::FILE* out,
             std::FILE* errors, TrainingProgress* progress);
