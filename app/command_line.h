// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program was asked for on its command line:
//   perceptlab [FILE]     opens the window, and FILE in it when given
//   perceptlab --help     prints the usage
//   perceptlab --version  prints the version

#include <QString>
#include <QStringList>

struct CommandLine {
    enum class Request { Window, Help, Version, Mistake };
    Request request = Request::Window;
    QString file;     // the network to open at start; empty for none
    QString mistake;  // what was wrong, with Request::Mistake
};

// Reads the arguments that follow the program's name. Qt's own options must
// have been taken out already, except that --help and --version are found
// anywhere, so they work before Qt starts (and without a display).
CommandLine ReadCommandLine(const QStringList& arguments);

// The text --help prints.
QString UsageText();
