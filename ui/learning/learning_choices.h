// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the learner chose once for every "Cómo Aprende" view: the pattern
// whose values they show and the decimals they round to.

#include "value_text.h"

#include <QObject>

class LearningChoices : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // 1..; a view checks it against the table it reads.
    int Pattern() const { return pattern_; }
    void SetPattern(int pattern);
    // 1..15.
    int Decimals() const { return decimals_; }
    void SetDecimals(int decimals);

signals:
    void PatternChanged(int pattern);
    void DecimalsChanged(int decimals);

private:
    int pattern_ = 1;
    int decimals_ = kDefaultDecimals;
};
