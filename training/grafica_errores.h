#pragma once
// Where a training run sends the error of each iteration: the error chart.
// A run appends one point per iteration, handed over in batches, and draws
// nothing itself; the chart repaints when the window's messages are processed.

#include <cstddef>
#include <cstdint>
#include <span>

class GraficaErrores {
public:
    virtual ~GraficaErrores() = default;
    // Points held since the last clear.
    virtual std::int64_t NumeroPuntos() const = 0;
    // Stores (x, y) after every other point; must be cheap and must not draw.
    virtual void AnadirPunto(double x, double y) = 0;
    // The points (primerX + i, ys[i]) in order, as AnadirPunto would store them
    // one by one; a chart that can take them all at once overrides this.
    virtual void AnadirPuntos(double primerX, std::span<const double> ys) {
        for (std::size_t i = 0; i < ys.size(); ++i) AnadirPunto(primerX + static_cast<double>(i), ys[i]);
    }
    virtual void Borrar() = 0;
};
