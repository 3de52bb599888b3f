#pragma once
// One processing unit: its weights, a copy of its inputs, its configuration
// and the output of its last computation. Neurons live in a layer, whose
// storage holds their arrays.

#include <cstdint>

#include "almacen_capa.h"
#include "enumeraciones.h"

class TNeurona {
public:
    // Takes column `columna` of the layer's storage, then initialises itself
    // as a new neuron: 2 inputs, fresh random weights.
    TNeurona(AlmacenCapa& almacen, int columna);
    TNeurona(const TNeurona&) = delete;
    TNeurona& operator=(const TNeurona&) = delete;

    // Pesos[0] is the bias weight, paired with the constant input Entradas[0] = -1;
    // both are indexed 0..NumeroEntradas().
    ColumnaAlmacen Pesos;
    ColumnaAlmacen Entradas;

    double Umbral() const { return umbral_; }
    void SetUmbral(double umbral) { umbral_ = umbral; }
    std::int32_t NumeroEntradas() const { return numeroEntradas_; }
    // Resizes to 0..n (n in 0..32) and re-initialises, even when n is unchanged.
    void SetNumeroEntradas(std::int32_t n);
    TReglaPropagacion ReglaPropagacion() const { return regla_; }
    void SetReglaPropagacion(TReglaPropagacion regla) { regla_ = regla; }
    TFuncionTransferencia FuncionTransferencia() const { return transferencia_; }
    void SetFuncionTransferencia(TFuncionTransferencia funcion) { transferencia_ = funcion; }
    TFuncionSalida FuncionSalida() const { return salida_; }
    void SetFuncionSalida(TFuncionSalida funcion) { salida_ = funcion; }
    double Salida() const;

    // Re-seeds the generator from the clock, then draws bias weight, then for
    // each input its slot and its weight, each as a draw minus 0.5.
    void InicializarPesos();
    // Weighted sum, transfer and output function into Salida; throws
    // ProgramError("Floating point overflow") leaving Salida as it was.
    void CalcularSalida();

private:
    AlmacenCapa* almacen_;
    int columna_;
    double umbral_ = 0;
    std::int32_t numeroEntradas_ = 2;
    TReglaPropagacion regla_ = rpLineal;
    TFuncionTransferencia transferencia_ = ftIdentidad;
    TFuncionSalida salida_ = fsIdentidad;
};
