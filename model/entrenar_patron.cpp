#include <cmath>

#include "activacion.h"
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
    for (int j = 0; j < m; ++j) finitos &= std::isfinite(v[j]);
    return finitos;
}

}  // namespace

// Arrays here are indexed from 0: neuron i is element i-1.
void TRedNeuronal::EntrenarPatron() {
    Propagar();
    if (transferencia_ != ftSigmoide && transferencia_ != ftTangenteHiperbolica) return;
    const int H = neuronasCapaOculta_, O = neuronasCapaSalida_, n = numeroEntradas_;
    const AlmacenCapa& oculta = CapaOculta.almacen_;
    const AlmacenCapa& salida = CapaSalida.almacen_;
    double deltaSalida[MaxNeuronas], deltaOculta[MaxNeuronas], paso[MaxNeuronas];

    // Output deltas.
    for (int i = 0; i < O; ++i)
        deltaSalida[i] = Derivada(transferencia_, SalidasObtenidas[i + 1]) *
                         (SalidasEsperadas[i + 1] - SalidasObtenidas[i + 1]);

    // Hidden deltas, through the output weights of before this step. The
    // loop over i is outside so the H sums advance together; each still adds
    // its terms in the order i = 1..O.
    for (int j = 0; j < H; ++j) deltaOculta[j] = 0;
    for (int i = 0; i < O; ++i)
        for (int j = 0; j < H; ++j) deltaOculta[j] = deltaOculta[j] + deltaSalida[i] * salida.pesos[j + 1][i];
    for (int j = 0; j < H; ++j) deltaOculta[j] = Derivada(transferencia_, oculta.salidas[j]) * deltaOculta[j];
    if (!Finitos(deltaSalida, O) || !Finitos(deltaOculta, H)) throw ProgramError(MensajeDesbordamiento);

    // Output weights, bias first: Pesos[k] += (η·δo[i]) · the neuron's own input k (-1 for k = 0).
    for (int i = 0; i < O; ++i) paso[i] = Eta * deltaSalida[i];
    for (int k = 0; k <= H; ++k) CapaSalida.CorregirPesos(k, O, paso, salida.entradas[k]);

    // Hidden bias weights: Pesos[0] -= η·δh[j] (adding η·δh[j] · -1 rounds the same).
    for (int j = 0; j < H; ++j) paso[j] = Eta * deltaOculta[j];
    CapaOculta.CorregirPesos(0, H, paso, -1.0);

    // Hidden input weights: Pesos[k] += (η·δh[j]) · Entradas[k] of the network.
    for (int k = 1; k <= n; ++k) CapaOculta.CorregirPesos(k, H, paso, Entradas[static_cast<std::size_t>(k)]);
}
