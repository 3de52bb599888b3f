// SPDX-License-Identifier: GPL-3.0-or-later
// Writes power_table.h to standard output.

#include <cstdio>

#include "power_table_generator.h"

int main() {
    const std::string text = PowerTableText();
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}
