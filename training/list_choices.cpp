#include "list_choices.h"

#include "network.h"

std::int32_t ListPosition(std::int32_t written, std::int32_t items) { return written >= 0 && written < items ? written : -1; }

void ApplyListChoices(TRedNeuronal& red, std::int32_t rule, std::int32_t function) {
    if (rule == 0) red.SetReglaPropagacion(rpLineal);
    switch (function) {
    case 0:
        red.SetFuncionTransferencia(ftSigmoide);
        break;
    case 1:
        red.SetFuncionTransferencia(ftTangenteHiperbolica);
        break;
    case 2:
        red.SetFuncionTransferencia(ftIdentidad);
        break;
    default:
        break;
    }
}
