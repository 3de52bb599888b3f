// SPDX-License-Identifier: GPL-3.0-or-later
#include "learning_fields.h"

#include "program_error.h"

LearningSettings LearningFromFields(long double rate, long double momentum) {
    const LearningSettings settings{static_cast<double>(rate), static_cast<double>(momentum)};
    if (!ValidLearningRate(settings.LearningRate))
        throw ProgramError("La tasa de aprendizaje η debe ser mayor que 0 y como mucho 10");
    if (!ValidMomentum(settings.Momentum)) throw ProgramError("El momento α debe ser de 0 a 1, sin llegar a 1");
    return settings;
}
