// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Paso a paso": one backpropagation step on a chosen pattern, worked out
// value by value in three tables (forward pass, deltas backwards, weights
// neuron by neuron), rounded to the chosen decimals with every value in full
// in its cell's tooltip, and applied to the network on request as one
// training iteration, after which a line shows the pattern's outputs and
// error before and after.

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
class QSplitter;
class QTableWidget;
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
    // Every value cell written again with the chosen decimals.
    void ShowDecimals();
    void ShowWeightComputation(int row);
    // The tables of a step that learns share the room; otherwise the forward
    // table has it alone.
    void ShareRoom(bool learns);

    TRedNeuronal& network_;
    WorkState& state_;
    TrainingTabView& training_;
    LearningChoices& choices_;
    // What is shown: the step, the pattern it is for, and the network it
    // leaves the tables true for (before the step, or after it once applied).
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
    QLabel* patternLabel_;
    QLabel* resultLine_;
    QLabel* messageLabel_;
    QLabel* deltaHeading_;
    QTableWidget* forwardTable_;
    QTableWidget* deltaTable_;
    QTableWidget* weightTable_;
    QWidget* deltaPane_;
    QSplitter* tables_;
    QLabel* weightComputation_;
};
