#include "lector_lineas.h"

#include "integer_text.h"
#include "real_reading.h"
#include "program_error.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t LargoCita = 64;

// Up to LargoCita bytes, not splitting a UTF-8 character, then "…".
std::string Citar(std::string_view linea) {
    if (linea.size() <= LargoCita) return std::string(linea);
    std::size_t corte = LargoCita;
    while (corte > 0 && (static_cast<unsigned char>(linea[corte]) & 0xC0) == 0x80) --corte;
    return std::string(linea.substr(0, corte)) + "\u2026";
}

FuenteBytes FuenteDeTexto(std::string_view texto) {
    return [texto](char* destino, std::size_t capacidad) mutable {
        const std::size_t n = std::min(capacidad, texto.size());
        std::memcpy(destino, texto.data(), n);
        texto.remove_prefix(n);
        return n;
    };
}

}  // namespace

LectorLineas::LectorLineas(FuenteBytes fuente) : divisor_(std::move(fuente)) {}

LectorLineas::LectorLineas(std::string_view texto) : LectorLineas(FuenteDeTexto(texto)) {}

std::string_view LectorLineas::Texto(std::size_t indice) const {
    const std::size_t inicio = indice == 0 ? 0 : finales_[indice - 1];
    return std::string_view(texto_).substr(inicio, finales_[indice] - inicio);
}

std::string LectorLineas::Cita(std::int32_t numero) const {
    return Citar(Texto(static_cast<std::size_t>(numero - 1)));
}

std::string_view LectorLineas::Alcanzar(std::int32_t numero, std::string_view noEs) {
    const auto buscada = static_cast<std::size_t>(std::max(numero, 0));
    while (finales_.size() < buscada && !fin_ && !larga_) {
        const ResultadoLinea resultado = divisor_.Siguiente(texto_);
        if (resultado == ResultadoLinea::FinTexto) {
            fin_ = true;
        } else {
            finales_.push_back(texto_.size());
            larga_ = resultado == ResultadoLinea::Larga;
        }
    }
    if (larga_ && finales_.size() <= buscada) {
        throw ProgramError("'" + Citar(Texto(finales_.size() - 1)) + "'" + std::string(noEs));
    }
    if (numero < 1 || buscada > finales_.size()) {
        // The message counts lines from 0.
        throw ProgramError("List index out of bounds (" + IntegerText(numero - 1) + ")");
    }
    return Texto(buscada - 1);
}

std::int32_t LectorLineas::Entero(std::int32_t numero) {
    constexpr std::string_view noEs = " is not a valid integer value";
    std::string_view linea = Alcanzar(numero, noEs);
    std::optional<std::int32_t> valor = ReadInteger(linea, IntegerForms::DecimalOrHexadecimal);
    if (!valor) throw ProgramError("'" + Citar(linea) + "'" + std::string(noEs));
    return *valor;
}

double LectorLineas::Real(std::int32_t numero) {
    constexpr std::string_view noEs = " is not a valid floating point value";
    std::string_view linea = Alcanzar(numero, noEs);
    // A line holds one number and the form has no group separator, so a file
    // saved under either decimal separator reads under the other.
    const char separador = linea.find(',') == std::string_view::npos ? '.' : ',';
    RealReading lectura = ParseReal(linea, separador);
    switch (lectura.status) {
    case RealStatus::Valid:
        return lectura.value;
    case RealStatus::Overflow:
        throw ProgramError("Floating point overflow");
    case RealStatus::NotANumber:
        break;
    }
    throw ProgramError("'" + Citar(linea) + "'" + std::string(noEs));
}
