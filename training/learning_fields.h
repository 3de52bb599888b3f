// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Tasa de aprendizaje η" and "Momento α" of the training tab: the values
// typed, checked before the network takes them.

#include "learning_settings.h"

// The settings the fields give. Throws "La tasa de aprendizaje η debe ser
// mayor que 0 y como mucho 10" or "El momento α debe ser de 0 a 1, sin
// llegar a 1" for a value outside its range.
LearningSettings LearningFromFields(long double rate, long double momentum);
