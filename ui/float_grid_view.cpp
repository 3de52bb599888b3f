#include "float_grid_view.h"

#include "float_grid.h"

void FloatGridView::SetColCount(int columnas) { grid_.SetColCount(columnas); }

void FloatGridView::SetRowCount(int filas) { grid_.SetRowCount(filas); }

void FloatGridView::SetCells(int columna, int fila, const std::string& texto) {
    grid_.SetCells(columna, fila, QString::fromStdString(texto));
}

void FloatGridView::SetFloat(int columna, int fila, double valor) { grid_.SetFloat(columna, fila, valor); }

double FloatGridView::GetFloat(int columna, int fila) { return grid_.GetFloat(columna, fila); }
