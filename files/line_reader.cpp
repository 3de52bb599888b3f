#include "line_reader.h"

#include "integer_text.h"
#include "program_error.h"
#include "read_messages.h"
#include "real_reading.h"

#include <algorithm>
#include <cstring>

namespace {

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

std::string_view LineReader::Line(std::int32_t numero) const { return LineText(static_cast<std::size_t>(numero - 1)); }

std::string_view LineReader::Reach(std::int32_t numero, NotValidMessage notValid) {
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
        throw ProgramError(notValid(LineText(lineEnds_.size() - 1)));
    }
    if (numero < 1 || buscada > lineEnds_.size()) {
        throw ProgramError(MissingLineMessage(numero - 1));
    }
    return LineText(buscada - 1);
}

std::int32_t LineReader::Integer(std::int32_t numero) {
    std::string_view linea = Reach(numero, NotAnIntegerMessage);
    std::optional<std::int32_t> valor = ReadInteger(linea, IntegerForms::DecimalOrHexadecimal);
    if (!valor) throw ProgramError(NotAnIntegerMessage(linea));
    return *valor;
}

double LineReader::Real(std::int32_t numero) {
    std::string_view linea = Reach(numero, NotARealMessage);
    // A line holds one number and the form has no group separator, so a file
    // saved under either decimal separator reads under the other.
    const char separador = linea.find(',') == std::string_view::npos ? '.' : ',';
    RealReading lectura = ParseReal(linea, separador);
    switch (lectura.status) {
    case RealStatus::Valid:
        return lectura.value;
    case RealStatus::Overflow:
        throw ProgramError(kOverflowMessage);
    case RealStatus::NotANumber:
        break;
    }
    throw ProgramError(NotARealMessage(linea));
}
