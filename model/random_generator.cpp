#include "random_generator.h"

#include <utility>

namespace {

std::uint32_t estado = 0;
std::function<TimeOfDay()> reloj;

}  // namespace

namespace RandomGenerator {

double Sacar() {
    estado = estado * 134775813u + 1u;  // unsigned: wraps modulo 2^32
    return estado / 4294967296.0;
}

void SembrarDesdeReloj() {
    const TimeOfDay h = reloj ? reloj() : GetSystemTime();
    estado = static_cast<std::uint32_t>(((h.hour * 60 + h.minute) * 60 + h.second) * 1000 + h.millisecond);
}

std::uint32_t workState() { return estado; }

void FijarEstado(std::uint32_t nuevo) { estado = nuevo; }

void FijarReloj(std::function<TimeOfDay()> nuevo) { reloj = std::move(nuevo); }

}  // namespace Aleatorio
