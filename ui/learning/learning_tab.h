// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Cómo Aprende" page: views of the current network, each on its own
// inner tab, computed from copies so that they never change the network.
// They share one choice of pattern and of decimals.

#include <QWidget>

#include <optional>

struct WorkState;
class ConfusionView;
class DecisionMap;
class LearningChoices;
class NetworkDiagram;
class QPushButton;
class QTabWidget;
class ResultsView;
class StepView;
class TRedNeuronal;
class TrainingTabView;

class LearningTab : public QWidget {
    Q_OBJECT

public:
    LearningTab(TRedNeuronal& network, WorkState& state, TrainingTabView& training, QWidget* parent = nullptr);

    // Adds a view as a further inner tab.
    void AddView(QWidget* page, const QString& caption);
    // The network or the patterns may have changed (a run ended, a step was applied).
    void Refresh();
    // The page came to the front: the view in front has just read the
    // network as it was shown, so only the pattern and the step follow.
    void Entered();
    // A run has moved on: the views that follow it read the network again,
    // the one in front only, and only while the page is.
    void FollowRun();

    StepView* Steps() const { return stepView_; }
    NetworkDiagram* Diagram() const { return diagram_; }
    DecisionMap* Map() const { return map_; }
    ResultsView* Results() const { return results_; }
    ConfusionView* Confusion() const { return confusion_; }
    LearningChoices& Choices() const { return *choices_; }
    // The view in front, which "Guardar Imagen" saves.
    QWidget* CurrentView() const;
    // The picture "Guardar Imagen" saves: the whole step for "Paso a paso",
    // the view as it is on screen for the others.
    QImage CurrentViewImage() const;
    QPushButton* SaveImageButton() const { return saveImage_; }

private:
    // The pattern the network last trained on or stepped through becomes the
    // views' pattern, once each time it changes.
    void FollowLastPattern();

    TRedNeuronal& network_;
    WorkState& state_;
    LearningChoices* choices_;
    QTabWidget* views_;
    StepView* stepView_;
    NetworkDiagram* diagram_;
    DecisionMap* map_;
    ResultsView* results_;
    ConfusionView* confusion_;
    QPushButton* saveImage_;
    std::optional<int> lastPattern_;
};
