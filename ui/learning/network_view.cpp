#include "network_view.h"

NetworkView::NetworkView(QWidget* parent) : QWidget(parent) {}

void NetworkView::SetSource(const TRedNeuronal& red, const WorkState& estado) {
    network_ = &red;
    state_ = &estado;
    Refresh();
}

void NetworkView::Refresh() {
    if (!network_ || !isVisible()) return;
    Recompute(*network_, *state_);
    update();
}

void NetworkView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
}
