#include "compact_tab_style.h"

#include <QApplication>
#include <QStyleFactory>

namespace {

// A fresh instance of the style under any proxies; null when it cannot be
// made by name, which leaves QProxyStyle to use the application's style.
QStyle* FreshUnderlyingStyle() {
    QStyle* style = QApplication::style();
    while (const auto* proxy = qobject_cast<const QProxyStyle*>(style)) style = proxy->baseStyle();
    return style ? QStyleFactory::create(style->name()) : nullptr;
}

}  // namespace

CompactTabStyle::CompactTabStyle() : QProxyStyle(FreshUnderlyingStyle()) {}

int CompactTabStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    if (metric == PM_TabBarTabHSpace) return 10;
    return QProxyStyle::pixelMetric(metric, option, widget);
}
