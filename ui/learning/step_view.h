// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Paso a paso": one backpropagation step on a chosen pattern, worked out
// value by value in three tables (forward pass, deltas, weights), and
// applied to the network on request as one training iteration.

#include "network_snapshot.h"
#include "worked_step.h"

#include <QWidget>

#include <cstdint>
#include <optional>

struct WorkState;
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
    StepView(TRedNeuronal& network, WorkState& state, TrainingTabView& training, QWidget* parent = nullptr);

    // "Calcular Paso": the step of the current network on the chosen pattern.
    void ComputeClick();
    // "Aplicar Paso": that step, computed afresh from the network as it is
    // now, shown and applied as one training iteration.
    void ApplyClick();
    // The network or the patterns may have changed: the chooser takes the
    // pattern count, and a step shown for another network is cleared.
    void Refresh();

signals:
    void stepApplied();

private:
    // The chosen pattern, when there is a network and that pattern.
    std::optional<std::int32_t> ChosenPattern() const;
    // Whether the pattern of the step shown still holds the values it was worked out on.
    bool ShownPatternKept() const;
    void Display(const WorkedStep& step);
    void Clear();
    void ShowWeightComputation(int row);
    // The tables of a step that learns share the room; otherwise the forward
    // table has it alone.
    void ShareRoom(bool learns);

    TRedNeuronal& network_;
    WorkState& state_;
    TrainingTabView& training_;
    // What is shown: the step, the pattern it is for, and the network it
    // leaves the tables true for (before the step, or after it once applied).
    std::optional<WorkedStep> step_;
    std::int32_t stepPattern_ = 0;
    NetworkSnapshot shownFor_;

    QSpinBox* patternChooser_;
    QPushButton* computeButton_;
    QPushButton* applyButton_;
    QLabel* patternLabel_;
    QLabel* noLearningLabel_;
    QTableWidget* forwardTable_;
    QTableWidget* deltaTable_;
    QTableWidget* weightTable_;
    QSplitter* forwardAndDeltas_;
    QSplitter* tables_;
    QLabel* weightComputation_;
};
