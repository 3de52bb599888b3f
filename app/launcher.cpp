// SPDX-License-Identifier: GPL-3.0-or-later
// perceptlab: answers the command line, and trains and runs networks, with
// none of Qt's window libraries loaded (a long run stays small in memory);
// for the window it starts perceptlab-window with the same arguments.

#include "command_answer.h"
#include "command_line.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

// Installed, the window's program is PERCEPTLAB_WINDOW_FROM_BIN away from
// this one; in the build tree, beside it.
std::string WindowProgram() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::read_symlink("/proc/self/exe", error).parent_path();
    const fs::path installed = folder / PERCEPTLAB_WINDOW_FROM_BIN;
    if (fs::exists(installed, error)) return installed;
    return folder / "perceptlab-window";
}

}  // namespace

int main(int argc, char** argv) {
    const CommandLine line = ReadCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (const std::optional<int> answered = AnswerWithoutWindow(line)) return *answered;

    const std::string program = WindowProgram();
    ::execv(program.c_str(), argv);
    std::fprintf(stderr, "perceptlab: cannot start the window, %s: %s\n", program.c_str(), std::strerror(errno));
    return 1;
}
