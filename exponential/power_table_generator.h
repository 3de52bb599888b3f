// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The text of power_table.h, computed with MPFR.

#include <string>

std::string PowerTableText();
