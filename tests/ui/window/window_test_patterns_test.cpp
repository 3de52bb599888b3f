// SPDX-License-Identifier: GPL-3.0-or-later
// The test set in the window: shown and edited as the training table is,
// split off and returned as one undoable change; the η and α fields steer
// the step; the early stop says where it stopped; and the blocks of a file
// survive a load and a save.

#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "main_window.h"
#include "network_snapshot.h"
#include "nk_label_float.h"
#include "window_driver.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <cstring>

class WindowTestPatternsTest : public QObject {
    Q_OBJECT
private slots:
    void testSetEditsLeaveTheTrainingSetAlone_data();
    void testSetEditsLeaveTheTrainingSetAlone();
    void splitAndReturnUndoAsOne_data();
    void splitAndReturnUndoAsOne();
    void learningFieldsSteerTheStep_data();
    void learningFieldsSteerTheStep();
    void earlyStopSaysWhereItStopped_data();
    void earlyStopSaysWhereItStopped();
    void blocksSurviveLoadAndSave_data();
    void blocksSurviveLoadAndSave();
};

namespace {

class ScriptedShare : public ShareQuestion {
public:
    std::optional<int> Ask(QWidget*, const QString&) override { return answer; }
    std::optional<int> answer;
};

QByteArray SetBits(const WorkState& state, PatternSetKind set) {
    const auto members = SetMembers(state, set);
    return QByteArray::number(members.count) +
           QByteArray(reinterpret_cast<const char*>(&members.inputs), sizeof members.inputs) +
           QByteArray(reinterpret_cast<const char*>(&members.outputs), sizeof members.outputs);
}

void AddXor(WindowDriver& driver) {
    driver.AddPattern({"0.1", "0.1"}, {"0.1"});
    driver.AddPattern({"0.1", "0.9"}, {"0.9"});
    driver.AddPattern({"0.9", "0.1"}, {"0.9"});
    driver.AddPattern({"0.9", "0.9"}, {"0.1"});
}

void Train(WindowDriver& driver, int cycles) {
    TForm1& form = driver.form();
    driver.ShowTab(form.TabSheet3);
    driver.TypeInto(form.FlatSpinEditInteger4, QString::number(cycles));
    driver.Click(form.SpeedButton7);
}

enum class Edit { Add, CellEdit, Paste, Import, DeleteOne, DeleteAll };

}  // namespace

// Every change to the test set goes to it alone, is shown in the grid, and
// undoes bit for bit; the training table is never touched.
void WindowTestPatternsTest::testSetEditsLeaveTheTrainingSetAlone_data() {
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("values");  // of that row, "." for the separator
    QTest::newRow("add") << Edit::Add << 3 << 3 << QStringList{"0.5", "0.5", "1"};
    QTest::newRow("cell edited") << Edit::CellEdit << 2 << 1 << QStringList{"0.25", "0.2", "0"};
    QTest::newRow("paste") << Edit::Paste << 2 << 1 << QStringList{"5", "6", "1"};
    QTest::newRow("import") << Edit::Import << 1 << 1 << QStringList{"8", "9", "0"};
    QTest::newRow("delete one") << Edit::DeleteOne << 1 << 1 << QStringList{"0.3", "0.4", "1"};
    QTest::newRow("delete all") << Edit::DeleteAll << 0 << 0 << QStringList{};
}

void WindowTestPatternsTest::testSetEditsLeaveTheTrainingSetAlone() {
    QFETCH(Edit, edit);
    QFETCH(int, count);
    QFETCH(int, row);
    QFETCH(QStringList, values);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 1);
    AddXor(driver);
    driver.Click(form.testSetShown);
    QVERIFY(form.testSetShown->isChecked());
    QCOMPARE(form.FloatGrid1->RowCount(), 1);
    driver.AddPattern({"0.2", "0.2"}, {"0"});
    driver.AddPattern({"0.3", "0.4"}, {"1"});
    QCOMPARE(form.workState.TestPatternCount, 2);
    form.workState.unsaved.patterns = false;
    const QByteArray training = SetBits(form.workState, PatternSetKind::Training);
    const QByteArray test = SetBits(form.workState, PatternSetKind::Test);

    switch (edit) {
        case Edit::Add: driver.AddPattern({"0.5", "0.5"}, {"1"}); break;
        case Edit::CellEdit: {
            const QModelIndex cell = form.FloatGrid1->model()->index(0, 0);
            form.FloatGrid1->scrollTo(cell);
            QTest::mouseClick(form.FloatGrid1->viewport(), Qt::LeftButton, {}, form.FloatGrid1->visualRect(cell).center());
            QTest::keyClick(form.FloatGrid1, Qt::Key_F2);
            QWidget* editor = QApplication::focusWidget();
            QTest::keyClick(editor, Qt::Key_End);
            QTest::keyClicks(editor, "5");
            QTest::keyClick(editor, Qt::Key_Return);
            // Return closes the editor once the key is handled.
            QTRY_VERIFY(!form.FloatGrid1->findChild<QLineEdit*>());
            break;
        }
        case Edit::Paste: {
            const QModelIndex cell = form.FloatGrid1->model()->index(0, 0);
            QTest::mouseClick(form.FloatGrid1->viewport(), Qt::LeftButton, {}, form.FloatGrid1->visualRect(cell).center());
            QApplication::clipboard()->setText("5\t6\t1\n");
            QTest::keyClick(form.FloatGrid1, Qt::Key_V, Qt::ControlModifier);
            break;
        }
        case Edit::Import:
            driver.dialogs.answers << driver.WriteFile("prueba.csv", {"x;y;z", "8;9;0"});
            driver.notices.answers << true;
            driver.Click(form.importCsv);
            break;
        case Edit::DeleteOne:
            driver.TypeInto(form.FlatSpinEditInteger8, "1");
            driver.Click(form.SpeedButton5);
            break;
        case Edit::DeleteAll: driver.Click(form.SpeedButton6); break;
    }
    QCOMPARE(driver.errors.messages, QStringList{});
    QCOMPARE(form.workState.TestPatternCount, count);
    QCOMPARE(SetBits(form.workState, PatternSetKind::Training), training);
    QVERIFY(form.workState.unsaved.patterns);
    if (row > 0) {
        QCOMPARE(form.FloatGrid1->RowCount(), count + 1);
        QStringList expected;
        for (const QString& value : values) expected << driver.Regional(value);
        QCOMPARE(RowTexts(*form.FloatGrid1, row).mid(1, 3), expected);
    }

    // The export writes the set shown.
    driver.dialogs.answers << driver.Path("salida.csv");
    driver.Click(form.exportCsv);
    QCOMPARE(QString::fromUtf8(driver.ReadFile(driver.Path("salida.csv"))).count('\n'), count + 1);

    QTest::keyClick(form.FloatGrid1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(SetBits(form.workState, PatternSetKind::Test), test);
    QCOMPARE(SetBits(form.workState, PatternSetKind::Training), training);

    // Back to the training table: its four patterns, in the grid too.
    driver.Click(form.trainingSetShown);
    QCOMPARE(form.FloatGrid1->RowCount(), 5);
    QCOMPARE(RowTexts(*form.FloatGrid1, 4).mid(1, 3),
             (QStringList{driver.Regional("0.9"), driver.Regional("0.9"), driver.Regional("0.1")}));
}

// "Separar para prueba…" and "Devolver a entrenamiento" change both sets;
// one undo puts both back bit for bit, one redo does the move again.
void WindowTestPatternsTest::splitAndReturnUndoAsOne_data() {
    QTest::addColumn<std::optional<int>>("percent");
    QTest::addColumn<bool>("thenReturn");
    QTest::addColumn<int>("trainingCount");
    QTest::addColumn<int>("testCount");
    QTest::newRow("half split") << std::optional<int>(50) << false << 2 << 2;
    QTest::newRow("quarter split") << std::optional<int>(25) << false << 3 << 1;
    QTest::newRow("split cancelled") << std::optional<int>() << false << 4 << 0;
    QTest::newRow("returned") << std::optional<int>(50) << true << 4 << 0;
}

void WindowTestPatternsTest::splitAndReturnUndoAsOne() {
    QFETCH(std::optional<int>, percent);
    QFETCH(bool, thenReturn);
    QFETCH(int, trainingCount);
    QFETCH(int, testCount);
    WindowDriver driver;
    TForm1& form = driver.form();
    ScriptedShare share;
    share.answer = percent;
    form.SetShareQuestion(&share);
    driver.CreateNetwork(2, 2, 1);
    AddXor(driver);
    if (thenReturn) driver.Click(form.separateTest);
    form.workState.unsaved.patterns = false;
    const QByteArray training = SetBits(form.workState, PatternSetKind::Training);
    const QByteArray test = SetBits(form.workState, PatternSetKind::Test);

    driver.Click(thenReturn ? form.returnTest : form.separateTest);
    QCOMPARE(driver.errors.messages, QStringList{});
    QCOMPARE(form.workState.NumeroPatrones, trainingCount);
    QCOMPARE(form.workState.TestPatternCount, testCount);
    const bool moved = thenReturn || percent;
    QCOMPARE(form.workState.unsaved.patterns, moved);
    if (!moved) return;
    QCOMPARE(form.testSetShown->isChecked(), !thenReturn);
    const QByteArray afterTraining = SetBits(form.workState, PatternSetKind::Training);
    const QByteArray afterTest = SetBits(form.workState, PatternSetKind::Test);

    form.undoPatternChange->trigger();
    QCOMPARE(SetBits(form.workState, PatternSetKind::Training), training);
    QCOMPARE(SetBits(form.workState, PatternSetKind::Test), test);
    form.redoPatternChange->trigger();
    QCOMPARE(SetBits(form.workState, PatternSetKind::Training), afterTraining);
    QCOMPARE(SetBits(form.workState, PatternSetKind::Test), afterTest);
}

// A run on a single pattern makes the same weights as the network's own
// step under the η and α typed; a value out of range is refused with a
// message and changes nothing.
void WindowTestPatternsTest::learningFieldsSteerTheStep_data() {
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("momentum");
    QTest::addColumn<QString>("message");
    QTest::newRow("defaults") << "0.35" << "0" << "";
    QTest::newRow("slow") << "0.1" << "0" << "";
    QTest::newRow("fast with momentum") << "2" << "0.9" << "";
    QTest::newRow("largest rate") << "10" << "0.5" << "";
    QTest::newRow("rate 0") << "0" << "0" << "La tasa de aprendizaje η debe ser mayor que 0 y como mucho 10.";
    QTest::newRow("rate above 10") << "10.5" << "0" << "La tasa de aprendizaje η debe ser mayor que 0 y como mucho 10.";
    QTest::newRow("momentum 1") << "0.35" << "1" << "El momento α debe ser de 0 a 1, sin llegar a 1.";
}

void WindowTestPatternsTest::learningFieldsSteerTheStep() {
    QFETCH(QString, rate);
    QFETCH(QString, momentum);
    QFETCH(QString, message);
    constexpr int kCycles = 5;
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 1);
    driver.AddPattern({"0.1", "0.9"}, {"0.9"});
    form.workState.unsaved.patterns = false;
    const NetworkSnapshot start = TakeSnapshot(form.RedNeuronal1);

    driver.ShowTab(form.TabSheet3);
    driver.TypeNumber(form.learningRate, rate);
    driver.TypeNumber(form.momentum, momentum);
    Train(driver, kCycles);
    if (!message.isEmpty()) {
        QCOMPARE(driver.errors.messages, QStringList{message});
        // The fields show the network's settings again, which the run used.
        QCOMPARE(form.RedNeuronal1.Learning(), LearningSettings{});
        QCOMPARE(static_cast<double>(form.learningRate->Value()), 0.35);
        QCOMPARE(static_cast<double>(form.momentum->Value()), 0.0);
        QVERIFY(!form.workState.unsaved.patterns);
        return;
    }
    QCOMPARE(driver.errors.messages, QStringList{});
    const LearningSettings typed{rate.toDouble(), momentum.toDouble()};
    QCOMPARE(form.RedNeuronal1.Learning(), typed);
    QCOMPARE(form.workState.unsaved.patterns, typed != LearningSettings{});
    const NetworkSnapshot trained = TakeSnapshot(form.RedNeuronal1);

    RestoreWeights(start, form.RedNeuronal1);
    for (int cycle = 0; cycle < kCycles; ++cycle) {
        form.RedNeuronal1.Entradas[1] = 0.1;
        form.RedNeuronal1.Entradas[2] = 0.9;
        form.RedNeuronal1.SalidasEsperadas[1] = 0.9;
        form.RedNeuronal1.EntrenarPatron();
    }
    const NetworkSnapshot expected = TakeSnapshot(form.RedNeuronal1);
    QVERIFY(trained.hiddenWeights == expected.hiddenWeights);
    QVERIFY(trained.outputWeights == expected.outputWeights);
    QVERIFY(trained.outputWeights != start.outputWeights);
}

// With test patterns that contradict the training ones, the test error
// rises as the network learns, so the early stop ends the run and says at
// which iteration the best test error came; without test patterns, or with
// the option off, the run goes its full length in silence.
void WindowTestPatternsTest::earlyStopSaysWhereItStopped_data() {
    QTest::addColumn<bool>("on");
    QTest::addColumn<bool>("withTest");
    QTest::addColumn<bool>("stops");
    QTest::newRow("on, with test patterns") << true << true << true;
    QTest::newRow("on, without test patterns") << true << false << false;
    QTest::newRow("off, with test patterns") << false << true << false;
}

void WindowTestPatternsTest::earlyStopSaysWhereItStopped() {
    QFETCH(bool, on);
    QFETCH(bool, withTest);
    QFETCH(bool, stops);
    constexpr int kCycles = 40000;
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 1);
    AddXor(driver);
    if (withTest) {
        driver.Click(form.testSetShown);
        driver.AddPattern({"0.1", "0.1"}, {"0.9"});
        driver.AddPattern({"0.1", "0.9"}, {"0.1"});
        driver.AddPattern({"0.9", "0.1"}, {"0.1"});
        driver.AddPattern({"0.9", "0.9"}, {"0.9"});
    }
    driver.ShowTab(form.TabSheet3);
    if (on) driver.Click(form.earlyStop);
    driver.TypeInto(form.earlyStopEpochs, "3");
    Train(driver, kCycles);

    QCOMPARE(driver.errors.messages, QStringList{});
    if (!stops) {
        QCOMPARE(driver.notices.messages, QStringList{});
        QCOMPARE(form.FlatSpinEditInteger5->Value(), kCycles);
        return;
    }
    QCOMPARE(driver.notices.messages.size(), 1);
    const QString notice = driver.notices.messages.front();
    const QString prefix = "Parada temprana: el error de prueba no mejoró en 3 épocas. La red vuelve a los pesos de su "
                           "menor error de prueba, tras la iteración ";
    QVERIFY2(notice.startsWith(prefix) && notice.endsWith(" de esta ejecución."), qPrintable(notice));
    bool number = false;
    const int best = notice.mid(prefix.size()).section(' ', 0, 0).toInt(&number);
    QVERIFY(number);
    // The best comes at an epoch's end, three epochs before the stop.
    QCOMPARE(best % 4, 0);
    QCOMPARE(form.FlatSpinEditInteger5->Value(), best + 3 * 4);
}

// A file's test set, η and α and names come back out of "Guardar Red Sin
// Entrenar" byte for byte; a file without blocks stays as it was.
void WindowTestPatternsTest::blocksSurviveLoadAndSave_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("momentum");
    QTest::addColumn<int>("testCount");
    const QStringList training{"2", "1", "1", "0", "0", "1", "0.5", "1", "0"};
    QTest::newRow("every block")
        << training + QStringList{"[prueba]", "1", "3", "4", "1", "[aprendizaje]", "2", "0.5", "[nombres]", "a",
                                  "Entrada 2", "b"}
        << 2.0 << 0.5 << 1;
    QTest::newRow("test block only") << training + QStringList{"[prueba]", "1", "3", "4", "1"} << 0.35 << 0.0 << 1;
    QTest::newRow("no blocks") << training << 0.35 << 0.0 << 0;
}

void WindowTestPatternsTest::blocksSurviveLoadAndSave() {
    QFETCH(QStringList, lines);
    QFETCH(double, rate);
    QFETCH(double, momentum);
    QFETCH(int, testCount);
    WindowDriver driver;
    TForm1& form = driver.form();
    // A network of other settings first: the load must replace them.
    driver.CreateNetwork(2, 2, 1);
    driver.ShowTab(form.TabSheet3);
    driver.TypeNumber(form.learningRate, "0.7");
    driver.TypeNumber(form.momentum, "0.2");
    driver.ShowTab(form.TabSheet1);
    driver.saveQuestions.answers << SaveQuestion::Answer::Discard;

    driver.dialogs.answers << driver.WriteFile("bloques.rna", lines);
    driver.Click(form.SpeedButton2);
    QCOMPARE(driver.errors.messages, QStringList{});
    QCOMPARE(driver.notices.messages, QStringList{});
    QCOMPARE(form.workState.TestPatternCount, testCount);
    QCOMPARE(form.RedNeuronal1.Learning(), (LearningSettings{rate, momentum}));
    QCOMPARE(static_cast<double>(form.learningRate->Value()), rate);
    QCOMPARE(static_cast<double>(form.momentum->Value()), momentum);

    driver.dialogs.answers << driver.Path("guardada.rna");
    driver.Click(form.SpeedButton4);
    QCOMPARE(driver.ReadFile(driver.Path("guardada.rna")), driver.Bytes(lines));

    // A new network starts again from the defaults, with no test set.
    driver.ShowTab(form.TabSheet1);
    driver.Click(form.SpeedButton1);
    QCOMPARE(form.workState.TestPatternCount, 0);
    QCOMPARE(form.RedNeuronal1.Learning(), LearningSettings{});
    QCOMPARE(static_cast<double>(form.learningRate->Value()), 0.35);
}

QTEST_MAIN(WindowTestPatternsTest)
#include "window_test_patterns_test.moc"
