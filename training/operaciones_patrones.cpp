#include "operaciones_patrones.h"

#include "red_neuronal.h"
#include "rejilla_patrones.h"
#include "integer_text.h"
#include "vista_patrones.h"

namespace {

constexpr int kCampos = VistaPatrones::CamposPorTipo;

}  // namespace

void AnadirPatron(EstadoTrabajo& estado, const TRedNeuronal& red, VistaPatrones& vista) {
    if (!estado.RedCreada || estado.NumeroPatrones >= kMaxPatterns) return;
    const std::int32_t p = ++estado.NumeroPatrones;
    vista.SetEtiqueta("Patrón " + IntegerText(p + 1));
    vista.SetMaximoNumeroPatron(p);
    vista.SetNumeroPatron(0);

    auto& entradas = estado.EntradasPatrones[p];
    auto& salidas = estado.SalidasPatrones[p];
    // Only ten of each can be typed; clearing the columns above them keeps a
    // reused row from lending an older pattern's values to a wide network.
    for (std::size_t i = kCampos + 1; i < entradas.size(); ++i) entradas[i] = 0.0;
    for (std::size_t k = kCampos + 1; k < salidas.size(); ++k) salidas[k] = 0.0;
    for (int k = 1; k <= kCampos; ++k) {
        if (vista.Habilitado(k)) entradas[k] = static_cast<double>(vista.Valor(k));
    }
    for (int k = 1; k <= kCampos; ++k) {
        if (vista.Habilitado(kCampos + k)) salidas[k] = static_cast<double>(vista.Valor(kCampos + k));
    }
    for (int campo = 1; campo <= VistaPatrones::Campos; ++campo) vista.SetValor(campo, 0.0L);

    VistaTabla& rejilla = vista.Rejilla();
    rejilla.SetRowCount(p + 1);
    EscribirFilaPatron(rejilla, estado, p, red.NumeroEntradas(), red.NeuronasCapaSalida());
}

void EliminarPatron(EstadoTrabajo& estado, const TRedNeuronal& red, VistaPatrones& vista) {
    const std::int32_t n = vista.NumeroPatron();
    if (!estado.RedCreada || estado.NumeroPatrones <= 0 || n <= 0) return;
    const std::int32_t c = --estado.NumeroPatrones;
    for (std::int32_t r = n; r <= c; ++r) {
        estado.EntradasPatrones[r] = estado.EntradasPatrones[r + 1];
        estado.SalidasPatrones[r] = estado.SalidasPatrones[r + 1];
    }
    vista.SetNumeroPatron(0);
    vista.SetMaximoNumeroPatron(c);
    ReconstruirRejillaPatrones(vista.Rejilla(), estado, red);
    vista.SetEtiqueta(IntegerText(c + 1));
}

void EliminarTodosLosPatrones(EstadoTrabajo& estado, const TRedNeuronal& red, VistaPatrones& vista) {
    VistaTabla& rejilla = vista.Rejilla();
    rejilla.SetRowCount(2);
    estado.NumeroPatrones = 0;
    vista.SetEtiqueta("Patrón 1");
    const std::int32_t entradas = red.NumeroEntradas();
    const std::int32_t salidas = red.NeuronasCapaSalida();
    for (std::int32_t c = 1; c <= entradas + salidas; ++c) rejilla.SetFloat(c, 1, 0.0);
}
