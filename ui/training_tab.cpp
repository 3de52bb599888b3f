// SPDX-License-Identifier: GPL-3.0-or-later
// The training tab: the stopping criteria, the read-outs kept between runs,
// the output grids, the error chart, and "Entrenar", "Reiniciar" and
// "Guardar Red Entrenada".

#include "column_grid.h"
#include "control_builders.h"
#include "csv_patterns.h"
#include "error_chart.h"
#include "file_access.h"
#include "flat_combo_box.h"
#include "flat_spin_edit_float.h"
#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "focus_out_blocker.h"
#include "image_export.h"
#include "integer_text.h"
#include "learning_fields.h"
#include "learning_tab.h"
#include "main_window.h"
#include "nk_label_float.h"
#include "program_error.h"
#include "progress_window.h"
#include "readable_when_disabled.h"
#include "ren_file.h"
#include "run_lock.h"
#include "training_run.h"
#include "training_view.h"

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <limits>

namespace {

// How an iteration's error is measured (the loop's IterationError).
const QString kIterationErrorMeaning = QStringLiteral(
    "Error (%) de una iteración: la media, sobre las salidas, de |d − y| en por ciento de |d|, siendo d la "
    "salida esperada e y la obtenida; donde d = 0, |d − y| × 100.");

// What "Error por época" measures (training/set_error.h, epoch_monitor.h).
const QString kEpochErrorMeaning = QStringLiteral(
    "Error por época: tras cada época (tantas iteraciones como patrones de entrenamiento), la media sobre el "
    "conjunto de ½·Σ(d − y)² de cada patrón, con pasadas hacia delante que no cambian nada; una curva para los "
    "patrones de entrenamiento y otra para los de prueba. Como mucho unas mil mediciones por entrenamiento, "
    "repartidas por igual.");

QGroupBox* NewColouredBox(QWidget* parent, const QString& name, const QString& title, QRect geometry,
                          QColor background) {
    QGroupBox* box = NewGroupBox(parent, name, title, geometry);
    SetBackground(box, background);
    SetBold(box, 11);
    return box;
}

TFlatSpinEditInteger* NewSpinEdit(QWidget* parent, const QString& name, QRect geometry, const QString& accessible,
                                  std::int32_t min, std::int32_t max, std::int32_t value) {
    auto* edit = new TFlatSpinEditInteger(parent);
    Place(edit, name, geometry, accessible);
    edit->SetMinValue(min);
    edit->SetMaxValue(max);
    edit->SetValue(value);
    return edit;
}

TFlatSpinEditFloat* NewErrorReadout(QWidget* parent, const QString& name, const QString& accessible) {
    auto* edit = new TFlatSpinEditFloat(parent);
    Place(edit, name, QRect(20, 12, 98, 20), accessible);
    edit->SetReadOnly(true);
    edit->SetPrecision(8);
    edit->SetDigits(2);
    edit->SetIncrement(0.5);
    edit->SetValue(0);
    return edit;
}

QLabel* NewUnitLabel(QWidget* parent, const QString& name, const QString& text, QPoint at) {
    QLabel* label = NewLabel(parent, name, text, QRect(at, QSize()));
    SetBold(label, 15);
    label->adjustSize();
    return label;
}

}  // namespace

void TForm1::BuildTrainingTab() {
    GroupBox8 = NewGroupBox(TabSheet3, "GroupBox8", "Entrenar ", QRect(13, 13, 573, 352));

    QGroupBox* criteria =
        NewColouredBox(GroupBox8, "GroupBox9", "Criterios ", QRect(8, 14, 194, 83), QColor(255, 128, 128));
    FlatRadioButton1 = NewRadioButton(criteria, "FlatRadioButton1", "Nº Ciclos =", QRect(8, 16, 81, 17));
    FlatRadioButton1->setChecked(true);
    FlatSpinEditInteger4 =
        NewSpinEdit(criteria, "FlatSpinEditInteger4", QRect(97, 12, 88, 20), "Nº Ciclos", 0, 0, 1);
    FlatRadioButton2 = NewRadioButton(criteria, "FlatRadioButton2", "Error Máx<=", QRect(8, 40, 89, 17));
    FlatSpinEditInteger9 =
        NewSpinEdit(criteria, "FlatSpinEditInteger9", QRect(104, 36, 57, 20), "Error Máximo, por ciento", 1, 100, 1);
    FlatSpinEditInteger9->setEnabled(false);
    NewUnitLabel(criteria, "Label16", "%", QPoint(169, 34));
    FlatRadioButton3 = NewRadioButton(criteria, "FlatRadioButton3", "Error Mín<=", QRect(8, 60, 89, 17));
    // A plain, smaller font, so that the captions fit their 81 to 89 pixels.
    for (QRadioButton* radio : {FlatRadioButton1, FlatRadioButton2, FlatRadioButton3}) {
        QFont plain = radio->font();
        plain.setBold(false);
        plain.setPixelSize(10);
        radio->setFont(plain);
    }
    FlatSpinEditInteger10 =
        NewSpinEdit(criteria, "FlatSpinEditInteger10", QRect(104, 56, 57, 20), "Error Mínimo, por ciento", 1, 100, 1);
    FlatSpinEditInteger10->setEnabled(false);
    NewUnitLabel(criteria, "Label17", "%", QPoint(169, 58));

    QGroupBox* cycles = NewColouredBox(GroupBox8, "GroupBox10", "Ciclos totales entrenados ",
                                       QRect(26, 101, 176, 36), QColor(255, 128, 192));
    FlatSpinEditInteger5 =
        NewSpinEdit(cycles, "FlatSpinEditInteger5", QRect(33, 12, 111, 20), "Ciclos totales entrenados", 0, 0, 0);
    FlatSpinEditInteger5->SetReadOnly(true);

    QGroupBox* time = NewColouredBox(GroupBox8, "GroupBox13", "Tiempo de Entrenamiento ", QRect(26, 141, 176, 36),
                                       QColor(128, 128, 255));
    FlatSpinEditInteger6 = NewSpinEdit(time, "FlatSpinEditInteger6", QRect(20, 12, 85, 20),
                                       "Tiempo de Entrenamiento, milisegundos", 0, 0, 0);
    FlatSpinEditInteger6->SetReadOnly(true);
    NewUnitLabel(time, "Label11", "msgs", QPoint(117, 18));

    QGroupBox* largest =
        NewColouredBox(GroupBox8, "GroupBox14", "Error  Máximo ", QRect(26, 180, 176, 37), QColor(128, 128, 64));
    FlatSpinEditFloat1 = NewErrorReadout(largest, "FlatSpinEditFloat1", "Error Máximo");
    NewUnitLabel(largest, "Label12", "%", QPoint(137, 18));

    QGroupBox* smallest =
        NewColouredBox(GroupBox8, "GroupBox17", "Error  Mínimo ", QRect(26, 220, 176, 37), QColor(128, 128, 64));
    FlatSpinEditFloat2 = NewErrorReadout(smallest, "FlatSpinEditFloat2", "Error Mínimo");
    NewUnitLabel(smallest, "Label15", "%", QPoint(137, 18));

    SpeedButton7 =
        NewSpeedButton(GroupBox8, "SpeedButton7", "Entrenar", QRect(24, 256, 177, 25), QStyle::SP_MediaPlay, 20);
    SpeedButton8 = NewSpeedButton(GroupBox8, "SpeedButton8", "Reiniciar", QRect(24, 280, 177, 25),
                                  QStyle::SP_BrowserReload, 20);
    SpeedButton11 = NewSpeedButton(GroupBox8, "SpeedButton11", "Guardar Red Entrenada", QRect(24, 304, 177, 33),
                                   QStyle::SP_DialogSaveButton, 11);

    QGroupBox* expected = NewGroupBox(GroupBox8, "GroupBox12", "Salidas Esperadas ", QRect(221, 16, 157, 121));
    FloatGrid2 = NewColumnGrid(expected, "FloatGrid2", QRect(7, 16, 143, 97), 60, false, "Salidas Esperadas");
    QGroupBox* obtained = NewGroupBox(GroupBox8, "GroupBox11", "Salidas Obtenidas ", QRect(403, 14, 150, 123));
    FloatGrid3 = NewColumnGrid(obtained, "FloatGrid3", QRect(7, 16, 137, 97), 54, false, "Salidas Obtenidas");

    // The step's settings and the early stop, beside the criteria.
    const auto newLearningField = [this](const QString& name, const QString& caption, QRect geometry, double value) {
        auto* field = new TNKLabelFloat(GroupBox8);
        Place(field, name, geometry, caption);
        field->SetCaption(caption);
        field->SetDisplayFormat("#0.########");
        field->SetPositiveOnly(true);
        field->SetValue(value);
        field->Edit()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        return field;
    };
    learningRate = newLearningField("learningRate", "Tasa de aprendizaje η", QRect(224, 140, 130, 40), kLearningRate);
    momentum = newLearningField("momentum", "Momento α", QRect(362, 140, 90, 40), 0.0);
    earlyStop = new QCheckBox(GroupBox8);
    Place(earlyStop, "earlyStop", QRect(224, 182, 266, 18), "Parar si el error de prueba no mejora en K épocas");
    earlyStop->setText("Parar si el error de prueba no mejora en K épocas");
    QFont plain = earlyStop->font();
    plain.setBold(false);
    plain.setPixelSize(10);
    earlyStop->setFont(plain);
    earlyStop->setToolTip("Solo con patrones de prueba: al parar, la red vuelve a los pesos de su menor error de "
                          "prueba. Sin patrones de prueba no se aplica.");
    earlyStopEpochs = NewSpinEdit(GroupBox8, "earlyStopEpochs", QRect(493, 181, 60, 20), "K épocas", 1, 1000000, 50);

    Chart1 = new ErrorChart(GroupBox8);
    Place(Chart1, "Chart1", QRect(224, 202, 329, 135), "Gráfica de errores");
    // Over the chart's top right corner, beside its title; text only, so
    // that it fits there.
    saveChartImage = NewSpeedButton(GroupBox8, "saveChartImage", "Guardar Imagen", QRect(461, 205, 90, 18),
                                    QStyle::SP_DialogSaveButton, 9);
    saveChartImage->setIcon(QIcon());
    // Over the chart's top left corner, as "Guardar Imagen" is over its
    // right: how the chart shows the runs, and the results as CSV.
    chartOptions = NewSpeedButton(GroupBox8, "chartOptions", "Opciones", QRect(228, 205, 80, 18),
                                  QStyle::SP_DialogSaveButton, 9);
    chartOptions->setIcon(QIcon());
    auto* options = new QMenu(chartOptions);
    const auto addAction = [options](const char* name, const QString& text, bool checkable) {
        QAction* action = options->addAction(text);
        action->setObjectName(name);
        action->setCheckable(checkable);
        return action;
    };
    logScale = addAction("logScale", "Escala logarítmica", true);
    epochErrors = addAction("epochErrors", "Error por época", true);
    epochErrors->setToolTip(kEpochErrorMeaning);
    options->setToolTipsVisible(true);
    keepCurve = addAction("keepCurve", "Conservar curva", true);
    clearKeptCurve = addAction("clearKeptCurve", "Borrar curva conservada", false);
    options->addSeparator();
    exportWeightsCsv = addAction("exportWeightsCsv", "Exportar pesos CSV", false);
    exportSeriesCsv = addAction("exportSeriesCsv", "Exportar serie CSV", false);
    chartOptions->setMenu(options);
    connect(logScale, &QAction::toggled, Chart1, &ErrorChart::SetLogarithmic);
    connect(clearKeptCurve, &QAction::triggered, Chart1, &ErrorChart::ClearKept);
    connect(epochErrors, &QAction::toggled, this, [this](bool on) {
        Chart1->SetEpochErrors(on);
        Chart1->setToolTip(on ? kEpochErrorMeaning : kIterationErrorMeaning);
    });

    // The error the run measures, where it is shown.
    for (QWidget* shown : {static_cast<QWidget*>(largest), static_cast<QWidget*>(smallest),
                           static_cast<QWidget*>(Chart1), static_cast<QWidget*>(FlatRadioButton2),
                           static_cast<QWidget*>(FlatRadioButton3)})
        shown->setToolTip(kIterationErrorMeaning);

    // A run disables most of the window; its captions and read-outs stay as
    // legible as before, since they are what the learner watches meanwhile.
    ReadableWhenDisabled::Keep(GroupBox8, ReadableWhenDisabled::Roles::Captions);
    for (QWidget* readOut : {static_cast<QWidget*>(cycles), static_cast<QWidget*>(time),
                             static_cast<QWidget*>(largest), static_cast<QWidget*>(smallest),
                             static_cast<QWidget*>(expected), static_cast<QWidget*>(obtained)})
        ReadableWhenDisabled::Keep(readOut, ReadableWhenDisabled::Roles::ReadOut);

    trainingView_ = std::make_unique<TrainingView>(*this);
}

// The outputs of the last run stay while the learner looks elsewhere; the
// grids are shaped afresh, with zeros, only for another output count.
void TForm1::TabSheet3Show() {
    const int outputs = RedNeuronal1.NeuronasCapaSalida();
    for (TFloatGrid* grid : {FloatGrid2, FloatGrid3})
        if (grid->RowCount() != outputs + 1) ShapeColumnGrid(*grid, "Salidas", "Salida", outputs);
}

// A new network or a load: the outputs shown belonged to the network before.
void TForm1::ClearOutputGrids() {
    for (TFloatGrid* grid : {FloatGrid2, FloatGrid3}) {
        ShapeColumnGrid(*grid, "Salidas", "Salida", RedNeuronal1.NeuronasCapaSalida());
        grid->SetCells(1, 0, QString());
    }
}

// Each criterion's button lets only its own spin edit be edited.
void TForm1::FlatRadioButton1Click() {
    FlatSpinEditInteger10->setEnabled(false);
    FlatSpinEditInteger9->setEnabled(false);
    FlatSpinEditInteger4->setEnabled(true);
}

void TForm1::FlatRadioButton2Click() {
    FlatSpinEditInteger10->setEnabled(false);
    FlatSpinEditInteger4->setEnabled(false);
    FlatSpinEditInteger9->setEnabled(true);
}

void TForm1::FlatRadioButton3Click() {
    FlatSpinEditInteger9->setEnabled(false);
    FlatSpinEditInteger4->setEnabled(false);
    FlatSpinEditInteger10->setEnabled(true);
}

void TForm1::SpeedButton7Click() {
    ApplyLearningFields();
    const TrainingOutcome outcome = Train(workState, RedNeuronal1, *trainingView_);
    if (outcome.stoppedEarly)
        infoBox_->Show(this, QString::fromStdString("Parada temprana: el error de prueba no mejoró en " +
                                                    IntegerText(trainingView_->EarlyStopEpochs()) +
                                                    " épocas. La red vuelve a los pesos de su menor error de prueba, "
                                                    "tras la iteración " + IntegerText(outcome.bestIteration) +
                                                    " de esta ejecución."));
}

// η and α are saved with the patterns, so a change is unsaved work there.
void TForm1::ApplyLearningFields() {
    LearningSettings typed;
    try {
        typed = LearningFromFields(learningRate->Value(), momentum->Value());
    } catch (const ProgramError&) {
        ShowLearning();
        throw;
    }
    if (typed == RedNeuronal1.Learning()) return;
    RedNeuronal1.SetLearning(typed);
    workState.unsaved.patterns = true;
}

void TForm1::ShowLearning() {
    learningRate->SetValue(RedNeuronal1.Learning().LearningRate);
    momentum->SetValue(RedNeuronal1.Learning().Momentum);
}

// For the length of a run nothing that changes the network, the patterns or
// the run's settings answers: a click on "Entrenar", "Reiniciar" or a load
// would otherwise run nested inside the run and pull the network out from
// under it, and a file dialog would hold the run still. What only looks
// stays usable: the tabs, the chart, the help, and "Cómo Aprende" with its
// views and choosers, which follow the run.
void TForm1::BeginRun() {
    Form2 = std::make_unique<TForm2>(workState.PararEntrenamiento);
    trainingRunning_ = true;
    // The curve so far stays beside the new run's, in grey, to compare.
    if (keepCurve->isChecked() && Chart1->Store().Count() > 0) Chart1->KeepCurve();
    {
        FocusOutBlocker keepTypedValue(this);
        focusBeforeRun_ = keepTypedValue.Watched();
        const QList<QWidget*> usable{PageControl1->tabBar(), static_cast<QWidget*>(Chart1),
                                     static_cast<QWidget*>(FlatMemo1), static_cast<QWidget*>(learningTab_)};
        runLock_ = std::make_unique<RunLock>(PageControl1, usable, LearningControlsThatAct());
    }
    Form2->ShowPainted();
}

void TForm1::EndRun() noexcept {
    Form2.reset();
    runLock_.reset();
    // The keyboard comes back where it was, in the field still holding what
    // was typed before the run.
    if (!isActiveWindow()) activateWindow();
    if (focusBeforeRun_) focusBeforeRun_->setFocus(Qt::OtherFocusReason);
    focusBeforeRun_.clear();
    trainingRunning_ = false;
    learningTab_->Refresh();
    // A close asked for during the run goes ahead once the handler returns.
    if (closeAfterRun_) QTimer::singleShot(0, this, &QWidget::close);
}

void TForm1::ExportWeightsCsv() {
    const std::string text = CsvWeightsText(RedNeuronal1, decimalSeparator_);
    const std::optional<QString> path = fileDialogs_->Execute(this, saveCsvDialog);
    if (!path) return;
    SaveFileSafely(path->toStdString(), text);
    infoBox_->Show(this, "Pesos exportados a " + QDir::toNativeSeparators(*path));
}

void TForm1::ExportSeriesCsv() {
    if (Chart1->EpochErrors()) {
        ExportEpochSeriesCsv();
        return;
    }
    std::vector<EnvelopeStore::Point> held;
    Chart1->Store().HeldPoints(held);
    // The store counts iterations from 0; the tab's counters from 1.
    std::vector<std::pair<std::int64_t, double>> points;
    points.reserve(held.size());
    // Iterations count from 1, as "Ciclos totales entrenados" does.
    const std::int64_t first = Chart1->FirstIteration() + 1;
    for (const EnvelopeStore::Point& point : held) points.emplace_back(static_cast<double>(point.x + first), point.y);
    const std::string text = CsvSeriesText(points, Chart1->Store().BucketWidth(), decimalSeparator_);
    const std::optional<QString> path = fileDialogs_->Execute(this, saveCsvDialog);
    if (!path) return;
    SaveFileSafely(path->toStdString(), text);
    infoBox_->Show(this, "Serie exportada a " + QDir::toNativeSeparators(*path));
}

// The run's errors per epoch, one row per epoch measured: the test error
// where the test curve has a point at the same iteration.
void TForm1::ExportEpochSeriesCsv() {
    const std::vector<ChartCurve::EpochPoint>& training = Chart1->TrainingEpochs().EpochPoints();
    const std::vector<ChartCurve::EpochPoint>& test = Chart1->TestEpochs().EpochPoints();
    std::vector<CsvEpochErrors> rows;
    rows.reserve(training.size());
    auto next = test.cbegin();
    for (const ChartCurve::EpochPoint& point : training) {
        while (next != test.cend() && next->x < point.x) ++next;
        const double testError =
            next != test.cend() && next->x == point.x ? next->y : std::numeric_limits<double>::quiet_NaN();
        // Iterations count from 1, as "Ciclos totales entrenados" does.
        rows.push_back({point.epoch, point.x + 1, point.y, testError});
    }
    const std::string text = CsvEpochSeriesText(rows, decimalSeparator_);
    const std::optional<QString> path = fileDialogs_->Execute(this, saveCsvDialog);
    if (!path) return;
    SaveFileSafely(path->toStdString(), text);
    infoBox_->Show(this, "Serie exportada a " + QDir::toNativeSeparators(*path));
}

void TForm1::SaveChartImage() { SaveWidgetImage(*Chart1, *fileDialogs_, this); }

// Fresh random weights are nothing to save.
void TForm1::SpeedButton8Click() {
    ResetTraining(RedNeuronal1, *trainingView_);
    workState.unsaved.weights = false;
}

void TForm1::SpeedButton11Click() { SaveTrainedNetwork(); }

// The weights are taken before the dialog opens: what is saved is the
// network as it was when the button was pressed.
bool TForm1::SaveTrainedNetwork() {
    const std::vector<std::string> lines = RenLines(RedNeuronal1, FlatComboBox1->ItemIndex(),
                                                      FlatComboBox2->ItemIndex(), decimalSeparator_);
    const std::optional<QString> path = fileDialogs_->Execute(this, SaveDialog2);
    if (!path) return false;
    SaveLines(path->toStdString(), lines);
    fileDialogs_->RememberFolderOf(*path);
    workState.unsaved.weights = false;
    return true;
}
