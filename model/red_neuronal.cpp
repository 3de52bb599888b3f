#include "red_neuronal.h"

#include <algorithm>
#include <span>
#include <stdexcept>

#include "calculo_capa.h"
#include "para_cada_procesador.h"

namespace {

// The arrays hold 32 neurons and 32 inputs; callers keep counts within them.
void Comprobar(int valor, int maximo, const char* que) {
    if (valor < 0 || valor > maximo) throw std::out_of_range(que);
}

}  // namespace

void TRedNeuronal::SetNeuronasCapaOculta(TRangoNeuronas h) {
    Comprobar(h, MaxNeuronas, "TRedNeuronal: NeuronasCapaOculta fuera de 0..32");
    neuronasCapaOculta_ = h;
    CapaOculta.SetNumeroNeuronas(h);
    CapaSalida.SetNumeroEntradas(h);
}

void TRedNeuronal::SetNeuronasCapaSalida(TRangoNeuronas o) {
    Comprobar(o, MaxNeuronas, "TRedNeuronal: NeuronasCapaSalida fuera de 0..32");
    neuronasCapaSalida_ = o;
    CapaSalida.SetNumeroNeuronas(o);
}

void TRedNeuronal::SetNumeroEntradas(std::int32_t n) {
    Comprobar(n, MaxEntradas, "TRedNeuronal: NumeroEntradas fuera de 0..32");
    numeroEntradas_ = n;
    CapaOculta.SetNumeroEntradas(n);
    std::fill_n(Entradas.begin() + 1, n, 0.0);
}

void TRedNeuronal::SetReglaPropagacion(TReglaPropagacion regla) {
    regla_ = regla;
    CapaOculta.SetReglaPropagacion(regla);
    CapaSalida.SetReglaPropagacion(regla);
}

void TRedNeuronal::SetFuncionTransferencia(TFuncionTransferencia funcion) {
    transferencia_ = funcion;
    CapaOculta.SetFuncionTransferencia(funcion);
    CapaSalida.SetFuncionTransferencia(funcion);
}

void TRedNeuronal::SetFuncionSalida(TFuncionSalida funcion) {
    salida_ = funcion;
    CapaOculta.SetFuncionSalida(funcion);
    CapaSalida.SetFuncionSalida(funcion);
}

void TRedNeuronal::SetUmbral(double umbral) {
    umbral_ = umbral;
    CapaOculta.SetUmbral(umbral);
    CapaSalida.SetUmbral(umbral);
}

void TRedNeuronal::InicializarPesos() {
    CapaOculta.InicializarPesos();
    CapaSalida.InicializarPesos();
}

void TRedNeuronal::Propagar() {
#ifndef PERCEPTLAB_BASELINE_ONLY
    if (ConAvx2YFma) return PropagarAvx2();
#endif
    PropagarBase();
}

void TRedNeuronal::PropagarBase() { PropagarCon<false>(); }

#ifndef PERCEPTLAB_BASELINE_ONLY
void TRedNeuronal::PropagarAvx2() { PropagarCon<true>(); }
#endif

void PrepararRedInicial(TRedNeuronal& red) {
    red.SetReglaPropagacion(rpLineal);
    red.SetFuncionTransferencia(ftSigmoide);
    red.SetFuncionSalida(fsIdentidad);
    red.SetNumeroEntradas(2);
    red.SetNeuronasCapaOculta(2);
    red.SetNeuronasCapaSalida(1);
}
