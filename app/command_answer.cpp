// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_answer.h"

#include "batch_runner.h"
#include "progress_bar.h"
#include "regional_separators.h"

#include <cstdio>

#include <unistd.h>

std::optional<int> AnswerWithoutWindow(const CommandLine& line) {
    switch (line.request) {
    case CommandLine::Request::Window:
        return std::nullopt;
    case CommandLine::Request::Help:
        std::fputs(UsageText().c_str(), stdout);
        return kExitDone;
    case CommandLine::Request::Version:
        std::printf("perceptlab %s\n", PERCEPTLAB_VERSION);
        return kExitDone;
    case CommandLine::Request::Batch: {
        // The bar only where someone watches it; a script's log stays clean.
        ProgressBar bar(stderr);
        return RunBatch(line.batch, RegionalDecimalSeparator(), UsageText(), stdout, stderr,
                        ::isatty(STDERR_FILENO) ? &bar : nullptr);
    }
    case CommandLine::Request::Mistake:
        std::fprintf(stderr, "perceptlab: %s\n%s", line.mistake.c_str(), UsageText().c_str());
        return kExitUsage;
    }
    return std::nullopt;
}
