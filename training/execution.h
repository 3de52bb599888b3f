// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Ejecutar": the network's forward pass on one typed input vector, its
// outputs shown rounded.

#include "execution_tab_view.h"
#include "work_state.h"

class TRedNeuronal;

// Reads exactly as many inputs as the network has and writes exactly as many
// outputs as it has output neurons. Refused with no network.
void Execute(const WorkState& state, TRedNeuronal& network, ExecutionTabView& view);
