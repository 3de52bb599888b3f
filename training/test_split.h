// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Separar para prueba…" and "Devolver a entrenamiento": patterns moved
// between the training table and the test set ("Patrones de prueba").
// Either checks everything before it changes anything; the window then
// shows both tables again.

#include "work_state.h"

#include <cstdint>

// A pattern's class, for a network of `outputs` outputs: with two or more,
// the output (1..outputs) with the largest expected value, the first of
// equals; with one, 1 for every pattern.
std::int32_t PatternClass(const PatternTable& expected, std::int32_t pattern, std::int32_t outputs);

// Moves round(share × NumeroPatrones) training patterns (share in 0..1, half
// rounding up), chosen at random, to the end of the test set, in their table
// order; the others close up in theirs. Each class gives its share: m·n_c/N
// patterns of the n_c of class c, rounded down, and the patterns this leaves
// over go one each to the classes with the largest remainders (the first of
// equals). The choice draws from the random generator after
// RandomGenerator::StartSequence, so under "Semilla fija" it repeats; the
// patterns of each class are shuffled in table order, by one draw each, as
// far as the class gives. Returns how many moved. Throws "Máximo número de
// patrones 100" when the test set would pass 100 patterns, and
// std::out_of_range for a share outside 0..1.
std::int32_t SeparateTestPatterns(WorkState& state, double share, std::int32_t outputs);

// Appends every test pattern, in order, to the training table and empties
// the test set. Throws "Máximo número de patrones 100" when the training
// table would pass 100 patterns.
void ReturnTestPatterns(WorkState& state);
