// SPDX-License-Identifier: GPL-3.0-or-later
#include "learning_tab.h"

#include "decision_map.h"
#include "network_diagram.h"
#include "step_view.h"

#include <QApplication>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

LearningTab::LearningTab(TRedNeuronal& network, WorkState& state, TrainingTabView& training, QWidget* parent)
    : QWidget(parent) {
    setObjectName("learningTab");
    views_ = new QTabWidget;
    views_->setObjectName("learningViews");
    stepView_ = new StepView(network, state, training);
    AddView(stepView_, "Paso a paso");
    diagram_ = new NetworkDiagram;
    diagram_->SetSource(network, state);
    AddView(diagram_, "Red");
    map_ = new DecisionMap;
    map_->SetSource(network, state);
    AddView(map_, "Mapa de decisión");
    // Beside the views' captions, where it takes no room from them.
    saveImage_ = new QPushButton(QApplication::style()->standardIcon(QStyle::SP_DialogSaveButton), "Guardar Imagen");
    saveImage_->setObjectName("saveViewImage");
    saveImage_->setAutoDefault(false);
    views_->setCornerWidget(saveImage_, Qt::TopRightCorner);
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

void LearningTab::Refresh() {
    stepView_->Refresh();
    FollowRun();
}

void LearningTab::FollowRun() {
    diagram_->Refresh();
    map_->Refresh();
}

QWidget* LearningTab::CurrentView() const { return views_->currentWidget(); }
