// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary bytes as comma-separated patterns.
#include "file_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckCsvText(data, size);
    return 0;
}
