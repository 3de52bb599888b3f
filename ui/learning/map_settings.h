// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The decision map's plane for a network of three or more inputs: two
// choosers give the inputs on the axes, and every other input is held at a
// value set with a slider and a field. The held values follow the pattern
// the views share until the learner sets one; choosing another pattern
// sets them all again. Only a view setting: it never touches the network.

#include "output_map.h"

#include <QString>
#include <QWidget>

#include <span>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QSlider;
class TFlatSpinEditFloat;

class MapSettings : public QWidget {
    Q_OBJECT

public:
    explicit MapSettings(QWidget* parent = nullptr);

    // The inputs' names and the ranges their sliders cover; the axes and the
    // held values stay while the number of inputs does.
    void SetInputs(const std::vector<QString>& names, const std::vector<AxisRange>& ranges);
    // The shared pattern's inputs, x[i - 1] for input i: the held values
    // unless the learner set them.
    void FollowPattern(std::span<const double> x);
    // The next FollowPattern sets every held value again.
    void ForgetSetValues() { setByLearner_ = false; }

    const MapPlane& Plane() const { return plane_; }

signals:
    // The learner chose an axis or set a held value.
    void PlaneChanged();

private:
    struct HeldInput {
        QLabel* name;
        QSlider* slider;
        TFlatSpinEditFloat* field;
    };
    // The slider's step for a value, within the input's range.
    int SliderStep(int input, double value) const;
    // `byLearner` is the control the learner set it with; none when it follows the pattern.
    void SetHeld(int input, double value, const QWidget* byLearner);
    // Shows the held inputs' rows: every input off the axes.
    void LayOutHeld();
    void ChooseAxis(QComboBox* chooser, int& axis, int& other);

    QComboBox* across_;
    QComboBox* up_;
    QGridLayout* heldGrid_;
    std::vector<HeldInput> held_;
    std::vector<AxisRange> ranges_;
    MapPlane plane_;
    bool setByLearner_ = false;
    bool showing_ = false;  // the code writes a control; nothing the learner did
};
