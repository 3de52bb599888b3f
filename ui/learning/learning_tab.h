#pragma once
// The "Cómo Aprende" page: views of the current network, each on its own
// inner tab, computed from copies so that they never change the network.

#include <QWidget>

struct WorkState;
class QTabWidget;
class StepView;
class TRedNeuronal;
class TrainingTabView;

class LearningTab : public QWidget {
    Q_OBJECT

public:
    LearningTab(TRedNeuronal& red, WorkState& estado, TrainingTabView& training, QWidget* parent = nullptr);

    // Adds a view as a further inner tab.
    void AddView(QWidget* page, const QString& caption);
    // The network or the patterns may have changed (the page was shown, a run ended).
    void Refresh();

    StepView* Steps() const { return stepView_; }

private:
    QTabWidget* views_;
    StepView* stepView_;
};
