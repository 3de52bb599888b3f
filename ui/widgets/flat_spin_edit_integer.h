// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An integer spin edit. Reading parses the text without clamping (a text
// that is not an integer reads MinValue); writing clamps into
// MinValue..MaxValue unless the two are equal, in which case any value goes.

#include "flat_spin_edit.h"

#include <cstdint>

class TFlatSpinEditInteger : public TFlatSpinEdit {
    Q_OBJECT
    // Read by screen readers through the spin box's accessible value.
    Q_PROPERTY(int value READ Value WRITE SetValue)
    Q_PROPERTY(int minimum READ MinValue WRITE SetMinValue)
    Q_PROPERTY(int maximum READ MaxValue WRITE SetMaxValue)
    Q_PROPERTY(int stepSize READ Increment WRITE SetIncrement)
public:
    explicit TFlatSpinEditInteger(QWidget* parent = nullptr);

    std::int32_t Value() const;
    void SetValue(std::int32_t value);

    std::int32_t MinValue() const { return minValue_; }
    // Changes the bound only; the value shown is not re-clamped.
    void SetMinValue(std::int32_t minValue) { minValue_ = minValue; }
    std::int32_t MaxValue() const { return maxValue_; }
    // Changes the bound only; the value shown is not re-clamped.
    void SetMaxValue(std::int32_t maxValue) { maxValue_ = maxValue; }
    std::int32_t Increment() const { return increment_; }
    void SetIncrement(std::int32_t increment) { increment_ = increment; }

    std::int32_t Clamped(std::int64_t value) const;

protected:
    void Step(int steps) override;
    void ClampShownValue() override;

private:
    std::int32_t minValue_ = 0;
    std::int32_t maxValue_ = 0;
    std::int32_t increment_ = 1;
};
