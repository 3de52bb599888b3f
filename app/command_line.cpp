// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

namespace {

CommandLine Asking(CommandLine::Request request, const QString& file = {}, const QString& mistake = {}) {
    CommandLine line;
    line.request = request;
    line.file = file;
    line.mistake = mistake;
    return line;
}

}  // namespace

CommandLine ReadCommandLine(const QStringList& arguments) {
    for (const QString& argument : arguments) {
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            return Asking(CommandLine::Request::Help);
        if (argument == QLatin1String("--version")) return Asking(CommandLine::Request::Version);
    }
    QString file;
    for (const QString& argument : arguments) {
        if (argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-"))
            return Asking(CommandLine::Request::Mistake, file, QStringLiteral("unknown option %1").arg(argument));
        if (!file.isEmpty()) return Asking(CommandLine::Request::Mistake, file, QStringLiteral("one file at a time"));
        file = argument;
    }
    return Asking(CommandLine::Request::Window, file);
}

QString UsageText() {
    return QStringLiteral(
        "Usage: perceptlab [FILE]\n"
        "Builds, trains and runs a small multilayer perceptron.\n"
        "\n"
        "  FILE       a network to open: an untrained network (.rna) or a\n"
        "             trained one (.ren)\n"
        "  --help     prints this text\n"
        "  --version  prints the version\n");
}
