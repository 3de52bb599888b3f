// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's messages from the files and the arithmetic are English and
// shown exactly as they are; under each, the error box adds one Spanish
// sentence that says what happened and what to do.

#include <QString>

#include <string_view>

// The sentence for a message's kind; empty for a message that needs none
// (those of the entry fields are Spanish already).
QString ErrorExplanation(std::string_view message);
