// SPDX-License-Identifier: GPL-3.0-or-later
#include "network_view.h"

NetworkView::NetworkView(QWidget* parent) : QWidget(parent) {}

void NetworkView::SetSource(const TRedNeuronal& network, const WorkState& state) {
    network_ = &network;
    state_ = &state;
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
