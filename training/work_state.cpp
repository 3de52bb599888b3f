#include "work_state.h"

void ClearWorkState(WorkState& state) {
    state.RedCreada = false;
    state.NumeroPatrones = 0;
    state.EntradasPatrones = {};
    state.SalidasPatrones = {};
}
