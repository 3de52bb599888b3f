#pragma once
// Applying a checked network file description to the network and the
// working state, in the order the load takes its steps. Nothing here can
// fail, so a load either changes everything it should or, when reading
// threw, nothing at all.

#include "network_description.h"

#include <cstdint>
#include <string>

class TRedNeuronal;
struct WorkState;

enum class PaginaTrasCarga : std::uint8_t {
    TrainingRun,  // TabSheet3, after an untrained file
    Execution,      // TabSheet4, after a trained file
};

// What the window's controls take from a load.
struct LoadResult {
    NetworkHeader Header;  // the three count fields and the two lists
    // The pattern table was replaced: the pattern grid, Label3, the entry
    // fields and the training counters follow it.
    bool PatternsTaken = false;
    PaginaTrasCarga Pagina = PaginaTrasCarga::TrainingRun;
    std::string Warning;  // shown in a message box when not empty
};

// Sets NombreRed, the table rows 1..N of the patterns taken and
// NumeroPatrones; configures the network through its writers (hidden count,
// output count, inputs, then rule and function where the lists select one);
// sets RedCreada; then gives an untrained network fresh weights, or a
// trained one the weights read.
LoadResult ApplyDescription(const NetworkDescription& descripcion, TRedNeuronal& red, WorkState& estado);

// Reads the file at `ruta`, then applies it.
LoadResult CargarRna(const std::string& ruta, TRedNeuronal& red, WorkState& estado);
// The same for a trained file and its companion.
LoadResult CargarRen(const std::string& ruta, TRedNeuronal& red, WorkState& estado);
