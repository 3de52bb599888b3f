// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Resultados": every pattern of the table with what the network answers for
// it now (inputs x, expected d, outputs y, the absolute error |d − y| of each
// output, the iteration error) and ✓ where
// that error is within the "Error Máx<=" threshold, under a count of how many
// are. It follows a run at the chart's cadence, only while on screen.

#include "network_view.h"

class LearningChoices;
class QLabel;
class TrainingTabView;
class ValueTable;

class ResultsView : public NetworkView {
    Q_OBJECT

public:
    ResultsView(const TrainingTabView& training, const LearningChoices& choices, QWidget* parent = nullptr);

    // "3 de 4 patrones dentro del umbral", or why there is nothing to show.
    QString Summary() const;

protected:
    void Recompute(const TRedNeuronal& network, const WorkState& state) override;

private:
    const TrainingTabView& training_;
    const LearningChoices& choices_;
    QLabel* summary_;
    ValueTable* table_;
};
