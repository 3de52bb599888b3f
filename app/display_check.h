// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where no display can be opened, Qt ends the program with a fatal message
// and an abort while the application object is made. Around that moment
// this answers instead with one sentence on how to run the program, and exit
// status 1; Qt's other messages of that moment are passed on afterwards.

#include <QtGlobal>

#include <utility>
#include <vector>

#include <QString>

class DisplayCheck {
public:
    DisplayCheck();
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;
};

// The sentence printed where no display can be opened.
extern const char* const kNoDisplaySentence;
