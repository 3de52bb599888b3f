#include "network_view.h"

NetworkView::NetworkView(QWidget* parent) : QWidget(parent) {}

void NetworkView::SetSource(const TRedNeuronal& red, const EstadoTrabajo& estado) {
    red_ = &red;
    estado_ = &estado;
    Refresh();
}

void NetworkView::Refresh() {
    if (!red_ || !isVisible()) return;
    Recompute(*red_, *estado_);
    update();
}

void NetworkView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
}
