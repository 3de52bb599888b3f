// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Separar para prueba…" asks which share of the training patterns goes to
// the test set; behind this interface so that tests can answer it.

#include <QString>

#include <optional>

class QWidget;

class ShareQuestion {
public:
    virtual ~ShareQuestion() = default;
    // A whole percentage, 1 to 99; none when the user cancelled.
    virtual std::optional<int> Ask(QWidget* parent, const QString& question) = 0;
};

// The real question: an integer input box titled "PerceptLab", 20 to begin with.
class QtShareQuestion : public ShareQuestion {
public:
    std::optional<int> Ask(QWidget* parent, const QString& question) override;
};
