// SPDX-License-Identifier: GPL-3.0-or-later
// PerceptLab: reads the command line, creates the application and the main
// window, then runs the event loop until the window closes.

#include "command_line.h"
#include "error_report.h"
#include "guarded_application.h"
#include "main_window.h"
#include "qt_translations.h"
#include "regional_separators.h"

#include <cstdio>

namespace {

// Prints what --help, --version or a mistake ask for; false when the window
// is to open.
bool Answered(const CommandLine& line, int& exitCode) {
    switch (line.request) {
    case CommandLine::Request::Window:
        return false;
    case CommandLine::Request::Help:
        std::fputs(UsageText().toLocal8Bit().constData(), stdout);
        exitCode = 0;
        return true;
    case CommandLine::Request::Version:
        std::printf("perceptlab %s\n", PERCEPTLAB_VERSION);
        exitCode = 0;
        return true;
    case CommandLine::Request::Mistake:
        std::fprintf(stderr, "perceptlab: %s\n%s", line.mistake.toLocal8Bit().constData(),
                     UsageText().toLocal8Bit().constData());
        exitCode = 2;
        return true;
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    // --help and --version are answered before Qt starts, which needs a display.
    QStringList raw;
    for (int i = 1; i < argc; ++i) raw << QString::fromLocal8Bit(argv[i]);
    int exitCode = 0;
    const CommandLine early = ReadCommandLine(raw);
    if (early.request != CommandLine::Request::Mistake && Answered(early, exitCode)) return exitCode;

    GuardedApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("PerceptLab"));
    QApplication::setApplicationName(QStringLiteral("PerceptLab"));
    QApplication::setApplicationVersion(QStringLiteral(PERCEPTLAB_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/perceptlab.png")));
    const CommandLine line = ReadCommandLine(QApplication::arguments().mid(1));
    if (Answered(line, exitCode)) return exitCode;
    InstallQtTranslations(application);

    // Numbers are typed, shown and saved with the separator read here, once.
    TForm1 Form1(RegionalDecimalSeparator());
    Form1.show();
    if (!line.file.isEmpty()) RunGuarded([&] { Form1.OpenFile(line.file); });
    return QApplication::exec();
}
