// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: six tabs through which the user configures the network,
// types patterns, trains, executes, watches how it learns and reads the help. It owns the network,
// the working state and every control; its handlers read controls, call the
// core and write controls. The implementation is split by tab.

#include "file_dialogs.h"
#include "info_box.h"
#include "network.h"
#include "network_files.h"
#include "pattern_set.h"
#include "save_question.h"
#include "share_question.h"
#include "window_growth.h"
#include "work_state.h"

#include <QIcon>
#include <QList>
#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>

class CompactTabStyle;
class QAction;
class QCheckBox;
class ErrorChart;
class GradientPanel;
class HeaderRenamer;
class CachedFrameStyle;
class LearningTab;
class PatternView;
class RunLock;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QUndoStack;
class TFlatComboBox;
class TFlatSpinEditFloat;
class TFlatSpinEditInteger;
class TFloatGrid;
class TForm2;
class TNKLabelFloat;
class TrainingView;

class TForm1 : public QWidget {
    Q_OBJECT

public:
    // `decimalSeparator` is the regional decimal separator, read once at start-up.
    explicit TForm1(char decimalSeparator, QWidget* parent = nullptr);
    ~TForm1() override;

    // Tests answer the dialogs themselves; nullptr restores the real ones.
    void SetFileDialogs(FileDialogs* dialogs);
    void SetInfoBox(InfoBox* box);
    void SetSaveQuestion(SaveQuestion* question);
    void SetShareQuestion(ShareQuestion* question);

    // Opens a network named on the command line: a ".ren" as a trained
    // network, anything else as an untrained one, as the load buttons would.
    // `path` holds the name's bytes as given, which need not be UTF-8.
    void OpenFile(const std::string& path);

    TRedNeuronal RedNeuronal1;
    WorkState workState;

    // Handlers, named after their control and event.
    void FormCreate();
    void FormShow();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton10Click();
    void TabSheet2Show();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void TabSheet3Show();
    void FlatRadioButton1Click();
    void FlatRadioButton2Click();
    void FlatRadioButton3Click();
    void SpeedButton7Click();
    void SpeedButton8Click();
    void SpeedButton11Click();
    void TabSheet4Show();
    void SpeedButton9Click();
    void TabSheet6Show();
    // The pattern grid: a cell edited in place, rows pasted from a
    // spreadsheet; "Importar CSV…" and "Exportar CSV…".
    void PatternCellEdited(int col, int row, double value);
    void PastePatternRows();
    void ImportCsv();
    void ExportCsv();
    // The set the data-entry tab shows and edits: "Patrones de entrenamiento"
    // or "Patrones de prueba".
    void ShowPatternSet(PatternSetKind set);
    // "Separar para prueba…" and "Devolver a entrenamiento".
    void SeparateTestClick();
    void ReturnTestClick();
    // "Tasa de aprendizaje η" and "Momento α": the network takes the fields'
    // values; values outside their ranges are refused with a message.
    void ApplyLearningFields();
    // A pattern grid header renamed in place: the input's or output's name.
    void RenamePatternColumn(int col, const QString& text);
    // The two saves behind "Guardar Red Sin Entrenar" and "Guardar Red
    // Entrenada": true once the file is written, false when the dialog was
    // cancelled. Each leaves its part of the work saved.
    bool SaveUntrainedNetwork();
    bool SaveTrainedNetwork();
    // "Exportar pesos CSV" and "Exportar serie CSV" of the training tab.
    void ExportWeightsCsv();
    void ExportSeriesCsv();
    void ExportEpochSeriesCsv();
    // "Guardar Imagen" of the training tab: the error chart as a PNG file.
    void SaveChartImage();
    // "Guardar Imagen" of the "Cómo Aprende" tab: the view in front.
    void SaveViewImage();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildWindow();
    // Which controls take the room of a window larger than its default size.
    void SetUpGrowth();
    // Tab captions are never clipped: a style or font too wide for the tabs
    // gets a smaller face, and at worst the tab bar scrolls.
    void FitTabCaptions();
    void BuildConfigurationTab();
    void BuildDataTab();
    void BuildTrainingTab();
    void BuildExecutionTab();
    void BuildLearningTab();
    void BuildHelpTab();
    void ConnectHandlers();
    void PageChanged(int index);

    // The network takes the rule and transfer function chosen in the lists;
    // a list with nothing selected leaves its property as it is.
    void ApplyListSelections();
    // The training tab's read-outs of the network before, on a new network or a load.
    void ResetTrainingReadouts();
    void ClearLastRunReadouts();
    void ClearOutputGrids();
    // "Semilla fija": the option's controls, what a change stores and gives
    // the random generator, and the caption that says when it is on.
    void BuildSeedOption(QWidget* box);
    void SeedOptionChanged();
    void ApplySeedOption();
    void SetCaption(const QString& caption);
    // The radio buttons and the tab's handlers follow `set`; the grid is left as it is.
    void SelectPatternSet(PatternSetKind set);
    // The η and α fields show the network's.
    void ShowLearning();
    // Runs a change to the pattern table and puts it in the table's undo
    // history (named `text`) when the table changed, even when the change
    // then threw. Every change the user makes to the table goes through here.
    void ChangePatterns(const QString& text, const std::function<void()>& change);
    // The pattern grid's headers show the names of the inputs and outputs.
    void ShowColumnNames();
    // Before unsaved work goes: for the patterns, then for the weights, asks
    // whether to save them first. False when the user cancelled, or chose to
    // save and the save did not happen; nothing else has changed then.
    bool SaveOrDiscardUnsavedWork();
    // The two loads: the network and state take a checked file, then the
    // controls show it.
    void LoadFile(const std::string& path, bool trained);
    LoadResult ApplyLoad(const NetworkDescription& description);
    void ShowLoad(const LoadResult& result);
    // A run's start and end: the progress window, and the main window's
    // controls off meanwhile.
    void BeginRun();
    void EndRun() noexcept;
    // The controls of "Cómo Aprende" that act rather than look: off during a run.
    QList<QWidget*> LearningControlsThatAct() const;
    friend class TrainingView;

    char decimalSeparator_;
    QtFileDialogs qtFileDialogs_;
    FileDialogs* fileDialogs_ = &qtFileDialogs_;
    QtInfoBox qtInfoBox_;
    InfoBox* infoBox_ = &qtInfoBox_;
    QtSaveQuestion qtSaveQuestion_;
    SaveQuestion* saveQuestion_ = &qtSaveQuestion_;
    QtShareQuestion qtShareQuestion_;
    ShareQuestion* shareQuestion_ = &qtShareQuestion_;
    PatternSetKind shownSet_ = PatternSetKind::Training;
    QUndoStack* patternHistory_ = nullptr;
    // Renames the pattern grid's headers in place.
    HeaderRenamer* columnRenamer_ = nullptr;
    QString caption_;
    bool shownOnce_ = false;
    bool trainingRunning_ = false;
    bool closeAfterRun_ = false;
    QPointer<QWidget> focusBeforeRun_;
    std::unique_ptr<RunLock> runLock_;
    std::unique_ptr<PatternView> patternView_;
    std::unique_ptr<TrainingView> trainingView_;
    LearningTab* learningTab_ = nullptr;
    std::unique_ptr<CompactTabStyle> compactTabStyle_;
    std::unique_ptr<CachedFrameStyle> frameStyle_;
    WindowGrowth growth_;

public:
    // Controls, named as the program refers to them.
    GradientPanel* Gradiente1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QWidget* TabSheet5 = nullptr;
    QWidget* TabSheet6 = nullptr;  // "Cómo Aprende", shown before TabSheet5
    // TabSheet i shows icon i - 1.
    std::array<QIcon, 6> ImageList1;

    // Configuration tab.
    TFlatSpinEditInteger* FlatSpinEditInteger1 = nullptr;
    TFlatSpinEditInteger* FlatSpinEditInteger2 = nullptr;
    TFlatSpinEditInteger* FlatSpinEditInteger3 = nullptr;
    TFlatComboBox* FlatComboBox1 = nullptr;
    TFlatComboBox* FlatComboBox2 = nullptr;
    QPushButton* SpeedButton1 = nullptr;
    QPushButton* SpeedButton2 = nullptr;
    QPushButton* SpeedButton10 = nullptr;
    QCheckBox* fixedSeed = nullptr;
    TFlatSpinEditInteger* seedValue = nullptr;

    // Data-entry tab; NKLabelFloat[1..10] are the inputs, [11..20] the outputs.
    QLabel* Label4 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* SpeedButton4 = nullptr;
    QLabel* Label1 = nullptr;
    std::array<TNKLabelFloat*, 21> NKLabelFloat{};
    QFrame* Bevel1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* SpeedButton3 = nullptr;
    QFrame* Bevel2 = nullptr;
    QPushButton* SpeedButton5 = nullptr;
    TFlatSpinEditInteger* FlatSpinEditInteger8 = nullptr;
    QPushButton* SpeedButton6 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    TFloatGrid* FloatGrid1 = nullptr;
    QPushButton* importCsv = nullptr;
    QPushButton* exportCsv = nullptr;
    QRadioButton* trainingSetShown = nullptr;
    QRadioButton* testSetShown = nullptr;
    QPushButton* separateTest = nullptr;
    QPushButton* returnTest = nullptr;
    // Undo and redo of the pattern table: shortcuts on the tab, entries of
    // the grid's menu.
    QAction* undoPatternChange = nullptr;
    QAction* redoPatternChange = nullptr;

    // Training tab.
    QGroupBox* GroupBox8 = nullptr;
    QRadioButton* FlatRadioButton1 = nullptr;
    QRadioButton* FlatRadioButton2 = nullptr;
    QRadioButton* FlatRadioButton3 = nullptr;
    TFlatSpinEditInteger* FlatSpinEditInteger4 = nullptr;
    TFlatSpinEditInteger* FlatSpinEditInteger9 = nullptr;
    TFlatSpinEditInteger* FlatSpinEditInteger10 = nullptr;
    TFlatSpinEditInteger* FlatSpinEditInteger5 = nullptr;
    TFlatSpinEditInteger* FlatSpinEditInteger6 = nullptr;
    TFlatSpinEditFloat* FlatSpinEditFloat1 = nullptr;
    TFlatSpinEditFloat* FlatSpinEditFloat2 = nullptr;
    TNKLabelFloat* learningRate = nullptr;
    TNKLabelFloat* momentum = nullptr;
    QCheckBox* earlyStop = nullptr;
    TFlatSpinEditInteger* earlyStopEpochs = nullptr;
    QPushButton* SpeedButton7 = nullptr;
    QPushButton* SpeedButton8 = nullptr;
    QPushButton* SpeedButton11 = nullptr;
    TFloatGrid* FloatGrid2 = nullptr;
    TFloatGrid* FloatGrid3 = nullptr;
    ErrorChart* Chart1 = nullptr;
    QPushButton* saveChartImage = nullptr;
    QPushButton* chartOptions = nullptr;
    QAction* logScale = nullptr;
    QAction* epochErrors = nullptr;
    QAction* keepCurve = nullptr;
    QAction* clearKeptCurve = nullptr;
    QAction* exportWeightsCsv = nullptr;
    QAction* exportSeriesCsv = nullptr;
    std::unique_ptr<TForm2> Form2;

    // Execution tab.
    TFloatGrid* FloatGrid4 = nullptr;
    TFlatSpinEditInteger* FlatSpinEditInteger7 = nullptr;
    TFloatGrid* FloatGrid5 = nullptr;
    QPushButton* SpeedButton9 = nullptr;
    // The class the outputs give, where the patterns' outputs name classes.
    QLabel* executionClass = nullptr;

    // Help tab.
    QPlainTextEdit* FlatMemo1 = nullptr;

    // The window's dialogs.
    const FileDialogRequest OpenDialog1{FileDialogRequest::Mode::Open, "OpenDialog1", "*.rna", "rna"};
    const FileDialogRequest SaveDialog1{FileDialogRequest::Mode::Save, "SaveDialog1", "*.rna", "rna"};
    const FileDialogRequest OpenDialog2{FileDialogRequest::Mode::Open, "OpenDialog2", "*.ren", "ren"};
    const FileDialogRequest SaveDialog2{FileDialogRequest::Mode::Save, "SaveDialog2", "*.ren", "ren"};
    const FileDialogRequest openCsvDialog{FileDialogRequest::Mode::Open, "openCsvDialog", "*.csv", "csv"};
    const FileDialogRequest saveCsvDialog{FileDialogRequest::Mode::Save, "saveCsvDialog", "*.csv", "csv"};
};
