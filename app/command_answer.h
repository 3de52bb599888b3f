// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program answers without a window: the usage, the version, a
// mistake, or a training or a run.

#include "command_line.h"

#include <optional>

// Prints what --help, --version or a mistake ask for, or trains or runs as
// asked; returns the exit status, or nothing when the window is to open.
std::optional<int> AnswerWithoutWindow(const CommandLine& line);
