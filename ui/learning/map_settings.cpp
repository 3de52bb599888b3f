// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_settings.h"

#include "flat_spin_edit_float.h"
#include "number_texts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSliderSteps = 1000;
// Held inputs side by side on each line of their grid.
constexpr int kHeldPerLine = 2;
constexpr int kLinesInView = 2;

}  // namespace

MapSettings::MapSettings(QWidget* parent)
    : QWidget(parent), across_(new QComboBox), up_(new QComboBox), heldGrid_(new QGridLayout) {
    setObjectName(QStringLiteral("mapSettings"));
    across_->setObjectName(QStringLiteral("mapAcrossChooser"));
    across_->setAccessibleName(QStringLiteral("Entrada del eje horizontal"));
    up_->setObjectName(QStringLiteral("mapUpChooser"));
    up_->setAccessibleName(QStringLiteral("Entrada del eje vertical"));
    connect(across_, &QComboBox::activated, this, [this] { ChooseAxis(across_, plane_.across, plane_.up); });
    connect(up_, &QComboBox::activated, this, [this] { ChooseAxis(up_, plane_.up, plane_.across); });
    auto* axes = new QHBoxLayout;
    axes->addWidget(new QLabel(QStringLiteral("Eje horizontal:")));
    axes->addWidget(across_, 1);
    axes->addSpacing(12);
    axes->addWidget(new QLabel(QStringLiteral("Eje vertical:")));
    axes->addWidget(up_, 1);
    auto* heldPage = new QWidget;
    heldPage->setLayout(heldGrid_);
    heldGrid_->setContentsMargins(0, 0, 0, 0);
    heldGrid_->setVerticalSpacing(1);
    auto* scroll = new QScrollArea;
    scroll->setWidget(heldPage);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMaximumHeight(kLinesInView * (fontMetrics().height() + 12));
    // The plane below takes every pixel the controls do not need.
    scroll->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addLayout(axes);
    layout->addWidget(new QLabel(QStringLiteral("Las demás entradas, fijas en:")));
    layout->addWidget(scroll);
}

void MapSettings::SetInputs(const std::vector<QString>& names, const std::vector<AxisRange>& ranges) {
    ranges_ = ranges;
    const int inputs = static_cast<int>(names.size());
    if (static_cast<int>(held_.size()) != inputs) {
        for (const HeldInput& row : held_) delete row.name, delete row.slider, delete row.field;
        held_.clear();
        plane_ = MapPlane{1, std::min(2, inputs), std::vector<double>(names.size(), 0.0)};
        setByLearner_ = false;
        for (int i = 1; i <= inputs; ++i) {
            QWidget* page = heldGrid_->parentWidget();
            HeldInput row{new QLabel(page), new QSlider(Qt::Horizontal, page), new TFlatSpinEditFloat(page)};
            row.slider->setObjectName(QStringLiteral("mapHeldSlider%1").arg(i));
            row.slider->setRange(0, kSliderSteps);
            row.field->setObjectName(QStringLiteral("mapHeldField%1").arg(i));
            row.field->setFixedWidth(row.field->fontMetrics().horizontalAdvance(QStringLiteral("-0,00000000")) + 12);
            connect(row.slider, &QSlider::valueChanged, this, [this, i](int step) {
                if (showing_) return;
                const AxisRange range = ranges_[static_cast<std::size_t>(i - 1)];
                SetHeld(i, range.low + (range.high - range.low) * step / kSliderSteps, held_[static_cast<std::size_t>(i - 1)].slider);
            });
            // Each number the text reads as, typed or stepped.
            connect(row.field->Editor(), &QLineEdit::textChanged, this, [this, i] {
                if (showing_) return;
                const auto value = ReadNumber(held_[static_cast<std::size_t>(i - 1)].field->Text());
                if (value && std::isfinite(*value)) SetHeld(i, *value, held_[static_cast<std::size_t>(i - 1)].field);
            });
            held_.push_back(row);
        }
    }
    const QSignalBlocker blockAcross(across_), blockUp(up_);
    for (QComboBox* chooser : {across_, up_}) {
        bool same = chooser->count() == inputs;
        for (int i = 0; same && i < inputs; ++i) same = chooser->itemText(i) == names[static_cast<std::size_t>(i)];
        if (same) continue;
        chooser->clear();
        for (const QString& name : names) chooser->addItem(name);
    }
    across_->setCurrentIndex(plane_.across - 1);
    up_->setCurrentIndex(plane_.up - 1);
    for (int i = 1; i <= inputs; ++i) {
        const HeldInput& row = held_[static_cast<std::size_t>(i - 1)];
        row.name->setText(names[static_cast<std::size_t>(i - 1)]);
        row.slider->setAccessibleName(QStringLiteral("Valor fijo de %1").arg(names[static_cast<std::size_t>(i - 1)]));
        row.field->setAccessibleName(row.slider->accessibleName());
        const AxisRange range = ranges[static_cast<std::size_t>(i - 1)];
        row.field->SetIncrement((range.high - range.low) / 20);
        showing_ = true;
        row.slider->setValue(SliderStep(i, plane_.held[static_cast<std::size_t>(i - 1)]));
        showing_ = false;
    }
    LayOutHeld();
}

void MapSettings::FollowPattern(std::span<const double> x) {
    if (setByLearner_) return;
    for (int i = 1; i <= static_cast<int>(std::min(x.size(), held_.size())); ++i)
        if (plane_.held[static_cast<std::size_t>(i - 1)] != x[static_cast<std::size_t>(i - 1)])
            SetHeld(i, x[static_cast<std::size_t>(i - 1)], nullptr);
}

int MapSettings::SliderStep(int input, double value) const {
    const AxisRange range = ranges_[static_cast<std::size_t>(input - 1)];
    const double share = (value - range.low) / (range.high - range.low);
    return std::isfinite(share) ? static_cast<int>(std::lround(std::clamp(share, 0.0, 1.0) * kSliderSteps)) : 0;
}

void MapSettings::SetHeld(int input, double value, const QWidget* byLearner) {
    const auto at = static_cast<std::size_t>(input - 1);
    plane_.held[at] = value;
    setByLearner_ = setByLearner_ || byLearner;
    showing_ = true;
    // The control the learner used shows the value already, a number being typed as typed.
    if (byLearner != held_[at].slider) held_[at].slider->setValue(SliderStep(input, value));
    if (byLearner != held_[at].field) held_[at].field->SetValue(value);
    showing_ = false;
    if (byLearner) emit PlaneChanged();
}

void MapSettings::ChooseAxis(QComboBox* chooser, int& axis, int& other) {
    const int chosen = chooser->currentIndex() + 1;
    if (chosen == axis) return;
    // Both axes on one input would be no plane: the other axis takes this one's input.
    if (chosen == other) other = axis;
    axis = chosen;
    across_->setCurrentIndex(plane_.across - 1);
    up_->setCurrentIndex(plane_.up - 1);
    LayOutHeld();
    emit PlaneChanged();
}

void MapSettings::LayOutHeld() {
    for (const HeldInput& row : held_)
        for (QWidget* widget : {static_cast<QWidget*>(row.name), static_cast<QWidget*>(row.slider),
                                static_cast<QWidget*>(row.field)}) {
            heldGrid_->removeWidget(widget);
            widget->hide();
        }
    int place = 0;
    for (int i = 1; i <= static_cast<int>(held_.size()); ++i) {
        if (i == plane_.across || i == plane_.up) continue;
        const HeldInput& row = held_[static_cast<std::size_t>(i - 1)];
        const int line = place / kHeldPerLine, column = 3 * (place % kHeldPerLine);
        heldGrid_->addWidget(row.name, line, column);
        heldGrid_->addWidget(row.slider, line, column + 1);
        heldGrid_->addWidget(row.field, line, column + 2);
        for (QWidget* widget : {static_cast<QWidget*>(row.name), static_cast<QWidget*>(row.slider),
                                static_cast<QWidget*>(row.field)})
            widget->show();
        ++place;
    }
}
