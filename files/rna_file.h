#pragma once
// The untrained network file (.rna): lines 1-5 as in every network file,
// then the pattern count, the inputs of all patterns and the expected
// outputs of all patterns, one value per line. No weights.

#include "network_description.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TRedNeuronal;
struct WorkState;

// The lines to save: counts from the network (not from the count fields,
// which may have changed since), the lists' current selections, then
// patterns 1..NumeroPatrones of the table.
std::vector<std::string> RnaLines(const TRedNeuronal& red, const WorkState& estado, std::int32_t seleccionRegla,
                                   std::int32_t seleccionFuncion, char separador);

// Reads and checks an untrained file's text up to its last needed line;
// NombreRed is left empty. Reals read with either decimal separator.
// Throws the first failure met in line order.
NetworkDescription DescribeRna(std::string_view texto);

// Reads the file at `ruta` in the same way, naming the network after the file.
NetworkDescription ReadRna(const std::string& ruta);
