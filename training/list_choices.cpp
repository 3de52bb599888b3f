// SPDX-License-Identifier: GPL-3.0-or-later
#include "list_choices.h"

#include "network.h"

std::int32_t ListPosition(std::int32_t written, std::int32_t items) { return written >= 0 && written < items ? written : -1; }

void ApplyListChoices(TRedNeuronal& network, std::int32_t rule, std::int32_t function) {
    if (rule == 0) network.SetReglaPropagacion(rpLineal);
    switch (function) {
    case 0:
        network.SetFuncionTransferencia(ftSigmoide);
        break;
    case 1:
        network.SetFuncionTransferencia(ftTangenteHiperbolica);
        break;
    case 2:
        network.SetFuncionTransferencia(ftIdentidad);
        break;
    default:
        break;
    }
}
