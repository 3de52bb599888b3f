#include "neurona.h"

#include <stdexcept>

#include "activacion.h"
#include "aleatorio.h"
#include "program_error.h"

TNeurona::TNeurona(AlmacenCapa& almacen, int columna)
    : Pesos(&almacen.pesos[0][columna]),
      Entradas(&almacen.entradas[0][columna]),
      almacen_(&almacen),
      columna_(columna) {
    InicializarPesos();
}

void TNeurona::SetNumeroEntradas(std::int32_t n) {
    if (n < 0 || n > MaxEntradas) throw std::out_of_range("TNeurona: NumeroEntradas fuera de 0..32");
    numeroEntradas_ = n;
    InicializarPesos();
}

double TNeurona::Salida() const { return almacen_->salidas[columna_]; }

void TNeurona::InicializarPesos() {
    Aleatorio::SembrarDesdeReloj();
    Entradas[0] = -1;
    Pesos[0] = Aleatorio::Sacar() - 0.5;
    for (std::size_t k = 1; k <= static_cast<std::size_t>(numeroEntradas_); ++k) {
        Entradas[k] = Aleatorio::Sacar() - 0.5;
        Pesos[k] = Aleatorio::Sacar() - 0.5;
    }
}

void TNeurona::CalcularSalida() {
    // The weighted sum is the only propagation rule.
    double s = 0;
    for (std::size_t k = 0; k <= static_cast<std::size_t>(numeroEntradas_); ++k) s = s + Entradas[k] * Pesos[k];
    const auto y = Activacion(transferencia_, salida_, umbral_, s);
    if (!y) throw ProgramError(kOverflowMessage);
    almacen_->salidas[columna_] = *y;
}
