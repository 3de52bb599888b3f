// SPDX-License-Identifier: GPL-3.0-or-later
#include "display_check.h"

#include <cstdio>
#include <cstdlib>

const char* const kNoDisplaySentence =
    "perceptlab: there is no display to open the window on; run it under xvfb-run, or train and run "
    "networks without a window with --train and --run (see perceptlab --help).\n";

namespace {

QtMessageHandler previousHandler = nullptr;
std::vector<std::pair<QtMsgType, QString>> heldMessages;

void HoldMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtFatalMsg) {
        std::fputs(kNoDisplaySentence, stderr);
        std::_Exit(1);
    }
    heldMessages.emplace_back(type, message);
}

}  // namespace

DisplayCheck::DisplayCheck() { previousHandler = qInstallMessageHandler(HoldMessage); }

DisplayCheck::~DisplayCheck() {
    qInstallMessageHandler(previousHandler);
    for (const auto& [type, message] : heldMessages) qt_message_output(type, QMessageLogContext(), message);
    heldMessages.clear();
}
