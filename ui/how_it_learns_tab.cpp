// SPDX-License-Identifier: GPL-3.0-or-later
// The "Cómo Aprende" tab: its views work on copies of the network; the
// window only tells them when the network may have changed.

#include "error_chart.h"
#include "image_export.h"
#include "learning_tab.h"
#include "main_window.h"
#include "training_view.h"

#include <QImage>
#include <QPushButton>
#include <QVBoxLayout>

void TForm1::BuildLearningTab() {
    learningTab_ = new LearningTab(RedNeuronal1, workState, *trainingView_);
    auto* layout = new QVBoxLayout(TabSheet6);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(learningTab_);
    // A run refreshes the views as often as it repaints the chart: during a
    // run the chart draws only while the window processes its messages,
    // between two iterations, so the network is whole when they read it.
    connect(Chart1, &ErrorChart::Drawn, learningTab_, &LearningTab::FollowRun);
}

// Shown before this is called, the view in front has read the network already.
void TForm1::TabSheet6Show() { learningTab_->Entered(); }

// A step computed or applied, and a file dialog, would each stop the run or
// work on a network that has already moved on.
QList<QWidget*> TForm1::LearningControlsThatAct() const {
    QList<QWidget*> controls{learningTab_->SaveImageButton()};
    for (const char* name : {"computeStepButton", "applyStepButton"})
        if (auto* button = learningTab_->findChild<QPushButton*>(QLatin1String(name))) controls << button;
    return controls;
}

void TForm1::SaveViewImage() { SaveImage(learningTab_->CurrentViewImage(), *fileDialogs_, this); }
