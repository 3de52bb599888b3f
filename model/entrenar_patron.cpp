#include <cmath>

#include "activacion.h"
#include "filas_capa.h"
#include "program_error.h"
#include "red_neuronal.h"

namespace {

constexpr double Eta = 0.35;  // learning rate; no momentum

// f'(y), written in terms of the neuron's output y, for a value or a block.
template <class T>
[[gnu::always_inline]] inline void Derivada(TFuncionTransferencia funcion, const T& y, T& derivada) {
    if (funcion == ftSigmoide)
        derivada = (1 - y) * y;
    else
        derivada = (1 + y) * (1 - y);
}

bool Finitos(const double* v, int m) {
    bool finitos = true;
    for (int j = 0; j < m; ++j) finitos = finitos && std::isfinite(v[j]);
    return finitos;
}

// paso[j] = η·delta[j] for the m neurons, and 0 in the rest of their last
// block. Built in registers from the scalar deltas: a block load from
// freshly stored scalars would stall the training step.
[[gnu::always_inline]] inline void Pasos(const double* delta, int m, double* paso) {
    for (int b = 0; b < Bloques(m); ++b) {
        const double* d = delta + b * Carriles;
        Bloque producto = Eta * Bloque{d[0], d[1], d[2], d[3]};
        SoloActivas(producto, m, b);
        BloqueDe(paso, b) = producto;
    }
}

// The rare layer where some new weight would leave the double range, redone
// weight by weight in the order of the step: the weights before the first
// one out of range take their new value, the rest stay, and the error goes up.
[[noreturn]] void CorregirHastaDesbordar(AlmacenCapa& a, int filas, int m, const double* paso, const double* x) {
    for (int k = 0; k < filas; ++k)
        for (int j = 0; j < m; ++j) {
            const double nuevo = a.pesos[k][j] + paso[j] * (x ? x[k] : a.entradas[k][j]);
            if (!std::isfinite(nuevo)) throw ProgramError(MensajeDesbordamiento);
            a.pesos[k][j] = nuevo;
        }
    throw ProgramError(MensajeDesbordamiento);  // not reached: the fast pass saw an overflow
}

}  // namespace

// Compiled for AVX2 and for the baseline processor; the program runs the one
// its processor supports. Neuron i is element i-1 of the working arrays.
__attribute__((target_clones("avx2", "default")))
void TRedNeuronal::Retropropagar() {
    const int H = neuronasCapaOculta_, O = neuronasCapaSalida_, n = numeroEntradas_;
    AlmacenCapa& oculta = CapaOculta.almacen_;
    AlmacenCapa& salida = CapaSalida.almacen_;
    alignas(32) double deltaSalida[MaxNeuronas], deltaOculta[MaxNeuronas], paso[MaxNeuronas];

    // Output deltas.
    for (int i = 0; i < O; ++i) {
        double derivada;
        Derivada(transferencia_, SalidasObtenidas[i + 1], derivada);
        deltaSalida[i] = derivada * (SalidasEsperadas[i + 1] - SalidasObtenidas[i + 1]);
    }
    for (int i = O; i < Bloques(O) * Carriles; ++i) deltaSalida[i] = 0;  // read by the blocks below

    // Hidden deltas, through the output weights of before this step.
    for (int b = 0; b < Bloques(H); ++b) {
        Bloque suma, derivada;
        SumaDeltas(salida, deltaSalida, O, b, suma);
        const double* y = oculta.salidas + b * Carriles;
        Derivada(transferencia_, Bloque{y[0], y[1], y[2], y[3]}, derivada);
        BloqueDe(deltaOculta, b) = derivada * suma;
    }
    if (!Finitos(deltaSalida, O) || !Finitos(deltaOculta, H)) throw ProgramError(MensajeDesbordamiento);

    // Output weights, bias first: Pesos[k] += (η·δo[i]) · the neuron's own input k (-1 for k = 0).
    Pasos(deltaSalida, O, paso);
    if (!CorregirPesos<true>(salida, H + 1, O, paso, nullptr)) CorregirHastaDesbordar(salida, H + 1, O, paso, nullptr);

    // Hidden weights: the bias Pesos[0] -= η·δh[j], which is adding (η·δh[j]) · -1,
    // then Pesos[k] += (η·δh[j]) · Entradas[k] of the network.
    Pasos(deltaOculta, H, paso);
    double x[MaxEntradas + 1];
    x[0] = -1;
    for (int k = 1; k <= n; ++k) x[k] = Entradas[static_cast<std::size_t>(k)];
    if (!CorregirPesos<false>(oculta, n + 1, H, paso, x)) CorregirHastaDesbordar(oculta, n + 1, H, paso, x);
}

// Forward pass; then, for the two functions that learn, deltas and new weights.
void TRedNeuronal::EntrenarPatron() {
    Propagar();
    if (transferencia_ != ftSigmoide && transferencia_ != ftTangenteHiperbolica) return;
    Retropropagar();
}
