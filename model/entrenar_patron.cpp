#include <cmath>
#include <type_traits>

#include "activacion.h"
#include "filas_capa.h"
#include "program_error.h"
#include "red_neuronal.h"

namespace {

constexpr double Eta = 0.35;  // learning rate; no momentum

// f'(y), written in terms of the neuron's output y.
double Derivada(TFuncionTransferencia funcion, double y) {
    return funcion == ftSigmoide ? (1 - y) * y : (1 + y) * (1 - y);
}

bool Finitos(const double* v, int m) {
    bool finitos = true;
    for (int j = 0; j < m; ++j) finitos = finitos && std::isfinite(v[j]);
    return finitos;
}

// paso[j] = η·delta[j] for the m neurons, and 0 in the rest of their last
// block. Built in registers from the scalar deltas: a block load from
// freshly stored scalars would stall the training step.
void Pasos(const double* delta, int m, double* paso) {
    for (int b = 0; b < Bloques(m); ++b) {
        const double* d = delta + b * Carriles;
        const Bloque producto = Eta * Bloque{d[0], d[1], d[2], d[3]};
        Mascara activas;
        LanesActivas(m, b, activas);
        BloqueDe(paso, b) = (Bloque)((Mascara)producto & activas);
    }
}

// The rare row where some new weight would leave the double range: the
// weights before it take their new value, the rest stay, and the error goes up.
template <class X>
[[noreturn]] void CorregirHastaDesbordar(double* pesos, int m, const double* paso, const X& x) {
    for (int j = 0; j < m; ++j) {
        double nuevo;
        if constexpr (std::is_arithmetic_v<X>)
            nuevo = pesos[j] + paso[j] * x;
        else
            nuevo = pesos[j] + paso[j] * x[j];
        if (!std::isfinite(nuevo)) break;
        pesos[j] = nuevo;
    }
    throw ProgramError(MensajeDesbordamiento);
}

template <class X>
void Corregir(double* pesos, int m, const double* paso, const X& x) {
    if (!CorregirFila(pesos, m, paso, x)) CorregirHastaDesbordar(pesos, m, paso, x);
}

}  // namespace

// Neuron i is element i-1 of the working arrays.
__attribute__((target_clones("avx2", "default")))
void TRedNeuronal::EntrenarPatron() {
    Propagar();
    if (transferencia_ != ftSigmoide && transferencia_ != ftTangenteHiperbolica) return;
    const int H = neuronasCapaOculta_, O = neuronasCapaSalida_, n = numeroEntradas_;
    AlmacenCapa& oculta = CapaOculta.almacen_;
    AlmacenCapa& salida = CapaSalida.almacen_;
    alignas(32) double deltaSalida[MaxNeuronas] = {}, deltaOculta[MaxNeuronas] = {}, paso[MaxNeuronas];

    // Output deltas.
    for (int i = 0; i < O; ++i)
        deltaSalida[i] = Derivada(transferencia_, SalidasObtenidas[i + 1]) *
                         (SalidasEsperadas[i + 1] - SalidasObtenidas[i + 1]);

    // Hidden deltas, through the output weights of before this step.
    SumarDeltas(salida, deltaSalida, O, H, deltaOculta);
    for (int j = 0; j < H; ++j) deltaOculta[j] = Derivada(transferencia_, oculta.salidas[j]) * deltaOculta[j];
    if (!Finitos(deltaSalida, O) || !Finitos(deltaOculta, H)) throw ProgramError(MensajeDesbordamiento);

    // Output weights, bias first: Pesos[k] += (η·δo[i]) · the neuron's own input k (-1 for k = 0).
    Pasos(deltaSalida, O, paso);
    for (int k = 0; k <= H; ++k) Corregir(salida.pesos[k], O, paso, salida.entradas[k]);

    // Hidden bias weights: Pesos[0] -= η·δh[j] (adding η·δh[j] · -1 rounds the same).
    Pasos(deltaOculta, H, paso);
    Corregir(oculta.pesos[0], H, paso, -1.0);

    // Hidden input weights: Pesos[k] += (η·δh[j]) · Entradas[k] of the network.
    for (int k = 1; k <= n; ++k) Corregir(oculta.pesos[k], H, paso, Entradas[static_cast<std::size_t>(k)]);
}
