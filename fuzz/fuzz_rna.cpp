// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary bytes as an untrained network file.
#include "file_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckRnaFile(data, size);
    return 0;
}
