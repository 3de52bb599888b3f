#pragma once
// The text of power_table.h, computed with MPFR.

#include <string>

std::string PowerTableText();
