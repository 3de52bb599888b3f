// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program was asked for on its command line:
//   perceptlab [FILE]     opens the window, and FILE in it when given
//   perceptlab --help     prints the usage
//   perceptlab --version  prints the version
//   perceptlab --train FILE ... / --run NET.ren ...  trains or runs without
//                         the window (batch_request.h)
// It is read before Qt starts, so that a request or a mistake is answered
// where there is no display at all.

#include "batch_request.h"

#include <string>
#include <vector>

struct CommandLine {
    enum class Request { Window, Help, Version, Batch, Mistake };
    Request request = Request::Window;
    // The network to open at start, empty for none: the argument's bytes as
    // given, since a file name need not be valid in the locale's encoding.
    std::string file;
    std::string mistake;                 // what was wrong, with Request::Mistake
    std::vector<std::string> qtOptions;  // Qt's own options (-style fusion), for the application object
    BatchRequest batch;                  // with Request::Batch
};

// Reads the arguments that follow the program's name. --help and --version
// are found anywhere before "--"; after "--" every argument is a file name,
// even one that starts with "-".
CommandLine ReadCommandLine(const std::vector<std::string>& arguments);

// The text --help prints.
std::string UsageText();
