#pragma once
// The text of tabla_potencias.h, computed with MPFR.

#include <string>

std::string TextoTablaPotencias();
