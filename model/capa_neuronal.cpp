#include "capa_neuronal.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "activacion.h"
#include "program_error.h"

namespace {

// Neurons 0..31 constructed in index order (a braced list is evaluated left
// to right), each initialising itself.
template <std::size_t... J>
std::array<TNeurona, MaxNeuronas> CrearNeuronas(AlmacenCapa& almacen, std::index_sequence<J...>) {
    return {TNeurona(almacen, static_cast<int>(J))...};
}

void ComprobarNeuronas(int v) {
    if (v > MaxNeuronas) throw std::out_of_range("TCapaNeuronal: NumeroNeuronas fuera de 1..32");
}

// Row update of one weight index across neurons 0..m-1. The new row is built
// aside and checked before it is stored, so an overflow leaves exactly the
// weights before it changed.
template <class Entrada>
void Corregir(double* pesos, int m, const double* paso, Entrada x) {
    alignas(64) double nuevo[MaxNeuronas];
    bool enRango = true;
    for (int j = 0; j < m; ++j) {
        nuevo[j] = pesos[j] + paso[j] * x(j);
        enRango &= std::fabs(nuevo[j]) <= DBL_MAX;
    }
    if (!enRango) {
        for (int j = 0; j < m && std::isfinite(nuevo[j]); ++j) pesos[j] = nuevo[j];
        throw ProgramError(MensajeDesbordamiento);
    }
    std::copy_n(nuevo, m, pesos);
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

void TCapaNeuronal::CalcularSalidas(std::span<const double> x, int neuronas, double* salidas) {
    ComprobarNeuronas(neuronas);
    const int m = neuronas;
    const int n = static_cast<int>(x.size());
    AlmacenCapa& a = almacen_;

    // Weighted sums of all neurons side by side; each still adds k = 0..n in order.
    alignas(64) double s[MaxNeuronas];
    for (int j = 0; j < m; ++j) s[j] = 0.0 + a.entradas[0][j] * a.pesos[0][j];
    for (int k = 1; k <= n; ++k) {
        const double xk = x[static_cast<std::size_t>(k - 1)];
        for (int j = 0; j < m; ++j) s[j] = s[j] + xk * a.pesos[k][j];
    }

    // Then each neuron's own functions, in neuron order; the first overflow stops the layer.
    int hechas = 0;
    for (; hechas < m; ++hechas) {
        const TNeurona& neurona = Neuronas[hechas + 1];
        const auto y =
            Activacion(neurona.FuncionTransferencia(), neurona.FuncionSalida(), neurona.Umbral(), s[hechas]);
        if (!y) break;
        a.salidas[hechas] = *y;
        if (salidas) salidas[hechas] = *y;
    }
    const int conEntradas = std::min(hechas + 1, m);  // the failing neuron received its inputs too
    for (int k = 1; k <= n; ++k) std::fill_n(a.entradas[k], conEntradas, x[static_cast<std::size_t>(k - 1)]);
    if (hechas < m) throw ProgramError(MensajeDesbordamiento);
}

void TCapaNeuronal::CorregirPesos(int k, int neuronas, const double* paso, const double* xPorNeurona) {
    ComprobarNeuronas(neuronas);
    Corregir(almacen_.pesos[k], neuronas, paso, [xPorNeurona](int j) { return xPorNeurona[j]; });
}

void TCapaNeuronal::CorregirPesos(int k, int neuronas, const double* paso, double x) {
    ComprobarNeuronas(neuronas);
    Corregir(almacen_.pesos[k], neuronas, paso, [x](int) { return x; });
}
