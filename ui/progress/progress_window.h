// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The progress window shown while a training run lasts: a borderless strip
// saying the program is busy, with a "Stop" button. The run processes window
// messages every so often; a click on "Stop" handled there sets the stop
// request the run reads when the processing returns.
//
// It has no parent so that disabling the main window for the length of a run
// leaves "Stop" clickable, and it never takes the focus, so a value typed
// into the main window and not yet confirmed stays as typed.

#include "gradient_button.h"

#include <QLabel>
#include <QWidget>

class TForm2 : public QWidget {
    Q_OBJECT

public:
    // pararEntrenamiento: the working state's stop request, which outlives
    // this window.
    explicit TForm2(bool& pararEntrenamiento);

    // Shows the window and paints it at once, before a run's loop starts.
    void ShowPainted();

    // "Stop": requests the run to stop, then processes pending messages once.
    void HiperBoton2Click();

    // How far the run is: a small line under the caption and a thin bar
    // along the bottom edge filled to `fraction` (0 to 1; 0 for none).
    void ShowProgress(const QString& text, double fraction);

    THiperBoton HiperBoton1;
    THiperBoton HiperBoton2;
    QLabel progressLine;
    QWidget progressBar;

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool& stopTraining_;
};
