// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Matriz de confusión": for each set, the training patterns and, when there
// are any, the test patterns, how many patterns of each expected class (a
// row) the network now gives each class (a column), the cells shaded by
// their count. Only where the expected outputs name classes; otherwise it
// says why there is no matrix. It follows a run at the other views'
// cadence, only while on screen.

#include "network_view.h"

class QLabel;
class QPushButton;
class ValueTable;
struct ClassScheme;
struct ConfusionMatrix;

class ConfusionView : public NetworkView {
    Q_OBJECT

public:
    explicit ConfusionView(QWidget* parent = nullptr);

    // Why there is no matrix; empty while there is one.
    QString Message() const;
    // What "Copiar" puts on the clipboard: each matrix shown as tab-separated
    // lines under its title, one line of headers, a blank line between them.
    QString TabSeparatedText() const;
    // How dark a cell with `count` of `largest` is shaded: the view's base
    // colour at 0 towards the full shade at the largest count.
    static QColor Shade(int count, int largest, const QColor& base);

protected:
    void Recompute(const TRedNeuronal& network, const WorkState& state) override;

private:
    // One set's matrix under its title.
    struct Part {
        QLabel* title;
        ValueTable* table;
    };
    Part MakePart(const QString& name);
    void ShowMatrix(const Part& part, const ConfusionMatrix& matrix, const ClassScheme& scheme, const WorkState& state);
    void ShowNone(const QString& why);

    QLabel* message_;
    QPushButton* copy_;
    Part training_;
    Part test_;
};
