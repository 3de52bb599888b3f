// SPDX-License-Identifier: GPL-3.0-or-later
#include "underlying_style.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>

QStyle* FreshUnderlyingStyle() {
    QStyle* style = QApplication::style();
    while (const auto* proxy = qobject_cast<const QProxyStyle*>(style)) style = proxy->baseStyle();
    return style ? QStyleFactory::create(style->name()) : nullptr;
}
