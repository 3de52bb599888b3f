// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A read-only table of the learning views whose cells are names or values:
// a value is shown rounded to the chosen decimals and kept whole, in its
// tooltip and for copying. Cells and headers are written in place, so that a
// view refreshed often during a run costs the table no new layout when
// nothing changed.

#include <QTableWidget>

class ValueTable : public QTableWidget {
    Q_OBJECT

public:
    // `title` is the table's accessible name and its first line when copied.
    ValueTable(const QString& name, const QString& title, QWidget* parent = nullptr);

    // Headers (two lines where they hold "\n") with what each one means.
    void SetColumns(const QStringList& headers, const QStringList& tips);
    void SetRows(int rows);
    void SetText(int row, int column, const QString& text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);
    void SetValue(int row, int column, double value, int decimals);
    // Every value cell written again with `decimals` decimals.
    void ShowDecimals(int decimals);
    // The table as tab-separated lines under its title: one line of headers,
    // then the rows, every value in full.
    QString TabSeparatedText() const;
    // The table at the size that shows every row and column, as a picture.
    QImage WholeImage();
    // The height that shows every row without scrolling.
    int WholeHeight() const;

private:
    // The cell at row, column, made when missing, aligned as asked.
    QTableWidgetItem* Cell(int row, int column, Qt::Alignment alignment);
};
