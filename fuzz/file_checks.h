// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the fuzz targets and the corpus replay test do with one input: read it
// as a network file (or as patterns in comma-separated text) and, when it reads, check that the window takes its
// values and that both files saved from the window, under either decimal
// separator, read back to the same values.
// A broken check ends the process, which the fuzzer reports as a finding.

#include <cstddef>
#include <cstdint>

// The input as an untrained file.
void CheckRnaFile(const std::uint8_t* data, std::size_t size);

// The input as a trained file; a form feed, when there is one, ends it and
// starts the text of its companion.
void CheckRenFile(const std::uint8_t* data, std::size_t size);

// The input as comma-separated patterns: its first two bytes choose the
// input and output counts (the first's top bit the regional decimal
// separator), the rest is the text. What reads must be 1..100
// rows of that width, and the program's export of them, under either decimal
// separator, must read back to the same bits.
void CheckCsvText(const std::uint8_t* data, std::size_t size);
