#pragma once
// A float grid seen as the core's table view.

#include "number_table_view.h"

class TFloatGrid;

class FloatGridView : public NumberTableView {
public:
    explicit FloatGridView(TFloatGrid& grid) : grid_(grid) {}

    void SetColCount(int columnas) override;
    void SetRowCount(int filas) override;
    void SetCells(int columna, int fila, const std::string& texto) override;
    void SetFloat(int columna, int fila, double valor) override;
    double GetFloat(int columna, int fila) override;

private:
    TFloatGrid& grid_;
};
