// SPDX-License-Identifier: GPL-3.0-or-later
#include "entry_fields.h"

#include "data_tab_view.h"
#include "network.h"

void EnableEntryFields(DataTabView& view, const TRedNeuronal& network) {
    const int n = network.NumeroEntradas();
    const int m = network.NeuronasCapaSalida();
    for (int k = 1; k <= DataTabView::FieldsOfKind; ++k) view.SetEnabled(k, n >= k);
    for (int k = 1; k <= DataTabView::FieldsOfKind; ++k) view.SetEnabled(DataTabView::FieldsOfKind + k, m >= k);
}
