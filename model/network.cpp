#include "network.h"

#include <algorithm>
#include <span>
#include <stdexcept>

#include "layer_forward_pass.h"
#include "per_processor.h"

namespace {

// The arrays hold 32 neurons and 32 inputs; callers keep counts within them.
void Check(int valor, int maximo, const char* que) {
    if (valor < 0 || valor > maximo) throw std::out_of_range(que);
}

}  // namespace

void TRedNeuronal::SetNeuronasCapaOculta(TRangoNeuronas h) {
    Check(h, kMaxNeurons, "TRedNeuronal: NeuronasCapaOculta fuera de 0..32");
    hiddenCount_ = h;
    CapaOculta.SetNumeroNeuronas(h);
    CapaSalida.SetNumeroEntradas(h);
}

void TRedNeuronal::SetNeuronasCapaSalida(TRangoNeuronas o) {
    Check(o, kMaxNeurons, "TRedNeuronal: NeuronasCapaSalida fuera de 0..32");
    outputCount_ = o;
    CapaSalida.SetNumeroNeuronas(o);
}

void TRedNeuronal::SetNumeroEntradas(std::int32_t n) {
    Check(n, kMaxInputs, "TRedNeuronal: NumeroEntradas fuera de 0..32");
    inputCount_ = n;
    CapaOculta.SetNumeroEntradas(n);
    std::fill_n(Entradas.begin() + 1, n, 0.0);
}

void TRedNeuronal::SetReglaPropagacion(TReglaPropagacion regla) {
    rule_ = regla;
    CapaOculta.SetReglaPropagacion(regla);
    CapaSalida.SetReglaPropagacion(regla);
}

void TRedNeuronal::SetFuncionTransferencia(TFuncionTransferencia funcion) {
    transfer_ = funcion;
    CapaOculta.SetFuncionTransferencia(funcion);
    CapaSalida.SetFuncionTransferencia(funcion);
}

void TRedNeuronal::SetFuncionSalida(TFuncionSalida funcion) {
    outputFunction_ = funcion;
    CapaOculta.SetFuncionSalida(funcion);
    CapaSalida.SetFuncionSalida(funcion);
}

void TRedNeuronal::SetUmbral(double umbral) {
    threshold_ = umbral;
    CapaOculta.SetUmbral(umbral);
    CapaSalida.SetUmbral(umbral);
}

void TRedNeuronal::InicializarPesos() {
    CapaOculta.InicializarPesos();
    CapaSalida.InicializarPesos();
}

void TRedNeuronal::Propagar() {
#ifndef PERCEPTLAB_BASELINE_ONLY
    if (kHasAvx2AndFma) return ForwardPassAvx2();
#endif
    ForwardPassBaseline();
}

void TRedNeuronal::ForwardPassBaseline() { ForwardPassFor<false>(); }

#ifndef PERCEPTLAB_BASELINE_ONLY
void TRedNeuronal::ForwardPassAvx2() { ForwardPassFor<true>(); }
#endif

void PrepareStartUpNetwork(TRedNeuronal& red) {
    red.SetReglaPropagacion(rpLineal);
    red.SetFuncionTransferencia(ftSigmoide);
    red.SetFuncionSalida(fsIdentidad);
    red.SetNumeroEntradas(2);
    red.SetNeuronasCapaOculta(2);
    red.SetNeuronasCapaSalida(1);
}
