// The execution tab: one input vector typed into a grid, "Ejecutar", and the
// network's outputs rounded to the chosen number of decimals.

#include "control_builders.h"
#include "execution.h"
#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "float_grid_view.h"
#include "main_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {

TFloatGrid* NewColumnGrid(QWidget* parent, const QString& name, QRect geometry, int valueWidth, bool editable,
                          const QString& accessible) {
    auto* grid = new TFloatGrid(2, 11, parent);
    Place(grid, name, geometry, accessible);
    grid->SetDisplayFormat("##,##0.#######");
    grid->SetEditable(editable);
    // Tab leaves the grid; the arrow keys move between its cells.
    grid->setTabKeyNavigation(false);
    grid->SetDefaultRowHeight(18);
    grid->SetColWidth(0, 64);
    grid->SetColWidth(1, valueWidth);
    // The values take whatever the label column leaves: a number with seven
    // decimals needs more than the value column's own width.
    grid->SetFillWidth(true);
    return grid;
}

// Rows 1..n of a grid: "<word> i" in the label column and 0 as the value.
void ShapeColumnGrid(TFloatGrid& grid, const QString& corner, const QString& word, int rows) {
    grid.SetRowCount(rows + 1);
    grid.SetCells(0, 0, corner);
    for (int i = 1; i <= rows; ++i) {
        grid.SetCells(0, i, QString("%1 %2").arg(word).arg(i));
        grid.SetFloat(1, i, 0);
    }
}

class ExecutionView : public ExecutionTabView {
public:
    ExecutionView(TFloatGrid& entradas, TFloatGrid& salidas, const TFlatSpinEditInteger& decimales)
        : inputs_(entradas), outputs_(salidas), decimals_(decimales) {}

    NumberTableView& Entradas() override { return inputs_; }
    NumberTableView& Salidas() override { return outputs_; }
    std::int32_t Decimals() const override { return decimals_.Value(); }

private:
    FloatGridView inputs_;
    FloatGridView outputs_;
    const TFlatSpinEditInteger& decimals_;
};

}  // namespace

void TForm1::BuildExecutionTab() {
    QGroupBox* entradas = NewGroupBox(TabSheet4, "GroupBox7", "Entradas ", QRect(33, 39, 247, 274));
    FloatGrid4 = NewColumnGrid(entradas, "FloatGrid4", QRect(52, 33, 144, 224), 74, true, "Entradas");

    QGroupBox* salidas = NewGroupBox(TabSheet4, "GroupBox15", "Salidas ", QRect(312, 39, 248, 274));
    QGroupBox* redondeo = NewGroupBox(salidas, "FlatGroupBox6", "Redondeo ", QRect(46, 13, 163, 53));
    redondeo->setFlat(true);
    SetBackground(redondeo, QColor(142, 197, 198));
    SetBold(redondeo, 11);
    FlatSpinEditInteger7 = new TFlatSpinEditInteger(redondeo);
    Place(FlatSpinEditInteger7, "FlatSpinEditInteger7", QRect(13, 20, 72, 23), "Redondeo, decimales");
    FlatSpinEditInteger7->SetMinValue(0);
    FlatSpinEditInteger7->SetMaxValue(8);
    FlatSpinEditInteger7->SetValue(0);
    QLabel* unidad = NewLabel(redondeo, "Label10", "decimales", QRect(91, 26, 57, 13));
    QFont plain = unidad->font();
    plain.setBold(false);
    unidad->setFont(plain);
    FloatGrid5 = NewColumnGrid(salidas, "FloatGrid5", QRect(52, 72, 144, 182), 61, false, "Salidas");

    SpeedButton9 =
        NewSpeedButton(TabSheet4, "SpeedButton9", "Ejecutar", QRect(208, 320, 169, 33), QStyle::SP_MediaPlay, 24);
}

void TForm1::TabSheet4Show() {
    ShapeColumnGrid(*FloatGrid4, "Entradas", "Entrada", RedNeuronal1.NumeroEntradas());
    ShapeColumnGrid(*FloatGrid5, "Salidas", "Salida", RedNeuronal1.NeuronasCapaSalida());
}

void TForm1::SpeedButton9Click() {
    ExecutionView view(*FloatGrid4, *FloatGrid5, *FlatSpinEditInteger7);
    Execute(workState, RedNeuronal1, view);
}
