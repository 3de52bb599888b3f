#include <cmath>

#include "activacion.h"
#include "calculo_capa.h"
#include "filas_capa.h"
#include "para_cada_procesador.h"
#include "program_error.h"
#include "red_neuronal.h"

namespace {

// f'(y), written in terms of the neuron's output y, for a value or a block.
template <class T>
[[gnu::always_inline]] inline T Derivada(TFuncionTransferencia funcion, const T& y) {
    if (funcion == ftSigmoide) return (1 - y) * y;
    return (1 + y) * (1 - y);
}

// The row where some new weight would leave the double range, redone weight
// by weight in the order of the step: the weights before the first one out
// of range take their new value, the rest stay, and the error goes up.
[[noreturn, gnu::cold]] void CorregirHastaDesbordar(AlmacenCapa& a, int k, int m, const Bloque* paso, bool porNeurona,
                                                   double xk) {
    for (int j = 0; j < m; ++j) {
        const double nuevo = a.pesos[k][j] + paso[j / Carriles][j % Carriles] * (porNeurona ? a.entradas[k][j] : xk);
        if (!std::isfinite(nuevo)) break;
        a.pesos[k][j] = nuevo;
    }
    throw ProgramError(MensajeDesbordamiento);
}

// Weight rows 0..filas-1 of the m neurons of t, one row after another as the
// step orders them. x is null when each neuron multiplies its own inputs;
// otherwise the network's inputs, x[k] for k >= 1, beside the bias input -1.
template <bool PorNeurona>
[[gnu::always_inline]] inline void CorregirPesos(AlmacenCapa& a, int filas, int m, const Tramo& t,
                                                 const Bloque* paso, const double* x) {
    for (int k = 0; k < filas; ++k) {
        const double xk = PorNeurona ? 0.0 : k == 0 ? -1.0 : x[k];
        if (!CorregirFila<PorNeurona>(a, k, t, paso, xk)) CorregirHastaDesbordar(a, k, m, paso, PorNeurona, xk);
    }
}

}  // namespace

// Neuron i is lane i-1 of the working blocks, whose lanes past the active
// neurons hold 0.
template <int MaxB>
[[gnu::always_inline]] inline void TRedNeuronal::Retropropagar() {
    const int H = neuronasCapaOculta_, O = neuronasCapaSalida_, n = numeroEntradas_;
    const Tramo tramoOculta = TramoDe<MaxB>(H), tramoSalida = TramoDe<MaxB>(O);
    AlmacenCapa& oculta = CapaOculta.almacen_;
    AlmacenCapa& salida = CapaSalida.almacen_;
    Bloque deltaSalida[MaxB], deltaOculta[MaxB], paso[MaxB];
    Bloque nan = Bloque{};  // lanes turn NaN when a delta is not finite

    // Output deltas.
    for (int b = 0; b < tramoSalida.bloques; ++b) {
        const Bloque obtenida = BloqueDeEscalares(&SalidasObtenidas[1 + b * Carriles]);
        const Bloque esperada = BloqueDeEscalares(&SalidasEsperadas[1 + b * Carriles]);
        deltaSalida[b] = SoloActivas(Derivada(transferencia_, obtenida) * (esperada - obtenida), tramoSalida, b);
        nan = nan + (deltaSalida[b] - deltaSalida[b]);
    }

    // Hidden deltas, through the output weights of before this step.
    for (int b = 0; b < tramoOculta.bloques; ++b) {
        const Bloque y = BloqueDeEscalares(oculta.salidas + b * Carriles);
        const Bloque suma = SumaDeltas(salida, reinterpret_cast<const double*>(deltaSalida), O, b);
        deltaOculta[b] = SoloActivas(Derivada(transferencia_, y) * suma, tramoOculta, b);
        nan = nan + (deltaOculta[b] - deltaOculta[b]);
    }
    if (!SinNaN(nan)) throw ProgramError(MensajeDesbordamiento);

    // Output weights, bias first: Pesos[k] += (η·δo[i]) · the neuron's own input k (-1 for k = 0).
    for (int b = 0; b < tramoSalida.bloques; ++b) paso[b] = kLearningRate * deltaSalida[b];
    CorregirPesos<true>(salida, H + 1, O, tramoSalida, paso, nullptr);

    // Hidden weights: the bias Pesos[0] -= η·δh[j], which is adding (η·δh[j]) · -1,
    // then Pesos[k] += (η·δh[j]) · Entradas[k] of the network.
    for (int b = 0; b < tramoOculta.bloques; ++b) paso[b] = kLearningRate * deltaOculta[b];
    CorregirPesos<false>(oculta, n + 1, H, tramoOculta, paso, Entradas.data());
}

// Forward pass; then, for the two functions that learn, deltas and new weights.
template <bool Fma>
[[gnu::always_inline]] inline void TRedNeuronal::EntrenarPatronCon() {
    PropagarCon<Fma>();
    if (transferencia_ != ftSigmoide && transferencia_ != ftTangenteHiperbolica) return;
    // Layers that fit in one block have their own copy, with no loop over blocks.
    if (neuronasCapaOculta_ <= Carriles && neuronasCapaSalida_ <= Carriles)
        Retropropagar<1>();
    else
        Retropropagar<MaxBloques>();
}

void TRedNeuronal::EntrenarPatron() {
#ifndef PERCEPTLAB_BASELINE_ONLY
    if (ConAvx2YFma) return EntrenarPatronAvx2();
#endif
    EntrenarPatronBase();
}

void TRedNeuronal::EntrenarPatronBase() { EntrenarPatronCon<false>(); }

#ifndef PERCEPTLAB_BASELINE_ONLY
void TRedNeuronal::EntrenarPatronAvx2() { EntrenarPatronCon<true>(); }
#endif
