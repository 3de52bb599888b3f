// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A disabled control that shows data must stay readable: while a training
// run disables the window, the read-outs are what the learner watches. This
// keeps a widget's disabled text colours close to (or the same as) its active
// ones, taken afresh from the palette whenever the palette changes, so that
// any desktop palette, light or dark, is followed.

#include <QObject>
#include <QPalette>

class QWidget;

class ReadableWhenDisabled : public QObject {
public:
    // Which colours follow the active ones: captions only, every text, or
    // everything a read-out draws (texts and the backgrounds behind them).
    enum class Roles { Captions, Texts, ReadOut };

    // `dim` = 0 draws the disabled text exactly as the active text; larger
    // values move it towards the background (1 would make it invisible).
    // The helper belongs to `widget`.
    static void Keep(QWidget* widget, Roles roles, double dim = 0.0);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ReadableWhenDisabled(QWidget* widget, Roles roles, double dim);
    void Apply();

    QWidget* widget_;
    Roles roles_;
    double dim_;
};
