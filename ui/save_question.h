// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The question before unsaved work goes (closing the window, a load, a new
// network) sits behind this interface so that tests can answer it.

#include <QString>

class QWidget;

class SaveQuestion {
public:
    enum class Answer { Save, Discard, Cancel };
    virtual ~SaveQuestion() = default;
    virtual Answer Ask(QWidget* parent, const QString& question) = 0;
};

// The real question: a message box titled "PerceptLab" with the standard
// Save, Discard and Cancel buttons, whose captions Qt's own translations
// give in the desktop's language. Esc or closing the box cancels.
class QtSaveQuestion : public SaveQuestion {
public:
    Answer Ask(QWidget* parent, const QString& question) override;
};
