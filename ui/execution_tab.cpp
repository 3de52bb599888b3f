// SPDX-License-Identifier: GPL-3.0-or-later
// The execution tab: one input vector typed into a grid, "Ejecutar", and the
// network's outputs rounded to the chosen number of decimals.

#include "column_grid.h"
#include "control_builders.h"
#include "column_names.h"
#include "execution.h"
#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "float_grid_view.h"
#include "io_names.h"
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

constexpr QRect kInputGrid(52, 33, 144, 224);
constexpr QRect kOutputGrid(52, 72, 144, 182);
constexpr int kInputValueWidth = 74;
constexpr int kOutputValueWidth = 61;
constexpr int kRowNumberWidth = 64;

// The rows of a grid named as the inputs or outputs are: by their numbers
// while every name is the default, else by the names, and the grid then
// takes its box's width so that they have room beside the values.
void ShowNamedRows(TFloatGrid& grid, QRect plain, int valueWidth, const QString& corner,
                   const std::vector<std::string>& names, bool named) {
    ShapeColumnGrid(grid, corner, names, named);
    const QRect wide(8, plain.y(), grid.parentWidget()->width() - 16, plain.height());
    grid.setGeometry(named ? wide : plain);
    grid.SetColWidth(0, named ? wide.width() - valueWidth - 24 : kRowNumberWidth);
}

}  // namespace

void TForm1::BuildExecutionTab() {
    QGroupBox* inputs = NewGroupBox(TabSheet4, "GroupBox7", "Entradas ", QRect(33, 39, 247, 274));
    FloatGrid4 = NewColumnGrid(inputs, "FloatGrid4", kInputGrid, kInputValueWidth, true, "Entradas");

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
    FloatGrid5 = NewColumnGrid(outputs, "FloatGrid5", kOutputGrid, kOutputValueWidth, false, "Salidas");
    executionClass = NewLabel(outputs, "executionClass", "", QRect(8, 255, 232, 16));
    executionClass->setAlignment(Qt::AlignCenter);

    SpeedButton9 =
        NewSpeedButton(TabSheet4, "SpeedButton9", "Ejecutar", QRect(208, 320, 169, 33), QStyle::SP_MediaPlay, 24);
}

void TForm1::TabSheet4Show() {
    const std::int32_t inputs = RedNeuronal1.NumeroEntradas();
    const std::int32_t outputs = RedNeuronal1.NeuronasCapaSalida();
    ShowNamedRows(*FloatGrid4, kInputGrid, kInputValueWidth, "Entradas",
                  NamesOrDefaults(workState.InputNames, inputs, DefaultInputName),
                  HasOwnNames(workState.InputNames, inputs, {}, 0));
    ShowNamedRows(*FloatGrid5, kOutputGrid, kOutputValueWidth, "Salidas",
                  NamesOrDefaults(workState.OutputNames, outputs, DefaultOutputName),
                  HasOwnNames({}, 0, workState.OutputNames, outputs));
    executionClass->clear();
}

void TForm1::SpeedButton9Click() {
    ExecutionView view(*FloatGrid4, *FloatGrid5, *FlatSpinEditInteger7);
    executionClass->clear();
    Execute(workState, RedNeuronal1, view);
    const QString text = QString::fromStdString(ExecutedClassText(workState, RedNeuronal1, decimalSeparator_));
    executionClass->setText(text);
    executionClass->setToolTip(text);
}
