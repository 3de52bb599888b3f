// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Cómo Aprende" page: views of the current network, each on its own
// inner tab, computed from copies so that they never change the network.

#include <QWidget>

struct WorkState;
class DecisionMap;
class NetworkDiagram;
class QPushButton;
class QTabWidget;
class StepView;
class TRedNeuronal;
class TrainingTabView;

class LearningTab : public QWidget {
    Q_OBJECT

public:
    LearningTab(TRedNeuronal& network, WorkState& state, TrainingTabView& training, QWidget* parent = nullptr);

    // Adds a view as a further inner tab.
    void AddView(QWidget* page, const QString& caption);
    // The network or the patterns may have changed (the page was shown, a run ended).
    void Refresh();
    // A run has moved on: the views that follow it read the network again,
    // the one in front only, and only while the page is.
    void FollowRun();

    StepView* Steps() const { return stepView_; }
    NetworkDiagram* Diagram() const { return diagram_; }
    DecisionMap* Map() const { return map_; }
    // The view in front, which "Guardar Imagen" saves.
    QWidget* CurrentView() const;
    QPushButton* SaveImageButton() const { return saveImage_; }

private:
    QTabWidget* views_;
    StepView* stepView_;
    NetworkDiagram* diagram_;
    DecisionMap* map_;
    QPushButton* saveImage_;
};
