// SPDX-License-Identifier: GPL-3.0-or-later
#include "work_state.h"

void ClearWorkState(WorkState& state) {
    state.RedCreada = false;
    state.NumeroPatrones = 0;
    state.EntradasPatrones = {};
    state.SalidasPatrones = {};
    state.TestPatternCount = 0;
    state.TestInputs = {};
    state.TestOutputs = {};
    state.InputNames.clear();
    state.OutputNames.clear();
    state.unsaved = {};
}
