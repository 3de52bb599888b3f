// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration tab: the network's counts and lists, "Nueva Red
// Neuronal" and the two loads.

#include "control_builders.h"
#include "entry_fields.h"
#include "error_chart.h"
#include "flat_combo_box.h"
#include "flat_spin_edit_float.h"
#include "flat_spin_edit_integer.h"
#include "float_grid_view.h"
#include "integer_text.h"
#include "list_choices.h"
#include "main_window.h"
#include "nk_label_float.h"
#include "pattern_grid.h"
#include "pattern_view.h"
#include "ren_file.h"
#include "random_generator.h"
#include "rna_file.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QSettings>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QUndoStack>

#include <limits>

namespace {

// One setting: a group box with an explanatory line and an inner flat box
// around the control.
QGroupBox* NewSettingBox(QWidget* parent, int index, const QString& title, const QString& explanation,
                         const QString& innerTitle, QRect geometry) {
    QGroupBox* box = NewGroupBox(parent, QString("GroupBox%1").arg(index + 1), title, geometry);
    SetBold(box);
    QLabel* label =
        NewLabel(box, QString("Label%1").arg(index + 4), explanation, QRect(10, 20, geometry.width() - 20, 28));
    label->setWordWrap(true);
    QFont plain = label->font();
    plain.setBold(false);
    label->setFont(plain);
    QGroupBox* inner = NewGroupBox(box, QString("FlatGroupBox%1").arg(index), innerTitle,
                                   QRect(10, 50, geometry.width() - 20, geometry.height() - 58));
    inner->setFlat(true);
    return inner;
}

TFlatSpinEditInteger* NewCountEdit(QGroupBox* inner, const QString& name) {
    auto* edit = new TFlatSpinEditInteger(inner);
    Place(edit, name, QRect(10, 22, 90, 22), inner->title().trimmed());
    edit->SetMinValue(1);
    edit->SetMaxValue(32);
    edit->SetValue(1);
    return edit;
}

TFlatComboBox* NewList(QGroupBox* inner, const QString& name, const QStringList& items) {
    auto* list = new TFlatComboBox(inner);
    Place(list, name, QRect(10, 22, 200, 22), inner->title().trimmed());
    list->SetItems(items);
    return list;
}

// A count typed and not yet confirmed is read as typed; the network only
// takes counts within 1..32.
TRangoNeuronas CountOf(const TFlatSpinEditInteger& edit) {
    return static_cast<TRangoNeuronas>(edit.Clamped(edit.Value()));
}

}  // namespace

void TForm1::BuildConfigurationTab() {
    QWidget* tab = TabSheet1;
    constexpr int kLeft = 8, kRight = 306, kWidth = 284, kHeight = 116;

    FlatSpinEditInteger1 = NewCountEdit(
        NewSettingBox(tab, 1, "Número de Entradas ", "Usualmente , corresponde al número de variables a utilizar .",
                      "Nº Entradas ", QRect(kLeft, 2, kWidth, kHeight)),
        "FlatSpinEditInteger1");
    FlatSpinEditInteger2 =
        NewCountEdit(NewSettingBox(tab, 2, "Número de Neuronas de la Capa Oculta ",
                                   "Se trata de  la primera capa de neuronas .", "Nº Neuronas Capa Oculta",
                                   QRect(kLeft, 2 + kHeight + 4, kWidth, kHeight)),
                     "FlatSpinEditInteger2");
    QGroupBox* outputBox = NewSettingBox(tab, 3, "Número de Neuronas de la Capa de Salida ",
                                         "Se trata de la segunda y última capa de neuronas .", "Nº Neuronas Capa Salida",
                                         QRect(kLeft, 2 + 2 * (kHeight + 4), kWidth, kHeight));
    FlatSpinEditInteger3 = NewCountEdit(outputBox, "FlatSpinEditInteger3");
    BuildSeedOption(outputBox);
    FlatComboBox1 = NewList(NewSettingBox(tab, 4, "Regla de Propagación ", "Usualmente es una propagación lineal .",
                                          "Regla de Propagación", QRect(kRight, 2, kWidth, kHeight)),
                            "FlatComboBox1", {"Suma Ponderada"});
    FlatComboBox2 = NewList(NewSettingBox(tab, 5, "Función de Transferencia ", "Debe ser contínua y derivable .",
                                          "Función de Transferencia", QRect(kRight, 2 + kHeight + 4, kWidth, kHeight)),
                            "FlatComboBox2", {"Sigmoide", "TangenteHiperbolica", "Identidad"});

    const int top = 2 + 2 * (kHeight + 4) + 6;
    SpeedButton1 = NewSpeedButton(tab, "SpeedButton1", "Nueva Red Neuronal", QRect(kRight, top, kWidth, 34),
                                  QStyle::SP_FileIcon, 12);
    SpeedButton2 = NewSpeedButton(tab, "SpeedButton2", "Cargar Red Sin Entrenar", QRect(kRight, top + 36, kWidth, 34),
                                  QStyle::SP_DialogOpenButton, 12);
    SpeedButton10 = NewSpeedButton(tab, "SpeedButton10", "Cargar Red Entrenada", QRect(kRight, top + 72, kWidth, 34),
                                   QStyle::SP_DirOpenIcon, 12);
}

namespace {

QSettings Settings() { return QSettings(QStringLiteral("PerceptLab"), QStringLiteral("PerceptLab")); }
const QString kFixedSeedKey = QStringLiteral("random/fixedSeed");
const QString kSeedKey = QStringLiteral("random/seed");

}  // namespace

// Beside the last count, where it moves no other control: a run that
// repeats, remembered across restarts.
void TForm1::BuildSeedOption(QWidget* box) {
    fixedSeed = new QCheckBox("Semilla fija", box);
    Place(fixedSeed, "fixedSeed", QRect(106, 24, 88, 18), "Semilla fija");
    QFont plain = fixedSeed->font();
    plain.setBold(false);
    fixedSeed->setFont(plain);
    seedValue = new TFlatSpinEditInteger(box);
    Place(seedValue, "seedValue", QRect(194, 22, 62, 22), "Semilla");
    seedValue->SetMinValue(0);
    seedValue->SetMaxValue(std::numeric_limits<std::int32_t>::max());
    const QSettings settings = Settings();
    seedValue->SetValue(settings.value(kSeedKey, 1).toInt());
    fixedSeed->setChecked(settings.value(kFixedSeedKey, false).toBool());
    seedValue->setEnabled(fixedSeed->isChecked());
    ApplySeedOption();
}

void TForm1::SeedOptionChanged() {
    seedValue->setEnabled(fixedSeed->isChecked());
    QSettings settings = Settings();
    settings.setValue(kFixedSeedKey, fixedSeed->isChecked());
    settings.setValue(kSeedKey, seedValue->Clamped(seedValue->Value()));
    ApplySeedOption();
}

void TForm1::ApplySeedOption() {
    const std::int32_t seed = seedValue->Clamped(seedValue->Value());
    RandomGenerator::SetFixedSeed(fixedSeed->isChecked() ? std::optional<std::uint32_t>(static_cast<std::uint32_t>(seed))
                                                         : std::nullopt);
    SetCaption(caption_);
}

void TForm1::SetCaption(const QString& caption) {
    caption_ = caption;
    const std::optional<std::uint32_t> seed = RandomGenerator::FixedSeed();
    setWindowTitle(seed ? caption + QString(" (semilla fija %1)").arg(*seed) : caption);
}

void TForm1::SpeedButton1Click() {
    if (!SaveOrDiscardUnsavedWork()) return;
    Chart1->Clear();
    SetCaption("PerceptLab");
    const RandomGenerator::WeightsSequence weights(RandomGenerator::WeightsSequence::Start::Restart);
    workState.NombreRed = "NuevaNeurona";
    RedNeuronal1.SetNeuronasCapaOculta(CountOf(*FlatSpinEditInteger2));
    RedNeuronal1.SetNeuronasCapaSalida(CountOf(*FlatSpinEditInteger3));
    RedNeuronal1.SetNumeroEntradas(CountOf(*FlatSpinEditInteger1));
    ApplyListSelections();
    workState.RedCreada = true;
    workState.NumeroPatrones = 0;
    workState.TestPatternCount = 0;
    RedNeuronal1.SetLearning({});
    ShowLearning();
    SelectPatternSet(PatternSetKind::Training);
    // A new network's columns are unnamed, as its grid's headers say.
    workState.InputNames.clear();
    workState.OutputNames.clear();
    // Fresh weights and empty tables: nothing to save, nothing to undo.
    workState.unsaved = {};
    patternHistory_->clear();
    FloatGridView grid(*FloatGrid1);
    ResetPatternGrid(grid, RedNeuronal1);
    EnableEntryFields(*patternView_, RedNeuronal1);
    // A fixed seed starts the weights the network keeps.
    RandomGenerator::RestartFixedSequence();
    RedNeuronal1.InicializarPesos();
    ResetTrainingReadouts();
    PageControl1->setCurrentWidget(TabSheet2);
    // The keyboard goes where the first pattern is typed.
    for (int k = 1; k <= 20; ++k) {
        if (NKLabelFloat[k]->isEnabled()) {
            NKLabelFloat[k]->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

void TForm1::ApplyListSelections() {
    ApplyListChoices(RedNeuronal1, FlatComboBox1->ItemIndex(), FlatComboBox2->ItemIndex());
}

void TForm1::ResetTrainingReadouts() {
    FlatSpinEditInteger5->SetValue(0);
    FlatSpinEditInteger4->SetValue(1);
    FlatSpinEditInteger6->SetValue(0);
    ClearLastRunReadouts();
}

// The largest and smallest error and the outputs of the last run describe
// the network before; left, they would sit beside the new network's zeros.
void TForm1::ClearLastRunReadouts() {
    FlatSpinEditFloat1->SetValue(0);
    FlatSpinEditFloat2->SetValue(0);
    ClearOutputGrids();
}

// A load reads and checks every line it needs before anything changes, so a file
// that fails leaves the program exactly as it was.
void TForm1::SpeedButton2Click() {
    if (!SaveOrDiscardUnsavedWork()) return;
    const std::optional<QString> path = fileDialogs_->Execute(this, OpenDialog1);
    if (!path) return;
    LoadFile(QFile::encodeName(*path).toStdString(), false);
    fileDialogs_->RememberFolderOf(*path);
}

void TForm1::SpeedButton10Click() {
    if (!SaveOrDiscardUnsavedWork()) return;
    const std::optional<QString> path = fileDialogs_->Execute(this, OpenDialog2);
    if (!path) return;
    LoadFile(QFile::encodeName(*path).toStdString(), true);
    fileDialogs_->RememberFolderOf(*path);
}

void TForm1::OpenFile(const std::string& path) {
    LoadFile(path, QFile::decodeName(QByteArray::fromStdString(path)).endsWith(QLatin1String(".ren"), Qt::CaseInsensitive));
}

void TForm1::LoadFile(const std::string& path, bool trained) {
    const NetworkDescription description = trained ? ReadRen(path) : ReadRna(path);
    ShowLoad(ApplyLoad(description));
}

LoadResult TForm1::ApplyLoad(const NetworkDescription& description) {
    Chart1->Clear();
    const LoadResult result = ApplyDescription(description, RedNeuronal1, workState);
    if (result.Learning) RedNeuronal1.SetLearning(*result.Learning);
    patternHistory_->clear();
    SetCaption("Perceptlab " + QString::fromStdString(workState.NombreRed));
    return result;
}

void TForm1::ShowLoad(const LoadResult& result) {
    const NetworkHeader& header = result.Header;
    FlatSpinEditInteger1->SetValue(header.NumeroEntradas);
    FlatSpinEditInteger2->SetValue(header.NeuronasCapaOculta);
    FlatSpinEditInteger3->SetValue(header.NeuronasCapaSalida);
    FlatComboBox1->SetItemIndex(header.RuleSelection);
    FlatComboBox2->SetItemIndex(header.FunctionSelection);
    ShowLearning();
    if (result.PatternsTaken) {
        SelectPatternSet(PatternSetKind::Training);
        FloatGridView grid(*FloatGrid1);
        RebuildPatternGrid(grid, workState, RedNeuronal1);
        Label3->setText(QString::fromStdString("Patrón " + IntegerText(workState.NumeroPatrones + 1)));
        EnableEntryFields(*patternView_, RedNeuronal1);
        ResetTrainingReadouts();
    } else {
        // Without its patterns the totals stay, as they were; the last run's
        // read-outs were the network's before.
        ClearLastRunReadouts();
    }
    PageControl1->setCurrentWidget(result.Kind == NetworkFileKind::Untrained ? TabSheet3 : TabSheet4);
    if (!result.Warning.empty()) infoBox_->Show(this, QString::fromStdString(result.Warning));
}
