#pragma once
// Storage of one layer's neurons, laid out layer-wide: row k holds value k
// (weight or input) of all 32 neurons side by side. The forward pass and the
// training step then run across the neurons of a row, which the compiler
// vectorises while each neuron keeps its own order of operations.

#include <cstddef>

constexpr int MaxNeuronas = 32;
constexpr int MaxEntradas = 32;

struct AlmacenCapa {
    alignas(64) double pesos[MaxEntradas + 1][MaxNeuronas] = {};
    alignas(64) double entradas[MaxEntradas + 1][MaxNeuronas] = {};
    alignas(64) double salidas[MaxNeuronas] = {};
};

// One neuron's column of a row-per-index table: element k is row k.
class ColumnaAlmacen {
public:
    explicit ColumnaAlmacen(double* primero) : primero_(primero) {}
    double& operator[](std::size_t k) { return primero_[k * MaxNeuronas]; }
    const double& operator[](std::size_t k) const { return primero_[k * MaxNeuronas]; }

private:
    double* primero_;
};
