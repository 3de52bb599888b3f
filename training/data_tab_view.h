// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the pattern operations need of the data-entry tab: the twenty entry
// fields (1..10 inputs, 11..20 expected outputs), the pattern-number field,
// the caption that names the next pattern and the pattern grid.

#include "number_table_view.h"

#include <cstdint>
#include <string>

class DataTabView {
public:
    static constexpr int Fields = 20;
    static constexpr int FieldsOfKind = 10;

    virtual ~DataTabView() = default;
    // Entry field `field` (1..20). Values are extended precision, as typed.
    virtual bool Enabled(int field) const = 0;
    virtual void SetEnabled(int field, bool enabled) = 0;
    virtual long double Value(int field) const = 0;
    virtual void SetValue(int field, long double value) = 0;
    // The pattern-number field: its value as typed, and a value write that
    // clamps to the field's range; the maximum write does not re-clamp.
    virtual std::int32_t PatternNumber() const = 0;
    virtual void SetPatternNumber(std::int32_t value) = 0;
    virtual void SetLargestPatternNumber(std::int32_t largest) = 0;
    // The caption above the fields, telling the number of the next pattern.
    virtual void SetPatternLabel(const std::string& text) = 0;
    virtual NumberTableView& PatternGrid() = 0;
};
