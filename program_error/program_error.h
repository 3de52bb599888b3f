// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one exception type of the program: its what() is the exact text the
// user sees in the error box.

#include <stdexcept>
#include <string>
#include <string_view>

class ProgramError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A result outside the double range, wherever the arithmetic meets one.
inline constexpr const char* kOverflowMessage = "Floating point overflow";

// The error box ends a message with "." when its last character sorts after
// "." (a letter or a digit does, ")" does not).
inline std::string WithClosingPeriod(std::string_view message) {
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
    return text;
}
