// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window's modal file dialogs sit behind this interface so that tests
// can answer them without a person at the keyboard.

#include <QString>

#include <optional>

class QWidget;

// One of the window's dialogs: what it is for, the one filter it offers
// ("*.rna") and the extension added to a name typed without one ("rna").
struct FileDialogRequest {
    enum class Mode { Open, Save };
    Mode mode;
    QString name;
    QString filter;
    QString defaultSuffix;
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Shows the dialog modally; the chosen path, or nothing when cancelled.
    virtual std::optional<QString> Execute(QWidget* parent, const FileDialogRequest& request) = 0;
    // The chosen file was loaded or saved: the next dialog opens in its
    // folder. A folder where a save or load failed is not remembered.
    virtual void RememberFolderOf(const QString& path) = 0;
};

// The real dialogs: an open dialog accepts any name, existing or not, and a
// save dialog replaces an existing file without asking. Files are typed by
// their names alone, never by reading them: in a folder such as /proc a
// read may never return.
class QtFileDialogs : public FileDialogs {
public:
    std::optional<QString> Execute(QWidget* parent, const FileDialogRequest& request) override;
    void RememberFolderOf(const QString& path) override;
};
