#pragma once
// Binds a training run's point sink to the error chart. The run gives x as
// the number of points held, which the chart's store already knows, so only
// y is passed on.

#include "error_chart.h"
#include "grafica_errores.h"

class ErrorChartSink final : public GraficaErrores {
public:
    explicit ErrorChartSink(ErrorChart& chart) : chart_(chart) {}

    std::int64_t NumeroPuntos() const override { return chart_.Store().Count(); }
    void AnadirPunto(double /*x*/, double y) override { chart_.Append(y); }
    void Borrar() override { chart_.Clear(); }

private:
    ErrorChart& chart_;
};
