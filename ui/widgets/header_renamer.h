// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A table's column headers renamed in place: a double click on a header, or
// "Renombrar columna…" in its context menu, opens an editor over it holding
// the header's text. Return offers the text typed (Renamed); Escape, or the
// editor losing the focus, drops it. Columns are counted from 1, as the
// float grid counts them (its column 0 labels the rows).

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QLineEdit;
class QTableView;

class HeaderRenamer : public QObject {
    Q_OBJECT

public:
    // `renamable` says which columns take a name now.
    HeaderRenamer(QTableView& table, std::function<bool(int column)> renamable);

    // Opens the editor over `column`, when it takes a name.
    void Edit(int column);
    // The editor while it is open, else null.
    QLineEdit* Editor() const { return editor_; }

signals:
    void Renamed(int column, const QString& text);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Closes the editor; `refocus` gives the focus back to the table.
    void Close(bool refocus);

    QTableView& table_;
    std::function<bool(int column)> renamable_;
    QPointer<QLineEdit> editor_;
    int column_ = 0;
};
