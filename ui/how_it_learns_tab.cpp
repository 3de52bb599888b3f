// The "Cómo Aprende" tab: its views work on copies of the network; the
// window only tells them when the network may have changed.

#include "main_window.h"
#include "learning_tab.h"
#include "training_view.h"

#include <QVBoxLayout>

void TForm1::BuildLearningTab() {
    learningTab_ = new LearningTab(RedNeuronal1, workState, *trainingView_);
    auto* layout = new QVBoxLayout(TabSheet6);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(learningTab_);
}

void TForm1::TabSheet6Show() { learningTab_->Refresh(); }
