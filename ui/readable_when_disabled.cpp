// SPDX-License-Identifier: GPL-3.0-or-later
#include "readable_when_disabled.h"

#include <QEvent>
#include <QWidget>

#include <array>
#include <utility>

namespace {

QColor Mix(const QColor& from, const QColor& to, double t) {
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * t),
                            float(from.greenF() + (to.greenF() - from.greenF()) * t),
                            float(from.blueF() + (to.blueF() - from.blueF()) * t));
}

// Each text role with the background it is drawn on.
constexpr std::array<std::pair<QPalette::ColorRole, QPalette::ColorRole>, 3> kPairs{{
    {QPalette::WindowText, QPalette::Window},
    {QPalette::Text, QPalette::Base},
    {QPalette::ButtonText, QPalette::Button},
}};

}  // namespace

void ReadableWhenDisabled::Keep(QWidget* widget, Roles roles, double dim) {
    new ReadableWhenDisabled(widget, roles, dim);
}

ReadableWhenDisabled::ReadableWhenDisabled(QWidget* widget, Roles roles, double dim)
    : QObject(widget), widget_(widget), roles_(roles), dim_(dim) {
    widget->installEventFilter(this);
    Apply();
}

bool ReadableWhenDisabled::eventFilter(QObject*, QEvent* event) {
    // Setting the palette sends another change; an unchanged palette sends
    // none, so this settles at once.
    if (event->type() == QEvent::PaletteChange) Apply();
    return false;
}

void ReadableWhenDisabled::Apply() {
    QPalette palette = widget_->palette();
    const std::size_t pairs = roles_ == Roles::Captions ? 1 : kPairs.size();
    for (std::size_t i = 0; i < pairs; ++i) {
        const auto [text, background] = kPairs[i];
        const QColor shown = palette.color(QPalette::Active, text);
        const QColor behind = palette.color(QPalette::Active, background);
        palette.setColor(QPalette::Disabled, text, Mix(shown, behind, dim_));
        if (roles_ == Roles::ReadOut) palette.setColor(QPalette::Disabled, background, behind);
    }
    widget_->setPalette(palette);
}
