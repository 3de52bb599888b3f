#pragma once
// The error chart as a training run sees it.

#include "error_chart.h"
#include "grafica_errores.h"

class ErrorChartSink : public GraficaErrores {
public:
    explicit ErrorChartSink(ErrorChart& chart) : chart_(chart) {}

    std::int64_t NumeroPuntos() const override { return chart_.Store().Count(); }
    void AnadirPunto(double y) override {
        ultimo_ = y;
        chart_.Append(y);
    }
    void Borrar() override { chart_.Clear(); }

    // The error of the latest point appended.
    double Ultimo() const { return ultimo_; }

private:
    ErrorChart& chart_;
    double ultimo_ = 0;
};
