#include "work_state.h"

void ClearWorkState(WorkState& estado) {
    estado.RedCreada = false;
    estado.NumeroPatrones = 0;
    estado.EntradasPatrones = {};
    estado.SalidasPatrones = {};
}
