#include "capa_neuronal.h"

#include <stdexcept>
#include <utility>

namespace {

// Neurons 0..31 constructed in index order (a braced list is evaluated left
// to right), each initialising itself.
template <std::size_t... J>
std::array<TNeurona, MaxNeuronas> CrearNeuronas(AlmacenCapa& almacen, std::index_sequence<J...>) {
    return {TNeurona(almacen, static_cast<int>(J))...};
}

void ComprobarNeuronas(int v) {
    if (v > MaxNeuronas) throw std::out_of_range("TCapaNeuronal: NumeroNeuronas fuera de 0..32");
}

}  // namespace

NeuronasCapa::NeuronasCapa(AlmacenCapa& almacen)
    : neuronas_(CrearNeuronas(almacen, std::make_index_sequence<MaxNeuronas>())) {}

TCapaNeuronal::TCapaNeuronal() : Neuronas(almacen_) {}

void TCapaNeuronal::SetNumeroNeuronas(TRangoNeuronas v) {
    ComprobarNeuronas(v);
    numeroNeuronas_ = v;
    for (int j = 1; j <= v; ++j) {
        TNeurona& neurona = Neuronas[j];
        neurona.SetReglaPropagacion(regla_);
        neurona.SetFuncionTransferencia(transferencia_);
        neurona.SetFuncionSalida(salida_);
        neurona.SetUmbral(umbral_);
        neurona.SetNumeroEntradas(numeroEntradas_);
    }
}

void TCapaNeuronal::SetNumeroEntradas(std::int32_t n) {
    if (n < 0 || n > MaxEntradas) throw std::out_of_range("TCapaNeuronal: NumeroEntradas fuera de 0..32");
    numeroEntradas_ = n;
    for (int j = 1; j <= numeroNeuronas_; ++j) Neuronas[j].SetNumeroEntradas(n);
}

void TCapaNeuronal::SetReglaPropagacion(TReglaPropagacion regla) {
    regla_ = regla;
    for (int j = 1; j <= numeroNeuronas_; ++j) Neuronas[j].SetReglaPropagacion(regla);
}

void TCapaNeuronal::SetFuncionTransferencia(TFuncionTransferencia funcion) {
    transferencia_ = funcion;
    for (int j = 1; j <= numeroNeuronas_; ++j) Neuronas[j].SetFuncionTransferencia(funcion);
}

void TCapaNeuronal::SetFuncionSalida(TFuncionSalida funcion) {
    salida_ = funcion;
    for (int j = 1; j <= numeroNeuronas_; ++j) Neuronas[j].SetFuncionSalida(funcion);
}

void TCapaNeuronal::SetUmbral(double umbral) {
    umbral_ = umbral;
    for (int j = 1; j <= numeroNeuronas_; ++j) Neuronas[j].SetUmbral(umbral);
}

void TCapaNeuronal::InicializarPesos() {
    for (int j = 1; j <= numeroNeuronas_; ++j) Neuronas[j].InicializarPesos();
}
