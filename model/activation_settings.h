// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a neuron does with its inputs, as every neuron, layer and network
// carries it: the propagation rule, the transfer and output functions and the
// threshold. Each holder gives its own writers, which pass a value on to what
// it contains.

#include "network_parameters.h"

class ActivationSettings {
public:
    TReglaPropagacion ReglaPropagacion() const { return rule_; }
    TFuncionTransferencia FuncionTransferencia() const { return transfer_; }
    TFuncionSalida FuncionSalida() const { return outputFunction_; }
    double Umbral() const { return threshold_; }

protected:
    TReglaPropagacion rule_ = rpLineal;
    TFuncionTransferencia transfer_ = ftIdentidad;
    TFuncionSalida outputFunction_ = fsIdentidad;
    double threshold_ = 0;
};
