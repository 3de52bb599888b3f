#include "learning_tab.h"

#include "step_view.h"

#include <QTabWidget>
#include <QVBoxLayout>

LearningTab::LearningTab(TRedNeuronal& red, WorkState& estado, TrainingTabView& training, QWidget* parent)
    : QWidget(parent) {
    setObjectName("learningTab");
    views_ = new QTabWidget;
    views_->setObjectName("learningViews");
    stepView_ = new StepView(red, estado, training);
    AddView(stepView_, "Paso a paso");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(views_);
    // An applied step changed the network every view shows.
    connect(stepView_, &StepView::stepApplied, this, &LearningTab::Refresh);
}

void LearningTab::AddView(QWidget* page, const QString& caption) {
    page->setAccessibleName(caption);
    views_->addTab(page, caption);
}

void LearningTab::Refresh() { stepView_->Refresh(); }
