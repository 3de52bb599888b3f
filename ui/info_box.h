// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Notices that are not errors (a load that succeeded but left something
// out) are shown through this interface so that tests can read them.

#include <QString>

class QWidget;

class InfoBox {
public:
    virtual ~InfoBox() = default;
    virtual void Show(QWidget* parent, const QString& message) = 0;
};

// The real box: an information message box titled "PerceptLab".
class QtInfoBox : public InfoBox {
public:
    void Show(QWidget* parent, const QString& message) override;
};
