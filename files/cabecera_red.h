#pragma once
// Lines 1-5 of both network files: the three counts and the selections of
// the rule and transfer-function lists.

#include "network_description.h"

#include <cstdint>
#include <string>
#include <vector>

class LineReader;
class TRedNeuronal;

// Items of the two lists: "Suma Ponderada"; "Sigmoide", "TangenteHiperbolica", "Identidad".
constexpr std::int32_t ElementosListaRegla = 1;
constexpr std::int32_t ElementosListaFuncion = 3;

// Lines 1-3 from the network itself, 4-5 from the lists' selections.
void AddHeaderLines(std::vector<std::string>& lineas, const TRedNeuronal& red, std::int32_t seleccionRegla,
                          std::int32_t seleccionFuncion);

// Reads lines 1-5. Counts outside 1..32 go to the nearer bound; a selection
// that is not an item of its list becomes -1.
NetworkHeader ReadHeader(LineReader& lector);

// Reads lines 1-3 only, limited like ReadHeader.
NetworkHeader ReadTopology(LineReader& lector);
