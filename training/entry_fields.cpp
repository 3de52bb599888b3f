#include "entry_fields.h"

#include "data_tab_view.h"
#include "network.h"

void EnableEntryFields(DataTabView& vista, const TRedNeuronal& red) {
    const int n = red.NumeroEntradas();
    const int m = red.NeuronasCapaSalida();
    for (int k = 1; k <= DataTabView::FieldsOfKind; ++k) vista.SetEnabled(k, n >= k);
    for (int k = 1; k <= DataTabView::FieldsOfKind; ++k) vista.SetEnabled(DataTabView::FieldsOfKind + k, m >= k);
}
