#pragma once
// The training tab as a training run sees it.

#include "error_chart_sink.h"
#include "float_grid_view.h"
#include "vista_entrenamiento.h"

#include <QElapsedTimer>
#include <QMetaObject>

class TForm1;

class TrainingView : public VistaEntrenamiento {
public:
    explicit TrainingView(TForm1& form);
    ~TrainingView() override;
    TrainingView(const TrainingView&) = delete;
    TrainingView& operator=(const TrainingView&) = delete;

    CriterioParada Criterio() const override;
    std::int32_t NumeroCiclos() const override;
    std::int32_t UmbralErrorMaximo() const override;
    std::int32_t UmbralErrorMinimo() const override;
    void SetNumeroCiclos(std::int32_t valor) override;
    void SetUmbralErrorMaximo(std::int32_t valor) override;
    void SetUmbralErrorMinimo(std::int32_t valor) override;
    std::int64_t CiclosTotales() const override;
    void SetCiclosTotales(std::int64_t valor) override;
    std::int64_t TiempoEntrenamiento() const override;
    void SetTiempoEntrenamiento(std::int64_t valor) override;
    void SetErrorMaximo(double valor) override;
    void SetErrorMinimo(double valor) override;
    VistaTabla& SalidasEsperadas() override { return esperadas_; }
    VistaTabla& SalidasObtenidas() override { return obtenidas_; }
    GraficaErrores& Grafica() override { return grafica_; }
    void AbrirProgreso() override;
    void CerrarProgreso() noexcept override;
    void ProcesarMensajes() override;

private:
    TForm1& form_;
    FloatGridView esperadas_;
    FloatGridView obtenidas_;
    ErrorChartSink grafica_;
    // The cycle count as last parsed from its field; parsed again only after
    // the field's text changed, which during a run happens only while
    // messages are processed.
    mutable std::int32_t numeroCiclos_ = 0;
    mutable bool numeroCiclosLeido_ = false;
    QMetaObject::Connection cambioCiclos_;
    // The progress window shows how far the run is, as often as the chart
    // repaints: the points the run has appended, counted from its start.
    void MostrarAvance();
    std::int64_t puntosAlEmpezar_ = 0;
    QElapsedTimer desdeAvance_;
};
