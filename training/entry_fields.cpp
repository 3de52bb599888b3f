#include "entry_fields.h"

#include "network.h"
#include "data_tab_view.h"

void EnableEntryFields(DataTabView& vista, const TRedNeuronal& red) {
    const int n = red.NumeroEntradas();
    const int m = red.NeuronasCapaSalida();
    for (int k = 1; k <= DataTabView::CamposPorTipo; ++k) vista.SetHabilitado(k, n >= k);
    for (int k = 1; k <= DataTabView::CamposPorTipo; ++k) vista.SetHabilitado(DataTabView::CamposPorTipo + k, m >= k);
}
