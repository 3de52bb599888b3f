// SPDX-License-Identifier: GPL-3.0-or-later
#include "command_line.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The options QApplication takes out of the command line itself, written
// with one "-" or two; those in the first list take a value, as the next
// argument or after "=".
constexpr std::array<std::string_view, 16> kQtOptionsWithValue{
    "platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "session", "display", "geometry", "style", "stylesheet", "title", "icon", "name"};
constexpr std::array<std::string_view, 5> kQtFlags{"reverse", "widgetcount", "nograb", "dograb", "sync"};

bool Contains(const auto& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

CommandLine Mistake(std::string mistake) {
    CommandLine line;
    line.request = CommandLine::Request::Mistake;
    line.mistake = std::move(mistake);
    return line;
}

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string>& arguments) {
    const auto optionsEnd = std::find(arguments.begin(), arguments.end(), "--");
    CommandLine line;
    for (auto argument = arguments.begin(); argument != optionsEnd; ++argument) {
        if (*argument == "--help" || *argument == "-h") line.request = CommandLine::Request::Help;
        if (*argument == "--version" && line.request == CommandLine::Request::Window) line.request = CommandLine::Request::Version;
    }
    if (line.request != CommandLine::Request::Window) return line;
    if (AsksForBatch(arguments)) {
        line.batch = ReadBatchRequest(arguments);
        if (line.batch.mode == BatchRequest::Mode::Mistake) return Mistake(line.batch.mistake);
        line.request = CommandLine::Request::Batch;
        return line;
    }

    for (auto argument = arguments.begin(); argument != arguments.end(); ++argument) {
        if (argument == optionsEnd) continue;
        const bool option = argument < optionsEnd && argument->size() > 1 && argument->front() == '-';
        if (!option) {
            if (!line.file.empty()) return Mistake("one file at a time");
            line.file = *argument;
            continue;
        }
        std::string_view name = *argument;
        name.remove_prefix(name.starts_with("--") ? 2 : 1);
        const bool hasValue = name.find('=') != std::string_view::npos;
        name = name.substr(0, name.find('='));
        if (Contains(kQtFlags, name) && !hasValue) {
            line.qtOptions.push_back(*argument);
        } else if (Contains(kQtOptionsWithValue, name)) {
            line.qtOptions.push_back(*argument);
            if (hasValue) continue;
            if (argument + 1 == optionsEnd) return Mistake("option " + *argument + " needs a value");
            line.qtOptions.push_back(*++argument);
        } else {
            return Mistake("unknown option " + *argument);
        }
    }
    return line;
}

std::string UsageText() {
    return "Usage: perceptlab [--] [FILE]\n"
           "       perceptlab --train FILE (--cycles N | --max-error P | --min-error P)\n"
           "                  [--seed S] [--save OUT.ren] [--errors ERRORS.csv [--every K]]\n"
           "       perceptlab --run NET.ren --inputs IN.csv [--outputs OUT.csv]\n"
           "Builds, trains and runs a small multilayer perceptron.\n"
           "\n"
           "  FILE       a network to open in the window: an untrained network (.rna)\n"
           "             or a trained one (.ren)\n"
           "  --         ends the options, for a FILE that starts with \"-\"\n"
           "  -h, --help prints this text\n"
           "  --version  prints the version\n"
           "Qt's own options (-style, -platform, ...) are accepted before \"--\".\n"
           "\n"
           "Without a window:\n"
           "  --train FILE         trains an untrained .rna (new weights) or a trained\n"
           "                       .ren (its patterns from the .rna of the same name)\n"
           "  --cycles N           for N iterations (1 to 2147483647): \"Nº Ciclos =\"\n"
           "  --max-error P        until an iteration's error falls below P % (1 to 100):\n"
           "                       \"Error Máx<=\"\n"
           "  --min-error P        the same, as \"Error Mín<=\"\n"
           "  --seed S             the fixed seed (0 to 4294967295), as \"Semilla fija\"\n"
           "  --save OUT.ren       saves the trained network\n"
           "  --errors ERRORS.csv  writes each iteration's error (iteration from 1)\n"
           "  --every K            only every K-th iteration's error (K from 1)\n"
           "  --run NET.ren        runs a trained network on every row of\n"
           "  --inputs IN.csv      (a header row allowed), writing the inputs and the\n"
           "  --outputs OUT.csv    outputs to OUT.csv, or to the standard output\n"
           "A training prints a summary: iterations, milliseconds, largest and\n"
           "smallest error. Exit status: 0 done, 1 a file or a value refused (the\n"
           "window's message on the standard error), 2 the command line not understood.\n";
}
