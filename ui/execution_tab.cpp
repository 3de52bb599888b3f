// SPDX-License-Identifier: GPL-3.0-or-later
// The execution tab: one input vector typed into a grid, "Ejecutar", and the
// network's outputs rounded to the chosen number of decimals.

#include "column_grid.h"
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

class ExecutionView : public ExecutionTabView {
public:
    ExecutionView(TFloatGrid& inputs, TFloatGrid& outputs, const TFlatSpinEditInteger& decimals)
        : inputs_(inputs), outputs_(outputs), decimals_(decimals) {}

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
    QGroupBox* inputs = NewGroupBox(TabSheet4, "GroupBox7", "Entradas ", QRect(33, 39, 247, 274));
    FloatGrid4 = NewColumnGrid(inputs, "FloatGrid4", QRect(52, 33, 144, 224), 74, true, "Entradas");

    QGroupBox* outputs = NewGroupBox(TabSheet4, "GroupBox15", "Salidas ", QRect(312, 39, 248, 274));
    QGroupBox* rounding = NewGroupBox(outputs, "FlatGroupBox6", "Redondeo ", QRect(46, 13, 163, 53));
    rounding->setFlat(true);
    SetBackground(rounding, QColor(142, 197, 198));
    SetBold(rounding, 11);
    FlatSpinEditInteger7 = new TFlatSpinEditInteger(rounding);
    Place(FlatSpinEditInteger7, "FlatSpinEditInteger7", QRect(13, 20, 72, 23), "Redondeo, decimales");
    FlatSpinEditInteger7->SetMinValue(0);
    FlatSpinEditInteger7->SetMaxValue(8);
    FlatSpinEditInteger7->SetValue(0);
    QLabel* unit = NewLabel(rounding, "Label10", "decimales", QRect(91, 26, 57, 13));
    QFont plain = unit->font();
    plain.setBold(false);
    unit->setFont(plain);
    FloatGrid5 = NewColumnGrid(outputs, "FloatGrid5", QRect(52, 72, 144, 182), 61, false, "Salidas");

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
