#pragma once
// The pattern part of an untrained file, from line 6: the count, the inputs
// of every pattern, then the expected outputs of every pattern.

#include "network_description.h"

#include <cstdint>
#include <string>
#include <vector>

class LineReader;
struct WorkState;

// Patterns 1..NumeroPatrones of the table, NE inputs and NS outputs each.
void AddPatternLines(std::vector<std::string>& lineas, const WorkState& estado, std::int32_t entradas,
                          std::int32_t salidas, char separador);

// Reads the count on line 6 and the values after it with NE = `entradas`
// and NS = `salidas`. A count outside 0..100 throws "'<line>' is not a valid
// pattern count": the table has 100 rows.
FilePatterns ReadPatterns(LineReader& lector, std::int32_t entradas, std::int32_t salidas);
