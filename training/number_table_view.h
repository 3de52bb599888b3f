#pragma once
// A grid of numbers as the core sees it: a fixed header row and label column
// (row 0, column 0) around data cells from (1, 1). The window binds it to
// its float grids.

#include <string>

class NumberTableView {
public:
    virtual ~NumberTableView() = default;
    virtual void SetColCount(int columnas) = 0;
    virtual void SetRowCount(int filas) = 0;
    // Any cell's text, header cells included.
    virtual void SetCells(int columna, int fila, const std::string& texto) = 0;
    // A data cell from a number.
    virtual void SetFloat(int columna, int fila, double valor) = 0;
    // A data cell read as a number; a cell that holds none reads as 0 and is
    // rewritten as "0".
    virtual double GetFloat(int columna, int fila) = 0;
};
