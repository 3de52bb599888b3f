// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Resultados": every pattern of each set, the training patterns and, when
// there are any, the test patterns, in two groups, with what the network
// answers for it now (inputs x, expected d, outputs y, the absolute error
// |d − y| of each output, the iteration error) and ✓ where that error is
// within the "Error Máx<=" threshold, under a count of how many are. Where
// the expected outputs name classes, each pattern's expected and obtained
// class too, under how many are classified right. It follows a run at the
// chart's cadence, only while on screen.

#include "network_view.h"

#include <optional>

class LearningChoices;
class QGroupBox;
class QLabel;
class TrainingTabView;
class ValueTable;
struct ClassScheme;
struct NetworkSnapshot;
struct PatternSet;

class ResultsView : public NetworkView {
    Q_OBJECT

public:
    ResultsView(const TrainingTabView& training, const LearningChoices& choices, QWidget* parent = nullptr);

    // The training patterns' "3 de 4 patrones dentro del umbral", or why
    // there is nothing to show.
    QString Summary() const;

protected:
    void Recompute(const TRedNeuronal& network, const WorkState& state) override;

private:
    // One set's part: its title, its two counts and its table.
    struct Group {
        QGroupBox* box;
        QLabel* summary;
        QLabel* tally;
        ValueTable* table;
    };
    Group MakeGroup(const QString& title, const QString& name);
    // The columns both groups share, named after the inputs and outputs.
    void ShowColumns(const WorkState& state, int inputs, int outputs, bool classes);
    // The rows of `set` and its counts.
    void ShowSet(const Group& group, const NetworkSnapshot& snapshot, const PatternSet& set,
                 const std::optional<ClassScheme>& scheme, const WorkState& state);

    const TrainingTabView& training_;
    const LearningChoices& choices_;
    Group trainingGroup_;
    Group testGroup_;
};
