// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the main window: the window itself, its tabs, the network's
// start-up configuration, and the wiring of every handler through the
// application's one error handler.

#include "main_window.h"

#include "compact_tab_style.h"
#include "error_chart.h"
#include "error_report.h"
#include "flat_combo_box.h"
#include "flat_spin_edit_float.h"
#include "flat_spin_edit_integer.h"
#include "float_edit.h"
#include "float_grid.h"
#include "gradient_panel.h"
#include "header_renamer.h"
#include "cached_frame_style.h"
#include "learning_tab.h"
#include "nk_label_float.h"
#include "pattern_view.h"
#include "progress_window.h"
#include "readable_when_disabled.h"
#include "run_lock.h"
#include "training_view.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

#include <utility>

namespace {

constexpr int kClientWidth = 631;
constexpr int kClientHeight = 434;

QIcon TabIcon(QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); }

// The main window is a frame to screen readers, named by its caption.
QAccessibleInterface* AccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TForm1") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

}  // namespace

TForm1::TForm1(char decimalSeparator, QWidget* parent)
    : QWidget(parent), decimalSeparator_(decimalSeparator) {
    static const bool factoryInstalled = (QAccessible::installFactory(AccessibleFactory), true);
    (void)factoryInstalled;
    PrepareStartUpNetwork(RedNeuronal1);
    BuildWindow();
    ConnectHandlers();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::SetFileDialogs(FileDialogs* dialogs) { fileDialogs_ = dialogs ? dialogs : &qtFileDialogs_; }

void TForm1::SetInfoBox(InfoBox* box) { infoBox_ = box ? box : &qtInfoBox_; }

void TForm1::SetSaveQuestion(SaveQuestion* question) { saveQuestion_ = question ? question : &qtSaveQuestion_; }

void TForm1::SetShareQuestion(ShareQuestion* question) { shareQuestion_ = question ? question : &qtShareQuestion_; }


void TForm1::BuildWindow() {
    setObjectName("Form1");
    caption_ = "PerceptLab 0.1";
    setWindowTitle(caption_);
    // Opens at its default size, which is also the smallest; enlarged or
    // maximised, the grids and the chart take the extra room.
    resize(kClientWidth, kClientHeight);
    setMinimumSize(kClientWidth, kClientHeight);
    QFont font = this->font();
    font.setPixelSize(11);
    setFont(font);

    Gradiente1 = new GradientPanel(QColor(64, 0, 0), QColor(255, 128, 64), this);
    Gradiente1->setObjectName("Gradiente1");
    Gradiente1->setGeometry(0, 0, kClientWidth, kClientHeight);

    PageControl1 = new QTabWidget(Gradiente1);
    PageControl1->setObjectName("PageControl1");
    PageControl1->setAccessibleName("Pestañas");
    PageControl1->setGeometry(16, 16, 601, 401);
    PageControl1->setIconSize(QSize(24, 24));
    compactTabStyle_ = std::make_unique<CompactTabStyle>();
    PageControl1->tabBar()->setStyle(compactTabStyle_.get());
    PageControl1->tabBar()->setElideMode(Qt::ElideNone);
    PageControl1->tabBar()->setUsesScrollButtons(true);

    ImageList1 = {TabIcon(QStyle::SP_FileDialogDetailedView), TabIcon(QStyle::SP_FileDialogContentsView),
                  TabIcon(QStyle::SP_BrowserReload), TabIcon(QStyle::SP_MediaPlay),
                  TabIcon(QStyle::SP_MessageBoxQuestion), TabIcon(QStyle::SP_MessageBoxInformation)};
    const struct {
        QWidget** sheet;
        const char* name;
        const char* caption;
        std::size_t icon;
    } tabs[] = {
        {&TabSheet1, "TabSheet1", "Configuración", 0},
        {&TabSheet2, "TabSheet2", "Introducir Datos", 1},
        {&TabSheet3, "TabSheet3", "Entrenamiento", 2},
        {&TabSheet4, "TabSheet4", "Ejecución", 3},
        {&TabSheet6, "TabSheet6", "Cómo Aprende", 5},
        {&TabSheet5, "TabSheet5", "Ayuda y Créditos", 4},
    };
    for (const auto& tab : tabs) {
        QWidget*& sheet = *tab.sheet;
        sheet = new QWidget;
        sheet->setObjectName(tab.name);
        sheet->setAccessibleName(QString::fromUtf8(tab.caption));
        PageControl1->addTab(sheet, ImageList1[tab.icon], QString::fromUtf8(tab.caption));
    }

    // Created in reading order, so that Tab walks each page top to bottom.
    BuildConfigurationTab();
    BuildDataTab();
    BuildTrainingTab();
    BuildExecutionTab();
    BuildLearningTab();
    BuildHelpTab();
    PageControl1->setCurrentWidget(TabSheet1);
    SetUpGrowth();
    // Disabled controls (fields the topology leaves out, everything during a
    // run) look dimmer, yet what they show can still be read.
    ReadableWhenDisabled::Keep(PageControl1, ReadableWhenDisabled::Roles::Texts, 0.45);
    frameStyle_ = std::make_unique<CachedFrameStyle>();
    for (QGroupBox* box : findChildren<QGroupBox*>()) box->setStyle(frameStyle_.get());
    PageControl1->setStyle(frameStyle_.get());
}

void TForm1::SetUpGrowth() {
    const auto add = [this](const char* name, WindowGrowth::Share share) {
        if (QWidget* control = findChild<QWidget*>(QLatin1String(name))) growth_.Add(control, share);
    };
    constexpr double third = 1.0 / 3.0;
    add("Gradiente1", {0, 0, 1, 1});
    add("PageControl1", {0, 0, 1, 1});
    // Data entry: the pattern grid takes all the room; the right-hand
    // buttons stay at the right, the separators span the width.
    add("SpeedButton4", {1, 0, 0, 0});
    add("SpeedButton6", {1, 0, 0, 0});
    add("Bevel1", {0, 0, 1, 0});
    add("Bevel2", {0, 0, 1, 0});
    add("Label2", {0, 0, 1, 0});
    add("GroupBox1", {0, 0, 1, 1});
    add("FloatGrid1", {0, 0, 1, 1});
    add("returnTest", {1, 0, 0, 0});
    // Training: the output grids share the width above the chart, which
    // takes the rest.
    add("GroupBox8", {0, 0, 1, 1});
    add("GroupBox12", {0, 0, 0.5, third});
    add("FloatGrid2", {0, 0, 0.5, third});
    add("GroupBox11", {0.5, 0, 0.5, third});
    add("FloatGrid3", {0, 0, 0.5, third});
    add("Chart1", {0, third, 1, 1 - third});
    add("saveChartImage", {1, third, 0, 0});
    add("chartOptions", {0, third, 0, 0});
    for (const char* setting : {"learningRate", "momentum", "earlyStop", "earlyStopEpochs"}) add(setting, {0, third, 0, 0});
    // Execution: the two grids share the width, "Ejecutar" stays centred below.
    add("GroupBox7", {0, 0, 0.5, 1});
    add("FloatGrid4", {0, 0, 0.5, 1});
    add("GroupBox15", {0.5, 0, 0.5, 1});
    add("FloatGrid5", {0, 0, 0.5, 1});
    add("SpeedButton9", {0.5, 1, 0, 0});
    // Help: the text takes the room, the credits stay below it.
    add("GroupBox16", {0, 0, 1, 1});
    add("FlatMemo1", {0, 0, 1, 1});
    for (const char* credit : {"Label13", "Label14", "ExStaticText1", "ExStaticText2", "licenceLabel"})
        add(credit, {0, 1, 0, 0});
}

void TForm1::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    growth_.Apply(size() - QSize(kClientWidth, kClientHeight));
    FitTabCaptions();
}

void TForm1::FitTabCaptions() {
    QTabBar* bar = PageControl1->tabBar();
    QFont face = PageControl1->font();
    for (int pixels = QFontInfo(face).pixelSize();; face.setPixelSize(--pixels)) {
        bar->setFont(face);
        if (bar->sizeHint().width() <= PageControl1->width() || pixels <= 7) break;
    }
}

void TForm1::ConnectHandlers() {
    // Every handler runs inside the application's error handler: an error
    // ends the handler, is shown in the error box, and the program goes on.
    const auto onClick = [this](QAbstractButton* button, void (TForm1::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
    };
    onClick(SpeedButton1, &TForm1::SpeedButton1Click);
    onClick(SpeedButton2, &TForm1::SpeedButton2Click);
    onClick(SpeedButton10, &TForm1::SpeedButton10Click);
    // What changes the pattern table can be undone.
    const auto onTableClick = [this](QAbstractButton* button, void (TForm1::*handler)(), const char* text) {
        connect(button, &QAbstractButton::clicked, this, [this, handler, text] {
            RunGuarded([&] { ChangePatterns(QString::fromUtf8(text), [&] { (this->*handler)(); }); });
        });
    };
    onTableClick(SpeedButton3, &TForm1::SpeedButton3Click, "Añadir Patrón");
    onClick(SpeedButton4, &TForm1::SpeedButton4Click);
    onTableClick(SpeedButton5, &TForm1::SpeedButton5Click, "Eliminar Patrón");
    onTableClick(SpeedButton6, &TForm1::SpeedButton6Click, "Eliminar Todos los Patrones");
    onClick(SpeedButton7, &TForm1::SpeedButton7Click);
    onClick(SpeedButton8, &TForm1::SpeedButton8Click);
    onClick(SpeedButton11, &TForm1::SpeedButton11Click);
    onClick(SpeedButton9, &TForm1::SpeedButton9Click);
    onClick(saveChartImage, &TForm1::SaveChartImage);
    onTableClick(importCsv, &TForm1::ImportCsv, "Importar CSV");
    onTableClick(separateTest, &TForm1::SeparateTestClick, "Separar para prueba");
    onTableClick(returnTest, &TForm1::ReturnTestClick, "Devolver a entrenamiento");
    for (const auto& [button, set] : {std::pair{trainingSetShown, PatternSetKind::Training}, std::pair{testSetShown, PatternSetKind::Test}}) {
        connect(button, &QRadioButton::toggled, this, [this, set](bool checked) {
            if (checked) RunGuarded([&] { ShowPatternSet(set); });
        });
    }
    for (TNKLabelFloat* field : {learningRate, momentum})
        connect(field->Edit(), &QLineEdit::editingFinished, this, [this] { RunGuarded([this] { ApplyLearningFields(); }); });
    connect(fixedSeed, &QCheckBox::toggled, this, [this] { RunGuarded([this] { SeedOptionChanged(); }); });
    connect(seedValue->Editor(), &QLineEdit::textChanged, this, [this] { RunGuarded([this] { SeedOptionChanged(); }); });
    onClick(exportCsv, &TForm1::ExportCsv);
    const auto onTriggered = [this](QAction* action, void (TForm1::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
    };
    onTriggered(exportWeightsCsv, &TForm1::ExportWeightsCsv);
    onTriggered(exportSeriesCsv, &TForm1::ExportSeriesCsv);
    connect(FloatGrid1, &TFloatGrid::FieldEdited, this, [this](int col, int row, double value) {
        RunGuarded([&] { ChangePatterns("Editar celda", [&] { PatternCellEdited(col, row, value); }); });
    });
    connect(columnRenamer_, &HeaderRenamer::Renamed, this, [this](int col, const QString& text) {
        RunGuarded([&] { ChangePatterns("Renombrar columna", [&] { RenamePatternColumn(col, text); }); });
    });
    FloatGrid1->SetPasteHandler([this] { RunGuarded([this] { ChangePatterns("Pegar", [this] { PastePatternRows(); }); }); });
    onClick(learningTab_->SaveImageButton(), &TForm1::SaveViewImage);

    // A radio button's handler runs when it becomes checked, not when a
    // checked button is clicked again.
    const auto onChecked = [this](QRadioButton* button, void (TForm1::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked) RunGuarded([&] { (this->*handler)(); });
        });
    };
    onChecked(FlatRadioButton1, &TForm1::FlatRadioButton1Click);
    onChecked(FlatRadioButton2, &TForm1::FlatRadioButton2Click);
    onChecked(FlatRadioButton3, &TForm1::FlatRadioButton3Click);

    connect(PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageChanged);
}

void TForm1::PageChanged(int index) {
    QWidget* page = PageControl1->widget(index);
    RunGuarded([&] {
        if (page == TabSheet2) TabSheet2Show();
        else if (page == TabSheet3) TabSheet3Show();
        else if (page == TabSheet4) TabSheet4Show();
        else if (page == TabSheet6) TabSheet6Show();
    });
}

void TForm1::FormCreate() { ClearWorkState(workState); }

void TForm1::FormShow() { workState.NombreRed = "NuevaNeurona"; }

void TForm1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    if (const QScreen* screen = this->screen()) move(screen->availableGeometry().center() - rect().center());
    RunGuarded([this] { FormShow(); });
}

void TForm1::closeEvent(QCloseEvent* event) {
    // The run lives inside a handler further down the stack: ask it to stop
    // and close once it has returned.
    if (trainingRunning_) {
        workState.PararEntrenamiento = true;
        closeAfterRun_ = true;
        event->ignore();
        return;
    }
    if (!SaveOrDiscardUnsavedWork()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool TForm1::SaveOrDiscardUnsavedWork() {
    const struct {
        bool unsaved;
        const char* question;
        bool (TForm1::*save)();
    } parts[] = {
        {workState.unsaved.patterns, "Los patrones han cambiado y no se han guardado. ¿Guardar la red sin entrenar (.rna)?",
         &TForm1::SaveUntrainedNetwork},
        {workState.unsaved.weights, "La red entrenada no se ha guardado. ¿Guardar la red entrenada (.ren)?",
         &TForm1::SaveTrainedNetwork},
    };
    for (const auto& part : parts) {
        if (!part.unsaved) continue;
        switch (saveQuestion_->Ask(this, QString::fromUtf8(part.question))) {
            case SaveQuestion::Answer::Cancel: return false;
            case SaveQuestion::Answer::Discard: break;
            case SaveQuestion::Answer::Save: {
                bool saved = false;
                RunGuarded([&] { saved = (this->*part.save)(); });
                if (!saved) return false;
                break;
            }
        }
    }
    return true;
}
