// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// e^x rounded to the nearest double (ties to even), the same on every
// processor. The network's arithmetic asks for exactly that value. The C
// library's exp is off by one unit in the last place for about one argument
// in 1 300, and on which arguments depends on whether the processor has
// fused multiply-add, so a training run would end with different weights on
// different machines.
//
// Three levels, each settling all but a few of the arguments the one before
// leaves (every bound they use is derived in docs/exponential.md):
// 1. a quick double (quick_exp.h), kept when its error bound cannot
//    reach a rounding boundary: all but about one argument in 257;
// 2. DoubleDoubleExp, a double-double good to about 2^-81.5, settling all
//    but about one argument in 131 000;
// 3. ExactExp, MPFR's correctly rounded e^x.
// Processors with AVX2 and fused multiply-add run a version of level 1 that
// fuses; its quick value may differ from the other version's, but a value is
// only kept when it is the correctly rounded one, so the result never does.

#include <optional>

#ifdef PERCEPTLAB_BASELINE_ONLY
double Exp(double x);
#else
[[gnu::target("default")]] double Exp(double x);
[[gnu::target("arch=x86-64-v3")]] double Exp(double x);
#endif

// Level 2 alone: the correctly rounded e^x, or nothing where it cannot settle
// it (within kMargin of a rounding midpoint, or where e^x is not a normal double).
std::optional<double> DoubleDoubleExp(double x);
// Levels 2 and 3; each gives the correctly rounded e^x for any x.
double PreciseExp(double x);
double ExactExp(double x);
