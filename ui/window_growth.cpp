// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_growth.h"

#include <cmath>

void WindowGrowth::Add(QWidget* control, Share share) { rules_.push_back({control, control->geometry(), share}); }

void WindowGrowth::Apply(QSize extra) const {
    const auto part = [](double share, int extra) { return static_cast<int>(std::lround(share * extra)); };
    for (const Rule& rule : rules_) {
        if (!rule.control) continue;
        const Share& s = rule.share;
        rule.control->setGeometry(rule.base.x() + part(s.left, extra.width()), rule.base.y() + part(s.top, extra.height()),
                                  rule.base.width() + part(s.width, extra.width()),
                                  rule.base.height() + part(s.height, extra.height()));
    }
}
