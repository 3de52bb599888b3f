// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Drives the real main window as a person would, with the dialogs and message
// boxes answered by the test instead of a person.

#include "error_report.h"
#include "file_dialogs.h"
#include "info_box.h"
#include "main_window.h"
#include "save_question.h"

#include <QList>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QWidget;
class TFlatSpinEditInteger;
class TFloatGrid;
class TNKLabelFloat;

// Answers the file dialogs in order; no answer left means "cancel".
class ScriptedDialogs : public FileDialogs {
public:
    std::optional<QString> Execute(QWidget* parent, const FileDialogRequest& request) override;
    void RememberFolderOf(const QString& path) override;
    QList<std::optional<QString>> answers;
    QList<FileDialogRequest> asked;
    QStringList remembered;
};

class RecordingErrorBox : public ErrorBox {
public:
    void Show(const QString& message, const QString& explanation) override;
    QStringList messages;
    QStringList explanations;
    std::function<void()> onShow;  // runs when a message arrives, to look at the window then
};

class RecordingInfoBox : public InfoBox {
public:
    void Show(QWidget* parent, const QString& message) override;
    bool Ask(QWidget* parent, const QString& question) override;
    QStringList messages;
    QStringList questions;
    QList<bool> answers;  // in order; none left means "no"
};

// Answers the question before unsaved work goes, in order; none left means
// "No guardar", so a test that does not look at it goes on as before.
class RecordingSaveQuestion : public SaveQuestion {
public:
    Answer Ask(QWidget* parent, const QString& question) override;
    QStringList questions;
    QList<Answer> answers;
};

class WindowDriver {
public:
    WindowDriver();
    ~WindowDriver();

    TForm1& form() { return *form_; }
    QString folder() const { return dir_.path(); }
    QString Path(const QString& name) const { return dir_.filePath(name); }
    // The regional decimal separator the window was given.
    QChar separator() const { return separator_; }
    // A number written with "." as the separator, in the regional form.
    QString Regional(QString number) const;

    void Click(QAbstractButton* button);
    // Selects the whole text of an edit and types `text` over it, leaving the
    // focus there: the value is typed, not confirmed.
    void TypeInto(QWidget* edit, const QString& text);
    // Types a number with "." for the separator into an entry field.
    void TypeNumber(TNKLabelFloat* field, const QString& number);
    void ShowTab(QWidget* sheet);
    // "Nueva Red Neuronal" for a network with these counts (typed into the
    // count fields) and the list choices given (-1 leaves a list alone).
    void CreateNetwork(int inputs, int hidden, int outputs, int rule = 0, int function = 0);
    // Types one pattern into the entry fields and presses "Añadir Patrón".
    void AddPattern(const QStringList& inputs, const QStringList& outputs);
    // A 2-2-1 sigmoid network on XOR coded 0.1 / 0.9, with the training tab shown.
    void PrepareXor();

    // Writes `lines` joined by CR LF (with "." turned into the regional
    // separator) into the test folder and returns its path.
    QString WriteFile(const QString& name, const QStringList& lines) const;
    QByteArray ReadFile(const QString& path) const;
    // The lines of a file as it should be written: regional separator, CR LF.
    QByteArray Bytes(const QStringList& lines) const;

    ScriptedDialogs dialogs;
    RecordingErrorBox errors;
    RecordingInfoBox notices;
    RecordingSaveQuestion saveQuestions;

private:
    QTemporaryDir dir_;
    // The window's remembered settings live in the test folder, so that no
    // test sees another's, nor the user's.
    bool settingsIsolated_;
    QChar separator_;
    std::unique_ptr<TForm1> form_;
};

// The grid's text of every cell of a row, columns 0..ColCount()-1.
QStringList RowTexts(TFloatGrid& grid, int row);
