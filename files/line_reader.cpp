#include "line_reader.h"

#include "numero_texto.h"
#include "program_error.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t kQuoteLength = 64;

// Up to kQuoteLength bytes, not splitting a UTF-8 character, then "…".
std::string Quoted(std::string_view linea) {
    if (linea.size() <= kQuoteLength) return std::string(linea);
    std::size_t corte = kQuoteLength;
    while (corte > 0 && (static_cast<unsigned char>(linea[corte]) & 0xC0) == 0x80) --corte;
    return std::string(linea.substr(0, corte)) + "\u2026";
}

ByteSource SourceOfText(std::string_view texto) {
    return [texto](char* destino, std::size_t capacidad) mutable {
        const std::size_t n = std::min(capacidad, texto.size());
        std::memcpy(destino, texto.data(), n);
        texto.remove_prefix(n);
        return n;
    };
}

}  // namespace

LineReader::LineReader(ByteSource fuente) : splitter_(std::move(fuente)) {}

LineReader::LineReader(std::string_view texto) : LineReader(SourceOfText(texto)) {}

std::string_view LineReader::LineText(std::size_t indice) const {
    const std::size_t inicio = indice == 0 ? 0 : lineEnds_[indice - 1];
    return std::string_view(text_).substr(inicio, lineEnds_[indice] - inicio);
}

std::string LineReader::Quote(std::int32_t numero) const {
    return Quoted(LineText(static_cast<std::size_t>(numero - 1)));
}

std::string_view LineReader::Reach(std::int32_t numero, std::string_view noEs) {
    const auto buscada = static_cast<std::size_t>(std::max(numero, 0));
    while (lineEnds_.size() < buscada && !end_ && !tooLong_) {
        const LineEnd resultado = splitter_.Next(text_);
        if (resultado == LineEnd::EndOfText) {
            end_ = true;
        } else {
            lineEnds_.push_back(text_.size());
            tooLong_ = resultado == LineEnd::TooLong;
        }
    }
    if (tooLong_ && lineEnds_.size() <= buscada) {
        throw ProgramError("'" + Quoted(LineText(lineEnds_.size() - 1)) + "'" + std::string(noEs));
    }
    if (numero < 1 || buscada > lineEnds_.size()) {
        // The message counts lines from 0.
        throw ProgramError("List index out of bounds (" + TextoEntero(numero - 1) + ")");
    }
    return LineText(buscada - 1);
}

std::int32_t LineReader::Integer(std::int32_t numero) {
    constexpr std::string_view noEs = " is not a valid integer value";
    std::string_view linea = Reach(numero, noEs);
    std::optional<std::int32_t> valor = LeerEntero(linea);
    if (!valor) throw ProgramError("'" + Quoted(linea) + "'" + std::string(noEs));
    return *valor;
}

double LineReader::Real(std::int32_t numero) {
    constexpr std::string_view noEs = " is not a valid floating point value";
    std::string_view linea = Reach(numero, noEs);
    // A line holds one number and the form has no group separator, so a file
    // saved under either decimal separator reads under the other.
    const char separador = linea.find(',') == std::string_view::npos ? '.' : ',';
    LecturaReal lectura = AnalizarReal(linea, separador);
    switch (lectura.estado) {
    case EstadoLectura::Correcta:
        return lectura.valor;
    case EstadoLectura::Desbordamiento:
        throw ProgramError("Floating point overflow");
    case EstadoLectura::NoEsNumero:
        break;
    }
    throw ProgramError("'" + Quoted(linea) + "'" + std::string(noEs));
}
