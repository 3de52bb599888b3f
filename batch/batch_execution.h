// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running a trained network on every row of a CSV file, as "Ejecutar" runs
// it on one: the forward pass's outputs, unrounded.

#include "batch_request.h"

#include <cstdint>
#include <cstdio>

// Loads the order's network as "Cargar Red Entrenada" does, then writes a
// header ("Entrada1", …, "Salida1", …) and, for each row of the inputs file
// (read by the import's rules, CsvRowReader, with `decimalSeparator` as the
// regional one), the row's inputs and the network's outputs, in the data
// tab's CSV form. Rows are read and written a piece at a time, so a file of
// any length runs in bounded memory.
// Writes to the order's outputs file through the safe save, which is left
// as it was when anything fails, or else to `standardOutput`. Returns the
// rows run; throws ProgramError with the window's message.
std::int64_t ExecuteCsv(const ExecutionOrder& order, char decimalSeparator, std::FILE* standardOutput);
