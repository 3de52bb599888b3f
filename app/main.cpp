// SPDX-License-Identifier: GPL-3.0-or-later
// perceptlab-window, which perceptlab starts for the window: reads the
// command line, creates the application and the main window, then runs the
// event loop until the window closes.

#include "command_answer.h"
#include "command_line.h"
#include "display_check.h"
#include "error_report.h"
#include "guarded_application.h"
#include "info_box.h"
#include "main_window.h"
#include "qt_translations.h"
#include "recovery_copies.h"
#include "regional_separators.h"

#include <optional>
#include <QStandardPaths>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Read before Qt starts, which needs a display: a request or a mistake
    // is answered without one.
    const CommandLine line = ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const std::optional<int> answered = AnswerWithoutWindow(line)) return *answered;

    // Qt is given its own options only, so a file named like one stays ours.
    std::vector<char*> qtArguments{argv[0]};
    for (const std::string& option : line.qtOptions) qtArguments.push_back(const_cast<char*>(option.c_str()));
    int qtCount = static_cast<int>(qtArguments.size());
    qtArguments.push_back(nullptr);
    std::optional<GuardedApplication> application;
    {
        const DisplayCheck check;
        application.emplace(qtCount, qtArguments.data());
    }
    QApplication::setOrganizationName(QStringLiteral("PerceptLab"));
    QApplication::setApplicationName(QStringLiteral("PerceptLab"));
    QApplication::setApplicationVersion(QStringLiteral(PERCEPTLAB_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/perceptlab.png")));
    InstallQtTranslations(*application);

    // A save that must write in place keeps a copy of the old file here
    // until it succeeds; one left by a save that never finished is named.
    SetRecoveryFolder(QStandardPaths::writableLocation(QStandardPaths::CacheLocation).toStdString());

    // Numbers are typed, shown and saved with the separator read here, once.
    TForm1 Form1(RegionalDecimalSeparator());
    Form1.show();
    for (const std::string& copy : RecoveryCopies())
        QtInfoBox().Show(&Form1, QString::fromStdString(RecoveryCopyNotice(copy)));
    if (!line.file.empty()) RunGuarded([&] { Form1.OpenFile(line.file); });
    return QApplication::exec();
}
