// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Paso a paso": one backpropagation step on a chosen pattern, worked out
// value by value one phase at a time (forward pass, deltas backwards, output
// weights, hidden weights), each phase a table the learner pages through
// with every row in sight, its headers explained in tooltips, a key under
// it and the chosen row's computation written out. Values are rounded to the
// chosen decimals and whole in each cell's tooltip; the step is applied to
// the network on request as one training iteration, after which a line shows
// the pattern's outputs and error before and after.

#include "network_snapshot.h"
#include "worked_step.h"

#include <QWidget>

#include <cstdint>
#include <optional>

struct WorkState;
class LearningChoices;
class QLabel;
class QPushButton;
class QSpinBox;
class StepPhases;
class TRedNeuronal;
class TrainingTabView;

class StepView : public QWidget {
    Q_OBJECT

public:
    // `training` is the training tab, whose read-outs an applied step updates.
    StepView(TRedNeuronal& network, WorkState& state, TrainingTabView& training, LearningChoices& choices,
             QWidget* parent = nullptr);

    // "Calcular Paso": the step of the current network on the chosen pattern.
    void ComputeClick();
    // "Aplicar Paso": that step, computed afresh from the network as it is
    // now, shown and applied as one training iteration.
    void ApplyClick();
    // "Copiar": the whole step as tab-separated lines, every value in full.
    void CopyClick();
    // The network or the patterns may have changed: a step shown for another
    // network is cleared, and a plain sentence says what is missing.
    void Refresh();
    // The whole step as one picture, every row and column of every table.
    QImage WholeImage();
    // The phase in front, 0.. (forward, deltas, output weights, hidden weights).
    int Phase() const;
    void ShowPhase(int phase);

signals:
    void stepApplied();

private:
    // The chosen pattern when there is a network and that pattern; otherwise
    // the sentence that says why not is shown.
    std::optional<std::int32_t> ChosenPattern();
    // Why no step can be shown, or nothing when one can.
    QString Missing() const;
    // Whether the pattern of the step shown still holds the values it was worked out on.
    bool ShownPatternKept() const;
    void Display(const WorkedStep& step);
    void Clear();
    void ShowMessage(const QString& text);
    // The line "Patrón p: y before → after · error before → after".
    void ShowBeforeAndAfter(const WorkedStep& step);
    // Every value written again with the chosen decimals.
    void ShowDecimals();

    TRedNeuronal& network_;
    WorkState& state_;
    TrainingTabView& training_;
    LearningChoices& choices_;
    // What is shown: the step, the pattern it is for, and the
    // network it leaves the tables true for (before the step, or after it once applied).
    std::optional<WorkedStep> step_;
    std::int32_t stepPattern_ = 0;
    NetworkSnapshot shownFor_;
    // The outputs and error of the applied step's pattern, before and after.
    std::vector<double> outputsBefore_, outputsAfter_;
    double errorBefore_ = 0, errorAfter_ = 0;

    QSpinBox* patternChooser_;
    QSpinBox* decimalsChooser_;
    QPushButton* computeButton_;
    QPushButton* applyButton_;
    QPushButton* copyButton_;
    QPushButton* previousButton_;
    QPushButton* nextButton_;
    QLabel* phaseTitle_;
    QLabel* patternLabel_;
    QLabel* resultLine_;
    QLabel* messageLabel_;
    StepPhases* pages_;
};
