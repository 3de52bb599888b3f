#include "network_view.h"

NetworkView::NetworkView(QWidget* parent) : QWidget(parent) {}

void NetworkView::SetSource(const TRedNeuronal& red, const EstadoTrabajo& estado) {
    red_ = &red;
    estado_ = &estado;
    Refresh();
}

void NetworkView::Refresh() {
    stale_ = true;
    if (!red_ || !isVisible()) return;
    stale_ = false;
    Recompute(*red_, *estado_);
    update();
}

void NetworkView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (stale_) Refresh();
}
