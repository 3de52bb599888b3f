#include "line_splitter.h"

#include <algorithm>

LineSplitter::LineSplitter(ByteSource fuente) : source_(std::move(fuente)), block_(65536) {}

bool LineSplitter::Refill() {
    if (finished_) return false;
    position_ = 0;
    end_ = source_(block_.data(), block_.size());
    finished_ = end_ == 0;
    return !finished_;
}

LineEnd LineSplitter::Next(std::string& destino) {
    if (afterCR_) {
        if (position_ == end_) Refill();
        if (position_ < end_ && block_[position_] == '\n') ++position_;
        afterCR_ = false;
    }
    std::size_t largo = 0;
    bool empezada = false;
    for (;;) {
        if (position_ == end_ && !Refill()) return empezada ? LineEnd::Line : LineEnd::EndOfText;
        const char* inicio = block_.data() + position_;
        const char* final = block_.data() + end_;
        const char* corte = std::find_if(inicio, final, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
        const auto trozo = static_cast<std::size_t>(corte - inicio);
        if (largo + trozo > kMaxLineLength) {
            destino.append(inicio, kMaxLineLength - largo);
            finished_ = true;
            position_ = end_ = 0;
            return LineEnd::TooLong;
        }
        destino.append(inicio, trozo);
        largo += trozo;
        empezada = empezada || trozo > 0;
        position_ += trozo;
        if (corte == final) continue;
        ++position_;
        if (*corte == '\0') {
            finished_ = true;
            position_ = end_ = 0;
            return empezada ? LineEnd::Line : LineEnd::EndOfText;
        }
        afterCR_ = *corte == '\r';
        return LineEnd::Line;
    }
}

std::string JoinLines(const std::vector<std::string>& lineas) {
    std::size_t longitud = 0;
    for (const std::string& linea : lineas) longitud += linea.size() + 2;
    std::string texto;
    texto.reserve(longitud);
    for (const std::string& linea : lineas) {
        texto += linea;
        texto += "\r\n";
    }
    return texto;
}
