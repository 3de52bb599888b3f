// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The class each pattern gets, where the expected outputs name classes:
// with two or more outputs, class k is output k, a pattern's expected class
// is the output it expects largest and its obtained class the output with
// the largest y; with one output taking two values, class 1 is the lower
// value and class 2 the higher, and y falls on the side of their midpoint.

#include "network_snapshot.h"
#include "pattern_set.h"
#include "work_state.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>


// How the expected outputs name classes.
struct ClassScheme {
    std::int32_t classes = 0;  // one per output, or 2 for one output
    bool oneOutput = false;
    double low = 0, high = 0;  // one output: its two expected values, low < high
};

// The classes of `outputs` outputs, when the expected rows of every set look
// like classes: with two or more outputs, each row has one largest value;
// with one output, the rows together take exactly two values. None
// otherwise, and none without a single pattern or with a NaN.
std::optional<ClassScheme> FindClasses(std::span<const PatternSet> sets, std::int32_t outputs);
// Of the training set and the test set together, so that both are told by one scheme.
std::optional<ClassScheme> FindClasses(const WorkState& state, std::int32_t outputs);

// The class an expected row d[k − 1] names: its largest output, or for one
// output 1 at the low value and 2 at the high one; 0 for a row the scheme
// does not name.
std::int32_t ExpectedClass(const ClassScheme& scheme, std::span<const double> expected);

// The class the outputs y[k − 1] give: the output with the largest y (on a
// tie the lower index, WinningOutput's rule); for one output, 2 when y lies
// above the midpoint low/2 + high/2 and 1 otherwise, so y exactly at the
// midpoint goes to the lower value, as a tie goes to the lower index. 0, no
// class, when an output is NaN (the pass overflowed): never correct.
std::int32_t ObtainedClass(const ClassScheme& scheme, std::span<const double> outputs);

struct PatternClass {
    std::int32_t expected = 0, obtained = 0;
    bool Correct() const { return expected != 0 && obtained == expected; }
};

// A pattern's two classes from its expected row and its outputs.
PatternClass ClassOf(const ClassScheme& scheme, std::span<const double> expected, std::span<const double> outputs);

// Patterns 1..count of the set on the network in `snapshot`, [p − 1].
std::vector<PatternClass> ClassifySet(const NetworkSnapshot& snapshot, const ClassScheme& scheme,
                                      const PatternSet& set);

struct ClassTally {
    std::int32_t correct = 0, total = 0;
};
ClassTally TallyClasses(const std::vector<PatternClass>& classes);

// "97 de 99 bien clasificados (98,0 %)", the share with one decimal and
// `separator`; "0 de 0 bien clasificados" for an empty set.
std::string ClassTallyText(ClassTally tally, char separator);

// Class `c`'s name: its output's name, or for one output the output's name
// and the value ("Salida 1 = 0,9", the value in the files' form).
std::string ClassName(const ClassScheme& scheme, const WorkState& state, std::int32_t c, char separator);
