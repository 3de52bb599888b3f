// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch_runner.h"

#include "batch_execution.h"
#include "batch_training.h"
#include "program_error.h"

#include <exception>

int RunBatch(const BatchRequest& request, char decimalSeparator, const std::string& usage, std::FILE* out,
             std::FILE* errors, TrainingProgress* progress) {
    try {
        switch (request.mode) {
        case BatchRequest::Mode::Mistake:
            std::fprintf(errors, "perceptlab: %s\n%s", request.mistake.c_str(), usage.c_str());
            return kExitUsage;
        case BatchRequest::Mode::Train: {
            const TrainingSummary summary = TrainNetworkFile(request.training, decimalSeparator, progress);
            std::fputs(SummaryText(summary, decimalSeparator).c_str(), out);
            return kExitDone;
        }
        case BatchRequest::Mode::Run:
            ExecuteCsv(request.execution, decimalSeparator, out);
            return kExitDone;
        }
    } catch (const std::exception& error) {
        // The message the error box would show, without its explanation.
        std::fprintf(errors, "perceptlab: %s\n", WithClosingPeriod(error.what()).c_str());
    }
    return kExitRefused;
}
