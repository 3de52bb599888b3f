// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Notices that are not errors (a load that succeeded but left something
// out), and questions before a change that cannot be undone, are shown through this interface so that tests can read them.

#include <QString>

class QWidget;

class InfoBox {
public:
    virtual ~InfoBox() = default;
    virtual void Show(QWidget* parent, const QString& message) = 0;
    // A question answered yes or no; true for yes.
    virtual bool Ask(QWidget* parent, const QString& question) = 0;
};

// The real box: an information message box titled "PerceptLab".
class QtInfoBox : public InfoBox {
public:
    void Show(QWidget* parent, const QString& message) override;
    bool Ask(QWidget* parent, const QString& question) override;
};
