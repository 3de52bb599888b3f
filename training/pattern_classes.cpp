// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_classes.h"

#include "integer_text.h"
#include "io_names.h"
#include "output_map.h"
#include "real_text.h"

#include <algorithm>
#include <cmath>

namespace {

std::span<const double> Row(const PatternTable& table, std::int32_t p, std::int32_t count) {
    return std::span(table[static_cast<std::size_t>(p)]).subspan(1, static_cast<std::size_t>(count));
}

// With two or more outputs: whether the row's largest value is its only one.
bool HasOneLargest(std::span<const double> row) {
    const int winner = WinningOutput(row);
    return winner != 0 && std::count(row.begin(), row.end(), row[static_cast<std::size_t>(winner - 1)]) == 1;
}

}  // namespace

std::optional<ClassScheme> FindClasses(std::span<const PatternSet> sets, std::int32_t outputs) {
    if (outputs < 1) return std::nullopt;
    std::vector<double> values;  // one output: its distinct expected values
    std::int32_t rows = 0;
    for (const PatternSet& set : sets) {
        for (std::int32_t p = 1; p <= set.count; ++p, ++rows) {
            const auto d = Row(*set.outputs, p, outputs);
            if (outputs > 1) {
                if (!HasOneLargest(d)) return std::nullopt;
                continue;
            }
            if (std::isnan(d[0])) return std::nullopt;
            if (std::find(values.begin(), values.end(), d[0]) == values.end()) values.push_back(d[0]);
            if (values.size() > 2) return std::nullopt;
        }
    }
    if (rows == 0) return std::nullopt;
    if (outputs > 1) return ClassScheme{outputs, false, 0, 0};
    if (values.size() != 2) return std::nullopt;
    return ClassScheme{2, true, std::min(values[0], values[1]), std::max(values[0], values[1])};
}

std::optional<ClassScheme> FindClasses(const WorkState& state, std::int32_t outputs) {
    const PatternSet sets[] = {TrainingPatterns(state), TestPatterns(state)};
    return FindClasses(sets, outputs);
}

std::int32_t ExpectedClass(const ClassScheme& scheme, std::span<const double> expected) {
    if (!scheme.oneOutput) return HasOneLargest(expected) ? WinningOutput(expected) : 0;
    return expected[0] == scheme.low ? 1 : expected[0] == scheme.high ? 2 : 0;
}

std::int32_t ObtainedClass(const ClassScheme& scheme, std::span<const double> outputs) {
    if (!scheme.oneOutput) return WinningOutput(outputs);
    if (std::isnan(outputs[0])) return 0;
    // Halves first: the midpoint of any two finite doubles stays finite.
    return outputs[0] > scheme.low / 2 + scheme.high / 2 ? 2 : 1;
}

PatternClass ClassOf(const ClassScheme& scheme, std::span<const double> expected, std::span<const double> outputs) {
    return {ExpectedClass(scheme, expected), ObtainedClass(scheme, outputs)};
}

std::vector<PatternClass> ClassifySet(const NetworkSnapshot& snapshot, const ClassScheme& scheme,
                                      const PatternSet& set) {
    std::vector<PatternClass> classes;
    std::vector<double> y(static_cast<std::size_t>(snapshot.outputs));
    for (std::int32_t p = 1; p <= set.count; ++p) {
        OutputValues(snapshot, Row(*set.inputs, p, snapshot.inputs), y);
        classes.push_back(ClassOf(scheme, Row(*set.outputs, p, snapshot.outputs), y));
    }
    return classes;
}

ClassTally TallyClasses(const std::vector<PatternClass>& classes) {
    ClassTally tally;
    tally.total = static_cast<std::int32_t>(classes.size());
    tally.correct = static_cast<std::int32_t>(std::count_if(classes.begin(), classes.end(),
                                                            [](const PatternClass& c) { return c.Correct(); }));
    return tally;
}

std::string ClassTallyText(ClassTally tally, char separator) {
    std::string text = IntegerText(tally.correct) + " de " + IntegerText(tally.total) + " bien clasificados";
    if (tally.total > 0)
        text += " (" + FixedText(100.0L * tally.correct / tally.total, 1, separator) + " %)";
    return text;
}

std::string ClassName(const ClassScheme& scheme, const WorkState& state, std::int32_t c, char separator) {
    if (!scheme.oneOutput) return OutputName(state, c);
    return OutputName(state, 1) + " = " + RealText(c == 1 ? scheme.low : scheme.high, separator);
}
