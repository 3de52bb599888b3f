#include "estado_trabajo.h"

void LimpiarEstado(EstadoTrabajo& estado) {
    estado.RedCreada = false;
    estado.NumeroPatrones = 0;
    estado.EntradasPatrones = {};
    estado.SalidasPatrones = {};
}
