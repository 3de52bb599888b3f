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
           "Builds, trains and runs a small multilayer perceptron.\n"
           "\n"
           "  FILE       a network to open: an untrained network (.rna) or a\n"
           "             trained one (.ren)\n"
           "  --         ends the options, for a FILE that starts with \"-\"\n"
           "  --help     prints this text\n"
           "  --version  prints the version\n"
           "Qt's own options (-style, -platform, ...) are accepted before \"--\".\n";
}
