#pragma once
// What loading and saving a network file mean for the network and the
// working state. A load applies a description read and checked in full, in
// the order the load takes its steps; nothing here can fail, so a load
// either changes everything it should or, when reading threw, nothing.

#include "descripcion_red.h"

#include <cstdint>
#include <string>

class TRedNeuronal;
struct EstadoTrabajo;

// What a load changed, for the controls to show.
struct ResultadoCarga {
    TipoFicheroRed Tipo = TipoFicheroRed::SinEntrenar;
    CabeceraRed Cabecera;  // list positions that are no item read as -1
    bool PatronesTomados = false;  // the pattern table was replaced
    std::string Aviso;             // for a message box; empty when all went well
};

// Sets NombreRed, the table rows 1..N of the patterns taken and
// NumeroPatrones; configures the network through its writers (hidden count,
// output count, inputs, then rule and function where the lists select one);
// sets RedCreada; then gives an untrained network fresh weights, or a
// trained one the weights read.
ResultadoCarga AplicarDescripcion(const DescripcionRed& descripcion, TRedNeuronal& red, EstadoTrabajo& estado);

// Patterns 1..NumeroPatrones of the table, laid out for the network's counts
// as an untrained file holds them.
PatronesFichero PatternsToSave(const EstadoTrabajo& estado, const TRedNeuronal& red);
