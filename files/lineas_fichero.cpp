#include "lineas_fichero.h"

#include <algorithm>

DivisorLineas::DivisorLineas(FuenteBytes fuente) : fuente_(std::move(fuente)), bloque_(65536) {}

bool DivisorLineas::Rellenar() {
    if (terminado_) return false;
    posicion_ = 0;
    fin_ = fuente_(bloque_.data(), bloque_.size());
    terminado_ = fin_ == 0;
    return !terminado_;
}

ResultadoLinea DivisorLineas::Siguiente(std::string& destino) {
    if (trasCR_) {
        if (posicion_ == fin_) Rellenar();
        if (posicion_ < fin_ && bloque_[posicion_] == '\n') ++posicion_;
        trasCR_ = false;
    }
    std::size_t largo = 0;
    bool empezada = false;
    for (;;) {
        if (posicion_ == fin_ && !Rellenar()) return empezada ? ResultadoLinea::Linea : ResultadoLinea::FinTexto;
        const char* inicio = bloque_.data() + posicion_;
        const char* final = bloque_.data() + fin_;
        const char* corte = std::find_if(inicio, final, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
        const auto trozo = static_cast<std::size_t>(corte - inicio);
        if (largo + trozo > LargoMaximoLinea) {
            destino.append(inicio, LargoMaximoLinea - largo);
            terminado_ = true;
            posicion_ = fin_ = 0;
            return ResultadoLinea::Larga;
        }
        destino.append(inicio, trozo);
        largo += trozo;
        empezada = empezada || trozo > 0;
        posicion_ += trozo;
        if (corte == final) continue;
        ++posicion_;
        if (*corte == '\0') {
            terminado_ = true;
            posicion_ = fin_ = 0;
            return empezada ? ResultadoLinea::Linea : ResultadoLinea::FinTexto;
        }
        trasCR_ = *corte == '\r';
        return ResultadoLinea::Linea;
    }
}

std::string UnirLineas(const std::vector<std::string>& lineas) {
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
