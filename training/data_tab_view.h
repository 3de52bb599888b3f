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
    // Entry field `campo` (1..20). Values are extended precision, as typed.
    virtual bool Enabled(int campo) const = 0;
    virtual void SetEnabled(int campo, bool habilitado) = 0;
    virtual long double Value(int campo) const = 0;
    virtual void SetValue(int campo, long double valor) = 0;
    // The pattern-number field: its value as typed, and a value write that
    // clamps to the field's range; the maximum write does not re-clamp.
    virtual std::int32_t PatternNumber() const = 0;
    virtual void SetPatternNumber(std::int32_t valor) = 0;
    virtual void SetLargestPatternNumber(std::int32_t maximo) = 0;
    // The caption above the fields, telling the number of the next pattern.
    virtual void SetPatternLabel(const std::string& texto) = 0;
    virtual NumberTableView& PatternGrid() = 0;
};
