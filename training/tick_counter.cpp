// SPDX-License-Identifier: GPL-3.0-or-later
#include "tick_counter.h"

#include <chrono>
#include <utility>

namespace TickCounter {

namespace {

std::function<std::uint32_t()>& Counter() {
    static std::function<std::uint32_t()> counter;
    return counter;
}

std::uint32_t FromSteadyClock() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<std::uint32_t>(ms);
}

}  // namespace

std::uint32_t GetTickCount() {
    return Counter() ? Counter()() : FromSteadyClock();
}

void SetCounter(std::function<std::uint32_t()> counter) {
    Counter() = std::move(counter);
}

}  // namespace TickCounter
