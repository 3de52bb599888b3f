// SPDX-License-Identifier: GPL-3.0-or-later
#include "test_split.h"

#include "program_error.h"
#include "random_generator.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>
#include <vector>

std::int32_t PatternClass(const PatternTable& expected, std::int32_t pattern, std::int32_t outputs) {
    const auto& row = expected[static_cast<std::size_t>(pattern)];
    std::int32_t largest = 1;
    for (std::int32_t k = 2; k <= outputs; ++k)
        if (row[static_cast<std::size_t>(k)] > row[static_cast<std::size_t>(largest)]) largest = k;
    return largest;
}

namespace {

// How many of each class move: m·n_c/N rounded down, then one more for each
// of the largest remainders until m are chosen.
std::vector<std::int32_t> Quotas(const std::vector<std::vector<std::int32_t>>& classes, std::int32_t moved,
                                 std::int32_t patterns) {
    std::vector<std::int32_t> quotas(classes.size());
    std::vector<std::pair<std::int64_t, std::size_t>> remainders;  // (−remainder, class): sorted, the largest first
    std::int32_t given = 0;
    for (std::size_t c = 0; c < classes.size(); ++c) {
        const std::int64_t share = std::int64_t{moved} * static_cast<std::int64_t>(classes[c].size());
        quotas[c] = static_cast<std::int32_t>(share / patterns);
        given += quotas[c];
        remainders.emplace_back(-(share % patterns), c);
    }
    std::sort(remainders.begin(), remainders.end());
    for (std::size_t i = 0; given < moved; ++i, ++given) ++quotas[remainders[i].second];
    return quotas;
}

void CopyRow(const PatternTable& fromInputs, const PatternTable& fromOutputs, std::int32_t from, PatternTable& toInputs,
             PatternTable& toOutputs, std::int32_t to) {
    toInputs[static_cast<std::size_t>(to)] = fromInputs[static_cast<std::size_t>(from)];
    toOutputs[static_cast<std::size_t>(to)] = fromOutputs[static_cast<std::size_t>(from)];
}

}  // namespace

std::int32_t SeparateTestPatterns(WorkState& state, double share, std::int32_t outputs) {
    if (!(share >= 0.0 && share <= 1.0)) throw std::out_of_range("SeparateTestPatterns: share outside 0..1");
    const std::int32_t patterns = std::clamp(state.NumeroPatrones, 0, kMaxPatterns);
    const auto moved = static_cast<std::int32_t>(std::floor(share * patterns + 0.5));
    if (moved < 1) return 0;
    if (state.TestPatternCount + moved > kMaxPatterns) throw ProgramError(kPatternLimitMessage);

    // Each class's patterns in table order.
    std::vector<std::vector<std::int32_t>> classes(static_cast<std::size_t>(std::max(outputs, 1)));
    for (std::int32_t p = 1; p <= patterns; ++p)
        classes[static_cast<std::size_t>(PatternClass(state.SalidasPatrones, p, outputs) - 1)].push_back(p);
    const std::vector<std::int32_t> quotas = Quotas(classes, moved, patterns);

    RandomGenerator::StartSequence();
    std::vector<bool> chosen(static_cast<std::size_t>(patterns) + 1);
    for (std::size_t c = 0; c < classes.size(); ++c) {
        std::vector<std::int32_t>& members = classes[c];
        const auto size = static_cast<std::int32_t>(members.size());
        for (std::int32_t i = 0; i < quotas[c]; ++i) {
            const auto j = i + static_cast<std::int32_t>(RandomGenerator::Draw() * (size - i));
            std::swap(members[static_cast<std::size_t>(i)], members[static_cast<std::size_t>(j)]);
            chosen[static_cast<std::size_t>(members[static_cast<std::size_t>(i)])] = true;
        }
    }

    std::int32_t kept = 0;
    for (std::int32_t p = 1; p <= patterns; ++p) {
        if (chosen[static_cast<std::size_t>(p)])
            CopyRow(state.EntradasPatrones, state.SalidasPatrones, p, state.TestInputs, state.TestOutputs,
                    ++state.TestPatternCount);
        else
            CopyRow(state.EntradasPatrones, state.SalidasPatrones, p, state.EntradasPatrones, state.SalidasPatrones,
                    ++kept);
    }
    state.NumeroPatrones = kept;
    return moved;
}

void ReturnTestPatterns(WorkState& state) {
    const std::int32_t test = std::clamp(state.TestPatternCount, 0, kMaxPatterns);
    if (state.NumeroPatrones + test > kMaxPatterns) throw ProgramError(kPatternLimitMessage);
    for (std::int32_t p = 1; p <= test; ++p)
        CopyRow(state.TestInputs, state.TestOutputs, p, state.EntradasPatrones, state.SalidasPatrones,
                ++state.NumeroPatrones);
    state.TestPatternCount = 0;
}
