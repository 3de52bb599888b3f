// SPDX-License-Identifier: GPL-3.0-or-later
// Work that is in no file yet is not lost without a question, and every
// export says where it wrote.

#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "main_window.h"
#include "network_snapshot.h"
#include "window_driver.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTest>

#include <bit>
#include <cstdint>

class WindowSavingTest : public QObject {
    Q_OBJECT
private slots:
    void unsavedWorkIsAskedAboutBeforeItGoes_data();
    void unsavedWorkIsAskedAboutBeforeItGoes();
    void exportsNameTheFileWritten_data();
    void exportsNameTheFileWritten();
};

namespace {

using Answer = SaveQuestion::Answer;

const QString kPatternsQuestion =
    "Los patrones han cambiado y no se han guardado. ¿Guardar la red sin entrenar (.rna)?";
const QString kWeightsQuestion = "La red entrenada no se ha guardado. ¿Guardar la red entrenada (.ren)?";

enum class Work { Nothing, Patterns, Trained, Both, AllSaved, TrainedThenReset, StepApplied };
enum class Action { Close, NewNetwork, UntrainedLoad, TrainedLoad };

void Train(WindowDriver& driver, int cycles) {
    driver.ShowTab(driver.form().TabSheet3);
    driver.TypeInto(driver.form().FlatSpinEditInteger4, QString::number(cycles));
    driver.Click(driver.form().SpeedButton7);
}

// Everything a question must not change when the answer is "Cancelar".
struct Everything {
    QList<std::uint64_t> bits;
    QString caption;
    QWidget* page = nullptr;
    bool canUndo = false;
    bool operator==(const Everything&) const = default;
};

Everything Capture(TForm1& form) {
    Everything everything;
    const WorkState& work = form.workState;
    everything.bits << static_cast<std::uint64_t>(work.NumeroPatrones);
    for (int p = 1; p <= work.NumeroPatrones; ++p) {
        for (int i = 1; i <= 2; ++i) everything.bits << std::bit_cast<std::uint64_t>(work.EntradasPatrones[p][i]);
        everything.bits << std::bit_cast<std::uint64_t>(work.SalidasPatrones[p][1]);
    }
    const NetworkSnapshot network = TakeSnapshot(form.RedNeuronal1);
    for (const auto& layer : {network.hiddenWeights, network.outputWeights})
        for (const auto& neuron : layer)
            for (double weight : neuron) everything.bits << std::bit_cast<std::uint64_t>(weight);
    everything.caption = form.windowTitle();
    everything.page = form.PageControl1->currentWidget();
    everything.canUndo = form.undoPatternChange->isEnabled();
    return everything;
}

}  // namespace

void WindowSavingTest::unsavedWorkIsAskedAboutBeforeItGoes_data() {
    QTest::addColumn<Work>("work");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<QStringList>("saveAs");  // the save dialogs' answers in order; "" cancels
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<bool>("goesOn");

    const QStringList none, patterns{kPatternsQuestion}, weights{kWeightsQuestion};
    const QStringList both{kPatternsQuestion, kWeightsQuestion};
    const auto add = [](const char* name, Work work, Action action, QList<Answer> answers, QStringList saveAs,
                        QStringList questions, bool goesOn) {
        QTest::newRow(name) << work << action << answers << saveAs << questions << goesOn;
    };
    add("nothing changed, close", Work::Nothing, Action::Close, {}, none, none, true);
    add("patterns, close, No guardar", Work::Patterns, Action::Close, {Answer::Discard}, none, patterns, true);
    add("patterns, close, Cancelar", Work::Patterns, Action::Close, {Answer::Cancel}, none, patterns, false);
    add("patterns, close, Guardar", Work::Patterns, Action::Close, {Answer::Save}, {"guardada.rna"}, patterns, true);
    add("patterns, Guardar, dialog cancelled", Work::Patterns, Action::Close, {Answer::Save}, {""}, patterns, false);
    add("patterns, Guardar, save fails", Work::Patterns, Action::NewNetwork, {Answer::Save}, {"no/hay/guardada.rna"},
        patterns, false);
    add("only trained, close, Cancelar", Work::Trained, Action::Close, {Answer::Cancel}, none, weights, false);
    add("only trained, new network, Guardar", Work::Trained, Action::NewNetwork, {Answer::Save}, {"entrenada.ren"},
        weights, true);
    add("both, untrained load, No guardar twice", Work::Both, Action::UntrainedLoad, {Answer::Discard, Answer::Discard},
        none, both, true);
    add("both, trained load, then Cancelar", Work::Both, Action::TrainedLoad, {Answer::Discard, Answer::Cancel}, none,
        both, false);
    add("both, close, Guardar twice", Work::Both, Action::Close, {Answer::Save, Answer::Save},
        {"guardada.rna", "entrenada.ren"}, both, true);
    add("all saved, close", Work::AllSaved, Action::Close, {}, none, none, true);
    add("trained then reset, new network", Work::TrainedThenReset, Action::NewNetwork, {}, none, none, true);
    add("worked step applied, close", Work::StepApplied, Action::Close, {Answer::Cancel}, none, weights, false);
}

void WindowSavingTest::unsavedWorkIsAskedAboutBeforeItGoes() {
    QFETCH(Work, work);
    QFETCH(Action, action);
    QFETCH(QList<Answer>, answers);
    QFETCH(QStringList, saveAs);
    QFETCH(QStringList, questions);
    QFETCH(bool, goesOn);
    WindowDriver driver;
    TForm1& form = driver.form();
    const QString untrained = driver.WriteFile("otra.rna", {"2", "2", "1", "0", "0", "1", "1", "0", "1"});
    const QString trained = driver.WriteFile("otra.ren", {"2", "2", "1", "0", "0", "0.1", "0.2", "0.3", "0.4", "0.5",
                                                          "0.6", "0.7", "0.8", "0.9"});

    driver.CreateNetwork(2, 2, 1);
    if (work != Work::Nothing) {
        driver.AddPattern({"0.1", "0.9"}, {"0.9"});
        driver.AddPattern({"0.9", "0.9"}, {"0.1"});
    }
    const bool patternsSaved = work != Work::Nothing && work != Work::Patterns && work != Work::Both;
    if (patternsSaved) {
        driver.dialogs.answers << driver.Path("patrones.rna");
        driver.Click(form.SpeedButton4);
    }
    if (work != Work::Nothing && work != Work::Patterns && work != Work::StepApplied) Train(driver, 20);
    if (work == Work::AllSaved) {
        driver.dialogs.answers << driver.Path("pesos.ren");
        driver.Click(form.SpeedButton11);
    }
    if (work == Work::TrainedThenReset) driver.Click(form.SpeedButton8);
    if (work == Work::StepApplied) {
        driver.ShowTab(form.TabSheet6);
        auto* apply = form.TabSheet6->findChild<QAbstractButton*>("applyStepButton");
        QVERIFY(apply);
        driver.Click(apply);
    }
    QCOMPARE(driver.saveQuestions.questions, QStringList{});
    QCOMPARE(driver.errors.messages, QStringList{});
    driver.ShowTab(form.TabSheet1);
    const Everything before = Capture(form);

    driver.saveQuestions.answers = answers;
    for (const QString& name : saveAs)
        driver.dialogs.answers << (name.isEmpty() ? std::nullopt : std::optional(driver.Path(name)));
    const qsizetype dialogsBefore = driver.dialogs.asked.size();
    switch (action) {
        case Action::Close: form.close(); break;
        case Action::NewNetwork: driver.Click(form.SpeedButton1); break;
        case Action::UntrainedLoad:
            driver.dialogs.answers << untrained;
            driver.Click(form.SpeedButton2);
            break;
        case Action::TrainedLoad:
            driver.dialogs.answers << trained;
            driver.Click(form.SpeedButton10);
            break;
    }
    QCOMPARE(driver.saveQuestions.questions, questions);
    // Each "Guardar" saved as its button does, through its own dialog; a
    // load that goes on then asks for its file.
    const bool loads = action == Action::UntrainedLoad || action == Action::TrainedLoad;
    QCOMPARE(driver.dialogs.asked.size() - dialogsBefore, saveAs.size() + (goesOn && loads ? 1 : 0));
    for (const QString& name : saveAs) {
        if (!name.isEmpty() && !name.contains('/')) QVERIFY2(QFile::exists(driver.Path(name)), qPrintable(name));
    }
    QCOMPARE(driver.errors.messages.size(), saveAs.contains("no/hay/guardada.rna") ? 1 : 0);
    if (!goesOn) {
        QCOMPARE(Capture(form), before);
        QVERIFY(form.isVisible());
        return;
    }
    switch (action) {
        case Action::Close: QVERIFY(!form.isVisible()); break;
        case Action::NewNetwork: QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet2); break;
        case Action::UntrainedLoad: QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet3); break;
        case Action::TrainedLoad: QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet4); break;
    }
    // What came is saved work: nothing to ask about until it changes.
    if (action != Action::Close) {
        driver.saveQuestions.questions.clear();
        QVERIFY(form.close());
        QCOMPARE(driver.saveQuestions.questions, QStringList{});
    }
}

void WindowSavingTest::exportsNameTheFileWritten_data() {
    QTest::addColumn<QString>("exporter");
    QTest::addColumn<QString>("message");
    QTest::newRow("patterns") << "exportCsv" << "Patrones exportados a ";
    QTest::newRow("weights") << "exportWeightsCsv" << "Pesos exportados a ";
    QTest::newRow("series") << "exportSeriesCsv" << "Serie exportada a ";
}

void WindowSavingTest::exportsNameTheFileWritten() {
    QFETCH(QString, exporter);
    QFETCH(QString, message);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    Train(driver, 10);
    const auto trigger = [&] {
        if (auto* button = form.findChild<QAbstractButton*>(exporter)) driver.Click(button);
        else form.findChild<QAction*>(exporter)->trigger();
    };
    trigger();  // cancelled: nothing written, nothing said
    QCOMPARE(driver.notices.messages, QStringList{});

    const QString path = driver.Path("datos.csv");
    driver.dialogs.answers << path;
    trigger();
    QVERIFY(QFile::exists(path));
    QCOMPARE(driver.notices.messages, QStringList{message + QDir::toNativeSeparators(path)});
    QCOMPARE(driver.errors.messages, QStringList{});
}

QTEST_MAIN(WindowSavingTest)
#include "window_saving_test.moc"
