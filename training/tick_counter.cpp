#include "tick_counter.h"

#include <chrono>
#include <utility>

namespace TickCounter {

namespace {

std::function<std::uint32_t()>& Contador() {
    static std::function<std::uint32_t()> contador;
    return contador;
}

std::uint32_t DelRelojEstable() {
    const auto ahora = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(ahora).count();
    return static_cast<std::uint32_t>(ms);
}

}  // namespace

std::uint32_t GetTickCount() {
    return Contador() ? Contador()() : DelRelojEstable();
}

void SetCounter(std::function<std::uint32_t()> contador) {
    Contador() = std::move(contador);
}

}  // namespace TickCounter
