// SPDX-License-Identifier: GPL-3.0-or-later
// The data-entry tab: twenty entry fields, the pattern buttons, the pattern
// grid and "Guardar Red Sin Entrenar".

#include "column_names_command.h"
#include "control_builders.h"
#include "csv_patterns.h"
#include "file_access.h"
#include "file_names.h"
#include "flat_combo_box.h"
#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "float_grid_view.h"
#include "header_renamer.h"
#include "io_names.h"
#include "main_window.h"
#include "network_files.h"
#include "nk_label_float.h"
#include "pattern_edits.h"
#include "pattern_grid.h"
#include "pattern_operations.h"
#include "pattern_snapshot.h"
#include "pattern_table_command.h"
#include "pattern_view.h"
#include "program_error.h"
#include "rna_file.h"
#include "test_split.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QSignalBlocker>
#include <QUndoStack>

#include <array>
#include <vector>

namespace {

constexpr int kFieldWidth = 56;
constexpr int kFieldStep = 58;
constexpr int kFieldHeight = 40;
// Each change keeps two copies of the table, some 100 kB.
constexpr int kUndoLimit = 100;

TNKLabelFloat* NewEntryField(QWidget* parent, int index, const QString& caption, QPoint at) {
    auto* field = new TNKLabelFloat(parent);
    Place(field, QString("NKLabelFloat%1").arg(index), QRect(at, QSize(kFieldWidth, kFieldHeight)),
          caption.trimmed());
    field->SetCaption(caption);
    field->SetDisplayFormat("##,##0.########");
    field->SetPositiveOnly(false);
    field->Edit()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return field;
}

// The first field's caption carries a trailing blank; the others do not.
QString FieldCaption(const char* word, int k) { return QString("%1%2%3").arg(word).arg(k).arg(k == 1 ? " " : ""); }

}  // namespace

void TForm1::BuildDataTab() {
    QWidget* tab = TabSheet2;
    Label4 = NewLabel(tab, "Label4", "Máximo número de patrones 100", QRect(8, 10, 0, 0));
    SetBold(Label4);
    Label4->adjustSize();
    Label3 = NewLabel(tab, "Label3", "Patrón 1", QRect(250, 6, 120, 24));
    SetBold(Label3, 16);
    SpeedButton4 = NewSpeedButton(tab, "SpeedButton4", "Guardar Red Sin Entrenar", QRect(385, 4, 202, 30),
                                  QStyle::SP_DialogSaveButton, 11);

    Label1 = NewLabel(tab, "Label1", "Entradas", QRect(8, 38, 0, 0));
    SetBold(Label1);
    Label1->adjustSize();
    for (int k = 1; k <= 10; ++k)
        NKLabelFloat[k] = NewEntryField(tab, k, FieldCaption("Entrada", k), QPoint(8 + (k - 1) * kFieldStep, 54));
    Bevel1 = NewBevel(tab, "Bevel1", QRect(8, 98, 579, 4), true);
    Label2 = NewLabel(tab, "Label2", "Salidas Esperadas", QRect(8, 104, 579, 16));
    Label2->setAlignment(Qt::AlignCenter);
    SetBold(Label2);
    for (int k = 1; k <= 10; ++k)
        NKLabelFloat[10 + k] =
            NewEntryField(tab, 10 + k, FieldCaption("Salida", k), QPoint(8 + (k - 1) * kFieldStep, 122));
    SpeedButton3 = NewSpeedButton(tab, "SpeedButton3", "Añadir Patrón", QRect(8, 166, 180, 28),
                                  QStyle::SP_DialogApplyButton, 11);
    importCsv = NewSpeedButton(tab, "importCsv", "Importar CSV…", QRect(252, 166, 160, 28),
                               QStyle::SP_DialogOpenButton, 11);
    exportCsv = NewSpeedButton(tab, "exportCsv", "Exportar CSV…", QRect(427, 166, 160, 28),
                               QStyle::SP_DialogSaveButton, 11);

    Bevel2 = NewBevel(tab, "Bevel2", QRect(8, 198, 579, 4), false);
    SpeedButton5 = NewSpeedButton(tab, "SpeedButton5", "Eliminar Patrón Nº", QRect(8, 206, 170, 28),
                                  QStyle::SP_DialogDiscardButton, 11);
    FlatSpinEditInteger8 = new TFlatSpinEditInteger(tab);
    Place(FlatSpinEditInteger8, "FlatSpinEditInteger8", QRect(184, 209, 70, 22), "Número de patrón a eliminar");
    FlatSpinEditInteger8->SetMinValue(0);
    FlatSpinEditInteger8->SetMaxValue(0);
    FlatSpinEditInteger8->SetValue(0);
    SpeedButton6 = NewSpeedButton(tab, "SpeedButton6", "Eliminar Todos los Patrones", QRect(377, 206, 210, 28),
                                  QStyle::SP_TrashIcon, 11);

    GroupBox1 = NewGroupBox(tab, "GroupBox1", "Patrones ", QRect(8, 238, 579, 124));
    // Which set the grid, the fields and the buttons above work on; the
    // test set is never trained on.
    trainingSetShown = NewRadioButton(GroupBox1, "trainingSetShown", "Patrones de entrenamiento", QRect(8, 16, 160, 18));
    trainingSetShown->setChecked(true);
    testSetShown = NewRadioButton(GroupBox1, "testSetShown", "Patrones de prueba", QRect(170, 16, 125, 18));
    separateTest = NewSpeedButton(GroupBox1, "separateTest", "Separar para prueba…", QRect(300, 14, 130, 22),
                                  QStyle::SP_ArrowRight, 10);
    returnTest = NewSpeedButton(GroupBox1, "returnTest", "Devolver a entrenamiento", QRect(433, 14, 138, 22),
                                QStyle::SP_ArrowLeft, 10);
    for (QWidget* small : {static_cast<QWidget*>(trainingSetShown), static_cast<QWidget*>(testSetShown),
                           static_cast<QWidget*>(separateTest), static_cast<QWidget*>(returnTest)}) {
        QFont face = small->font();
        face.setBold(false);
        face.setPixelSize(10);
        small->setFont(face);
    }
    FloatGrid1 = new TFloatGrid(11, 2, GroupBox1);
    Place(FloatGrid1, "FloatGrid1", QRect(8, 38, 563, 80), "Patrones");
    FloatGrid1->SetDisplayFormat("##,##0.#######");
    // Wide enough that any value below a million with seven decimals is drawn
    // whole, in a smaller face where it must.
    FloatGrid1->SetDefaultColWidth(72);
    FloatGrid1->SetColWidth(0, 65);
    // Cells of stored patterns edit in place, key by key as the entry fields.
    FloatGrid1->SetFieldEditing("##,##0.########", [this](int col, int row) {
        return IsPatternCell(workState, RedNeuronal1, col, row, shownSet_);
    });
    // Tab leaves the grid; the arrow keys move between its cells.
    FloatGrid1->setTabKeyNavigation(false);

    patternView_ = std::make_unique<PatternView>(NKLabelFloat, *FlatSpinEditInteger8, *Label3, *FloatGrid1);

    // The table's history answers its keys anywhere on the tab, except in a
    // field or a cell being edited, where they undo the typing.
    patternHistory_ = new QUndoStack(this);
    patternHistory_->setUndoLimit(kUndoLimit);
    undoPatternChange = patternHistory_->createUndoAction(tab, "Deshacer");
    undoPatternChange->setObjectName("edit-undo");
    undoPatternChange->setShortcut(QKeySequence::Undo);
    redoPatternChange = patternHistory_->createRedoAction(tab, "Rehacer");
    redoPatternChange->setObjectName("edit-redo");
    redoPatternChange->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* action : {undoPatternChange, redoPatternChange}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        tab->addAction(action);
    }
    FloatGrid1->SetMenuActions({undoPatternChange, redoPatternChange});
    // The headers name the inputs and outputs; the learner may rename them.
    columnRenamer_ = new HeaderRenamer(*FloatGrid1, [this](int col) {
        return workState.RedCreada && col <= RedNeuronal1.NumeroEntradas() + RedNeuronal1.NeuronasCapaSalida();
    });
}

// Both sets are recorded: a move between them changes both, and undoes as one.
void TForm1::ChangePatterns(const QString& text, const std::function<void()>& change) {
    constexpr std::array kSets{PatternSetKind::Training, PatternSetKind::Test};
    const std::array before{TakePatternSnapshot(workState, kSets[0]), TakePatternSnapshot(workState, kSets[1])};
    const ColumnNames namesBefore = TakeColumnNames(workState);
    const auto record = [&] {
        std::vector<QUndoCommand*> commands;
        for (std::size_t s = 0; s < kSets.size(); ++s) {
            const PatternSnapshot after = TakePatternSnapshot(workState, kSets[s]);
            if (SameBits(before[s], after)) continue;
            commands.push_back(new PatternTableCommand(text, workState, kSets[s], before[s], after,
                                                       [this, set = kSets[s]] { ShowPatternSet(set); }));
        }
        const ColumnNames namesAfter = TakeColumnNames(workState);
        if (namesBefore != namesAfter)
            commands.push_back(
                new ColumnNamesCommand(text, workState, namesBefore, namesAfter, [this] { ShowColumnNames(); }));
        if (commands.empty()) return;
        workState.unsaved.patterns = true;
        // An import that changes a set and the names, or a move between the sets, is one step.
        if (commands.size() > 1) patternHistory_->beginMacro(text);
        for (QUndoCommand* command : commands) patternHistory_->push(command);
        if (commands.size() > 1) patternHistory_->endMacro();
    };
    try {
        change();
    } catch (...) {
        record();
        throw;
    }
    record();
}

void TForm1::RenamePatternColumn(int col, const QString& text) {
    if (!workState.RedCreada) return;
    RenameColumn(workState, RedNeuronal1.NumeroEntradas(), col, text.toStdString());
    ShowColumnNames();
}

void TForm1::ShowColumnNames() {
    FloatGridView grid(*FloatGrid1);
    WritePatternHeader(grid, workState, RedNeuronal1.NumeroEntradas(), RedNeuronal1.NeuronasCapaSalida());
}

void TForm1::TabSheet2Show() { FlatSpinEditInteger8->SetValue(0); }

void TForm1::SpeedButton3Click() { AddPattern(workState, RedNeuronal1, *patternView_, shownSet_); }

void TForm1::SpeedButton5Click() { DeletePattern(workState, RedNeuronal1, *patternView_, shownSet_); }

void TForm1::SpeedButton6Click() { DeleteAllPatterns(workState, RedNeuronal1, *patternView_, shownSet_); }

void TForm1::SpeedButton4Click() { SaveUntrainedNetwork(); }

bool TForm1::SaveUntrainedNetwork() {
    const std::optional<QString> chosen = fileDialogs_->Execute(this, SaveDialog1);
    if (!chosen) return false;
    const std::string path = chosen->toStdString();
    SaveLines(path, RnaLines(RedNeuronal1, PatternsToSave(workState, RedNeuronal1),
                             BlocksToSave(workState, RedNeuronal1, RedNeuronal1.Learning()), FlatComboBox1->ItemIndex(), FlatComboBox2->ItemIndex(),
                                  decimalSeparator_));
    SetCaption(QString::fromStdString("PerceptLab " + NameWithoutFolder(path)));
    fileDialogs_->RememberFolderOf(*chosen);
    workState.unsaved.patterns = false;
    return true;
}

void TForm1::PatternCellEdited(int col, int row, double value) {
    FloatGridView grid(*FloatGrid1);
    SetPatternValue(workState, RedNeuronal1, col, row, value, grid, shownSet_);
}

// Rows start at the grid's current row; the whole text is read and checked
// before the table changes. The clipboard's text is held once, as it is, and
// a text longer than the table can hold is refused before any copy of it.
void TForm1::PastePatternRows() {
    if (!workState.RedCreada) return;
    const QModelIndex current = FloatGrid1->currentIndex();
    const std::int32_t first = current.isValid() ? current.row() + 1 : 1;
    const QString text = QGuiApplication::clipboard()->text();
    if (static_cast<std::size_t>(text.size()) > kMaxPastedText) throw ProgramError(PastedTextTooLongMessage());
    const PatternRows rows = ReadPatternText(text.toStdString(), RedNeuronal1.NumeroEntradas(),
                                             RedNeuronal1.NeuronasCapaSalida(), decimalSeparator_);
    PastePatterns(workState, RedNeuronal1, first, rows, *patternView_, shownSet_);
}

void TForm1::ImportCsv() {
    if (!workState.RedCreada) return;
    const std::optional<QString> path = fileDialogs_->Execute(this, openCsvDialog);
    if (!path) return;
    const std::int32_t inputs = RedNeuronal1.NumeroEntradas();
    const CsvPatternFile file =
        ReadCsvPatternFile(path->toStdString(), inputs, RedNeuronal1.NeuronasCapaSalida(), decimalSeparator_);
    const std::int32_t count = SetMembers(workState, shownSet_).count;
    if (count > 0 &&
        !infoBox_->Ask(this, QString("La tabla tiene %1 patrones. ¿Sustituirlos por los %2 del fichero?")
                                 .arg(count)
                                 .arg(file.rows.size())))
        return;
    ReplacePatterns(workState, RedNeuronal1, file.rows, *patternView_, shownSet_);
    fileDialogs_->RememberFolderOf(*path);
    // Only a header names the columns; a file without one leaves the names.
    if (file.header.empty()) return;
    HeaderRowNames names = NamesFromHeaderRow(file.header, inputs);
    workState.InputNames = std::move(names.inputs);
    workState.OutputNames = std::move(names.outputs);
    ShowColumnNames();
    if (!names.notes.empty()) infoBox_->Show(this, QString::fromStdString(names.notes));
}

void TForm1::ExportCsv() {
    if (!workState.RedCreada) return;
    const std::string text =
        CsvPatternText(StoredPatterns(workState, RedNeuronal1, shownSet_), RedNeuronal1.NumeroEntradas(),
                       RedNeuronal1.NeuronasCapaSalida(), decimalSeparator_, workState.InputNames, workState.OutputNames);
    const std::optional<QString> path = fileDialogs_->Execute(this, saveCsvDialog);
    if (!path) return;
    SaveFileSafely(path->toStdString(), text);
    fileDialogs_->RememberFolderOf(*path);
    infoBox_->Show(this, "Patrones exportados a " + QDir::toNativeSeparators(*path));
}

void TForm1::SelectPatternSet(PatternSetKind set) {
    shownSet_ = set;
    QRadioButton* shown = set == PatternSetKind::Test ? testSetShown : trainingSetShown;
    const QSignalBlocker quiet(shown);
    shown->setChecked(true);
}

void TForm1::ShowPatternSet(PatternSetKind set) {
    SelectPatternSet(set);
    ShowPatternTable(workState, RedNeuronal1, *patternView_, set);
}

void TForm1::SeparateTestClick() {
    if (!workState.RedCreada || workState.NumeroPatrones == 0) return;
    const std::optional<int> percent =
        shareQuestion_->Ask(this, "Porcentaje de los patrones de entrenamiento que pasan a prueba:");
    if (!percent) return;
    SeparateTestPatterns(workState, *percent / 100.0, RedNeuronal1.NeuronasCapaSalida());
    ShowPatternSet(PatternSetKind::Test);
}

void TForm1::ReturnTestClick() {
    if (!workState.RedCreada || workState.TestPatternCount == 0) return;
    ReturnTestPatterns(workState);
    ShowPatternSet(PatternSetKind::Training);
}
