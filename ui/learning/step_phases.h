// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pages of "Paso a paso", one per phase of a worked step: each holds the
// phase's table, the key under it, and the computation of the row chosen in
// it, written with the chosen decimals.

#include "worked_rows.h"

#include <QStackedWidget>

#include <vector>

class QLabel;
class ValueTable;

class StepPhases : public QStackedWidget {
    Q_OBJECT

public:
    explicit StepPhases(QWidget* parent = nullptr);

    // The tables of a step, each on its page, the first row with a
    // computation chosen so that one is in sight at once.
    void Show(std::vector<WorkedTable> tables, int decimals);
    void Clear();
    void ShowDecimals(int decimals);
    // The phases the step shown has (at least one page is always there).
    int Count() const;
    // Every page's table, shown or not, in phase order.
    QList<ValueTable*> Tables() const;
    // The short name of phase `phase`.
    static QString Title(int phase);

private:
    struct Page {
        ValueTable* table;
        QLabel* key;
        QLabel* line;
    };
    void ShowLine(std::size_t phase, int row);

    std::vector<Page> pages_;
    std::vector<WorkedTable> shown_;
    int decimals_ = 4;
};
