// SPDX-License-Identifier: GPL-3.0-or-later
#include "learning_tab.h"

#include "confusion_view.h"
#include "decision_map.h"
#include "learning_choices.h"
#include "network.h"
#include "network_diagram.h"
#include "results_view.h"
#include "step_view.h"
#include "work_state.h"

#include <QApplication>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The first pattern of the table whose inputs and expected outputs the
// network holds now: the one it last trained on or stepped through.
std::optional<int> PatternInNetwork(const TRedNeuronal& network, const WorkState& state) {
    if (!state.RedCreada) return std::nullopt;
    const int n = network.NumeroEntradas(), outputs = network.NeuronasCapaSalida();
    for (int p = 1; p <= std::min(state.NumeroPatrones, kMaxPatterns); ++p) {
        const auto& x = state.EntradasPatrones[static_cast<std::size_t>(p)];
        const auto& d = state.SalidasPatrones[static_cast<std::size_t>(p)];
        if (std::equal(x.begin() + 1, x.begin() + 1 + n, network.Entradas.begin() + 1) &&
            std::equal(d.begin() + 1, d.begin() + 1 + outputs, network.SalidasEsperadas.begin() + 1))
            return p;
    }
    return std::nullopt;
}

}  // namespace

LearningTab::LearningTab(TRedNeuronal& network, WorkState& state, TrainingTabView& training, QWidget* parent)
    : QWidget(parent), network_(network), state_(state), choices_(new LearningChoices(this)) {
    setObjectName("learningTab");
    views_ = new QTabWidget;
    views_->setObjectName("learningViews");
    stepView_ = new StepView(network, state, training, *choices_);
    AddView(stepView_, "Paso a paso");
    diagram_ = new NetworkDiagram(*choices_);
    diagram_->SetSource(network, state);
    AddView(diagram_, "Red");
    map_ = new DecisionMap(*choices_);
    map_->SetSource(network, state);
    AddView(map_, "Mapa de decisión");
    results_ = new ResultsView(training, *choices_);
    results_->SetSource(network, state);
    AddView(results_, "Resultados");
    confusion_ = new ConfusionView;
    confusion_->SetSource(network, state);
    AddView(confusion_, "Matriz de confusión");
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

void LearningTab::FollowLastPattern() {
    const std::optional<int> last = PatternInNetwork(network_, state_);
    if (last && last != lastPattern_) choices_->SetPattern(*last);
    lastPattern_ = last;
}

void LearningTab::Refresh() {
    FollowLastPattern();
    stepView_->Refresh();
    FollowRun();
}

void LearningTab::Entered() {
    FollowLastPattern();
    stepView_->Refresh();
}

void LearningTab::FollowRun() {
    diagram_->Refresh();
    map_->Refresh();
    results_->Refresh();
    confusion_->Refresh();
}

QWidget* LearningTab::CurrentView() const { return views_->currentWidget(); }

QImage LearningTab::CurrentViewImage() const {
    if (views_->currentWidget() == stepView_) return stepView_->WholeImage();
    return views_->currentWidget()->grab().toImage();
}
