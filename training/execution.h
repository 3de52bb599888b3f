// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Ejecutar": the network's forward pass on one typed input vector, its
// outputs shown rounded.

#include "execution_tab_view.h"
#include "work_state.h"

#include <string>

class TRedNeuronal;

// Reads exactly as many inputs as the network has and writes exactly as many
// outputs as it has output neurons. Refused with no network.
void Execute(const WorkState& state, TRedNeuronal& network, ExecutionTabView& view);

// What "Ejecución" says beside the outputs the network last gave: "Clase: "
// and the class they give (ObtainedClass, named by ClassName), when the
// expected outputs of the patterns look like classes; empty otherwise.
std::string ExecutedClassText(const WorkState& state, const TRedNeuronal& network, char separator);
