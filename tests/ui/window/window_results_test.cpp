// SPDX-License-Identifier: GPL-3.0-or-later
// "Resultados" per set and "Matriz de confusión" in the real window, checked
// against a count made from the network's own forward pass.

#include "confusion_matrix.h"
#include "confusion_view.h"
#include "error_chart.h"
#include "flat_spin_edit_integer.h"
#include "learning_tab.h"
#include "main_window.h"
#include "pattern_classes.h"
#include "pattern_set.h"
#include "results_view.h"
#include "window_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cmath>

namespace {

// A network and its patterns: each pattern its inputs then its outputs, "." for the separator.
struct Example {
    int inputs = 2, hidden = 2, outputs = 1;
    QList<QStringList> training, test;
    int cycles = 0;
    QStringList outputNames;
};

const QList<QStringList> kXor{{"0.1", "0.1", "0.1"}, {"0.1", "0.9", "0.9"}, {"0.9", "0.1", "0.9"}, {"0.9", "0.9", "0.1"}};

Example Xor(int cycles, QList<QStringList> test = {}) { return {2, 2, 1, kXor, std::move(test), cycles, {}}; }

// Three classes, one output each, coded 0.1 / 0.9.
Example ThreeClasses(int cycles) {
    const QList<QStringList> training{{"0.1", "0.1", "0.9", "0.1", "0.1"}, {"0.2", "0.1", "0.9", "0.1", "0.1"},
                                      {"0.9", "0.1", "0.1", "0.9", "0.1"}, {"0.8", "0.2", "0.1", "0.9", "0.1"},
                                      {"0.1", "0.9", "0.1", "0.1", "0.9"}, {"0.2", "0.8", "0.1", "0.1", "0.9"},
                                      {"0.5", "0.5", "0.1", "0.9", "0.1"}};
    const QList<QStringList> test{{"0.15", "0.1", "0.9", "0.1", "0.1"}, {"0.85", "0.1", "0.1", "0.9", "0.1"},
                                  {"0.1", "0.85", "0.1", "0.1", "0.9"}, {"0.5", "0.4", "0.9", "0.1", "0.1"}};
    return {2, 3, 3, training, test, cycles, {"Setosa", "Versicolor", "Virginica"}};
}

void Prepare(WindowDriver& driver, const Example& example) {
    TForm1& form = driver.form();
    driver.CreateNetwork(example.inputs, example.hidden, example.outputs);
    for (const QStringList& p : example.training) driver.AddPattern(p.mid(0, example.inputs), p.mid(example.inputs));
    WorkState& state = form.workState;
    state.TestPatternCount = static_cast<int>(example.test.size());
    for (int p = 1; p <= example.test.size(); ++p)
        for (int c = 0; c < example.inputs + example.outputs; ++c) {
            const double value = example.test[p - 1][c].toDouble();
            (c < example.inputs ? state.TestInputs[p][c + 1] : state.TestOutputs[p][c + 1 - example.inputs]) = value;
        }
    for (const QString& name : example.outputNames) state.OutputNames.push_back(name.toStdString());
    driver.ShowTab(form.TabSheet3);
    form.FlatSpinEditInteger9->SetValue(30);
    if (example.cycles > 0) {
        form.FlatSpinEditInteger4->SetValue(example.cycles);
        driver.Click(form.SpeedButton7);
    }
    driver.ShowTab(form.TabSheet6);
}

LearningTab& Tab(TForm1& form) { return *form.findChild<LearningTab*>(QStringLiteral("learningTab")); }

void ShowView(TForm1& form, QWidget* view) {
    form.findChild<QTabWidget*>(QStringLiteral("learningViews"))->setCurrentWidget(view);
}

// Pattern p of a set through Propagar: its outputs y[k − 1].
std::vector<double> Outputs(TForm1& form, const PatternSet& set, int p) {
    TRedNeuronal& network = form.RedNeuronal1;
    for (int i = 1; i <= network.NumeroEntradas(); ++i) network.Entradas[i] = (*set.inputs)[p][i];
    network.Propagar();
    return {network.SalidasObtenidas.begin() + 1, network.SalidasObtenidas.begin() + 1 + network.NeuronasCapaSalida()};
}

// The class of a row by hand: the largest value's output; for one output,
// 1 below the midpoint of the set's two expected values (d only ever holds those two), 2 above.
int HandClass(const std::vector<double>& row, double low, double high) {
    if (row.size() == 1) return row[0] > low / 2 + high / 2 ? 2 : 1;
    int best = 0;
    for (int k = 1; k < static_cast<int>(row.size()); ++k)
        if (row[k] > row[best]) best = k;
    return best + 1;
}

// [expected − 1][obtained − 1] by hand, every pattern of the set through Propagar.
QList<QList<int>> HandMatrix(TForm1& form, const PatternSet& set, int classes) {
    const int outputs = form.RedNeuronal1.NeuronasCapaSalida();
    QList<QList<int>> counts(classes, QList<int>(classes, 0));
    for (int p = 1; p <= set.count; ++p) {
        const std::vector<double> d((*set.outputs)[p].begin() + 1, (*set.outputs)[p].begin() + 1 + outputs);
        ++counts[HandClass(d, 0.1, 0.9) - 1][HandClass(Outputs(form, set, p), 0.1, 0.9) - 1];
    }
    return counts;
}

QString Percent(int correct, int total, QChar separator) {
    return QString::number(100.0 * correct / total, 'f', 1).replace(QLatin1Char('.'), separator);
}

}  // namespace

Q_DECLARE_METATYPE(Example)

class WindowResultsTest : public QObject {
    Q_OBJECT

private slots:
    void resultsCountEachSetWithinTheThreshold_data();
    void resultsCountEachSetWithinTheThreshold();
    void resultsClassifyEachPattern_data();
    void resultsClassifyEachPattern();
    void confusionMatrixCountsEachSet_data();
    void confusionMatrixCountsEachSet();
    void confusionMatrixSaysWhyThereIsNone_data();
    void confusionMatrixSaysWhyThereIsNone();
    void confusionMatrixFollowsARun();
};

void WindowResultsTest::resultsCountEachSetWithinTheThreshold_data() {
    QTest::addColumn<Example>("example");
    QTest::newRow("training only, untrained") << Xor(0);
    QTest::newRow("training and test, trained") << Xor(3000, {{"0.2", "0.8", "0.9"}, {"0.8", "0.8", "0.1"}});
    QTest::newRow("three outputs") << ThreeClasses(2000);
    QTest::newRow("test patterns only") << Example{2, 2, 1, {}, {{"0.2", "0.8", "0.9"}, {"0.8", "0.8", "0.1"}}};
}

void WindowResultsTest::resultsCountEachSetWithinTheThreshold() {
    QFETCH(Example, example);
    WindowDriver driver;
    TForm1& form = driver.form();
    Prepare(driver, example);
    ResultsView& view = *Tab(form).Results();
    ShowView(form, &view);
    const WorkState& state = form.workState;
    for (const auto& [name, set] : {std::pair{QStringLiteral("results"), TrainingPatterns(state)},
                                    std::pair{QStringLiteral("testResults"), TestPatterns(state)}}) {
        // The training group is always there, to say when its table is empty.
        const auto* group = view.findChild<QGroupBox*>(name + "Group");
        QCOMPARE(group->isVisible(), set.count > 0 || name == QStringLiteral("results"));
        const QString summary = view.findChild<QLabel*>(name + "Summary")->text();
        if (set.count == 0) {
            QVERIFY(!group->isVisible() || summary.startsWith(QStringLiteral("La tabla de patrones está vacía")));
            continue;
        }
        QCOMPARE(view.findChild<QTableWidget*>(name + "Table")->rowCount(), set.count);
        int within = 0;
        for (int p = 1; p <= set.count; ++p) {
            const std::vector<double> y = Outputs(form, set, p);
            double error = 0;
            for (int k = 1; k <= static_cast<int>(y.size()); ++k)
                error += std::fabs((*set.outputs)[p][k] - y[k - 1]) * (100.0 / std::fabs((*set.outputs)[p][k]));
            within += error / static_cast<double>(y.size()) <= 30;
        }
        QCOMPARE(summary, QStringLiteral("%1 de %2 patrones dentro del umbral").arg(within).arg(set.count));
    }
    QCOMPARE(view.Summary(), view.findChild<QLabel*>(QStringLiteral("resultsSummary"))->text());
    QCOMPARE(driver.errors.messages, QStringList{});
}

void WindowResultsTest::resultsClassifyEachPattern_data() {
    QTest::addColumn<Example>("example");
    QTest::addColumn<bool>("classes");
    QTest::newRow("one output, two values") << Xor(0, {{"0.2", "0.8", "0.9"}}) << true;
    QTest::newRow("one output, trained") << Xor(3000, {{"0.2", "0.8", "0.9"}, {"0.8", "0.8", "0.1"}}) << true;
    QTest::newRow("three named outputs") << ThreeClasses(2000) << true;
    QTest::newRow("one output, three values") << Xor(0, {{"0.5", "0.5", "0.5"}}) << false;
}

void WindowResultsTest::resultsClassifyEachPattern() {
    QFETCH(Example, example);
    QFETCH(bool, classes);
    WindowDriver driver;
    TForm1& form = driver.form();
    Prepare(driver, example);
    form.workState.InputNames = {"Largo", ""};
    ResultsView& view = *Tab(form).Results();
    ShowView(form, &view);
    const WorkState& state = form.workState;
    const int outputs = example.outputs;
    // Patrón, x, d, y, |d − y|, error, threshold, then the three class columns.
    const int classColumn = 1 + example.inputs + 3 * outputs + 2;
    const QChar separator = driver.separator();
    for (const auto& [name, set] : {std::pair{QStringLiteral("results"), TrainingPatterns(state)},
                                    std::pair{QStringLiteral("testResults"), TestPatterns(state)}}) {
        auto* table = view.findChild<QTableWidget*>(name + "Table");
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Largo"));
        QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("Entrada 2"));
        QCOMPARE(table->horizontalHeaderItem(1 + example.inputs + outputs)->text(),
                 "y\n" + (example.outputNames.isEmpty() ? QStringLiteral("Salida 1") : example.outputNames[0]));
        QCOMPARE(table->columnCount(), classColumn + (classes ? 3 : 0));
        auto* tally = view.findChild<QLabel*>(name + "ClassTally");
        QCOMPARE(tally->isVisible(), classes);
        if (!classes) continue;
        QCOMPARE(table->horizontalHeaderItem(classColumn)->text(), QStringLiteral("Clase esperada"));
        int correct = 0;
        for (int p = 1; p <= set.count; ++p) {
            const std::vector<double> d((*set.outputs)[p].begin() + 1, (*set.outputs)[p].begin() + 1 + outputs);
            const int expected = HandClass(d, 0.1, 0.9), obtained = HandClass(Outputs(form, set, p), 0.1, 0.9);
            correct += expected == obtained;
            const auto className = [&](int c) {
                return outputs > 1 ? example.outputNames[c - 1]
                                   : QStringLiteral("Salida 1 = 0%1%2").arg(separator).arg(c == 1 ? 1 : 9);
            };
            QCOMPARE(table->item(p - 1, classColumn)->text(), className(expected));
            QCOMPARE(table->item(p - 1, classColumn + 1)->text(), className(obtained));
            QCOMPARE(table->item(p - 1, classColumn + 2)->text(), expected == obtained ? "✓" : "✗");
        }
        QCOMPARE(tally->text(), QStringLiteral("%1 de %2 bien clasificados (%3 %)")
                                    .arg(correct)
                                    .arg(set.count)
                                    .arg(Percent(correct, set.count, separator)));
    }
}

void WindowResultsTest::confusionMatrixCountsEachSet_data() {
    QTest::addColumn<Example>("example");
    QTest::newRow("one output, untrained") << Xor(0);
    QTest::newRow("one output, trained, test") << Xor(3000, {{"0.2", "0.8", "0.9"}, {"0.8", "0.8", "0.1"}});
    QTest::newRow("three named outputs, test") << ThreeClasses(2000);
}

void WindowResultsTest::confusionMatrixCountsEachSet() {
    QFETCH(Example, example);
    WindowDriver driver;
    TForm1& form = driver.form();
    Prepare(driver, example);
    ConfusionView& view = *Tab(form).Confusion();
    ShowView(form, &view);
    QCOMPARE(view.Message(), QString());
    const WorkState& state = form.workState;
    const ClassScheme scheme = *FindClasses(state, example.outputs);
    const NetworkSnapshot snapshot = TakeSnapshot(form.RedNeuronal1);
    QStringList copied;
    for (const auto& [name, set] : {std::pair{QStringLiteral("trainingConfusion"), TrainingPatterns(state)},
                                    std::pair{QStringLiteral("testConfusion"), TestPatterns(state)}}) {
        auto* table = view.findChild<QTableWidget*>(name + "Table");
        QCOMPARE(table->isVisible(), set.count > 0);
        if (set.count == 0) continue;
        const ConfusionMatrix matrix = CountConfusion(scheme, ClassifySet(snapshot, scheme, set));
        const QList<QList<int>> hand = HandMatrix(form, set, scheme.classes);
        QCOMPARE(table->rowCount(), scheme.classes);
        QCOMPARE(table->columnCount(), scheme.classes + 1);
        QStringList lines{table->accessibleName()}, headers{QStringLiteral("Esperada \\ Obtenida")};
        for (int o = 1; o <= scheme.classes; ++o) headers << table->horizontalHeaderItem(o)->text();
        lines << headers.join('\t');
        // Shading: a larger count is a darker cell, an equal count the same shade.
        QList<std::pair<int, int>> shades;
        for (int e = 1; e <= scheme.classes; ++e) {
            QStringList row{table->item(e - 1, 0)->text()};
            QCOMPARE(row[0], table->horizontalHeaderItem(e)->text());
            for (int o = 1; o <= scheme.classes; ++o) {
                const QTableWidgetItem* cell = table->item(e - 1, o);
                QCOMPARE(cell->text().toInt(), matrix.Count(e, o));
                QCOMPARE(cell->text().toInt(), hand[e - 1][o - 1]);
                shades << std::pair{matrix.Count(e, o), cell->background().color().lightness()};
                row << cell->text();
            }
            lines << row.join('\t');
        }
        for (const auto& [count, lightness] : shades)
            for (const auto& [other, otherLightness] : shades)
                QVERIFY(count > other ? lightness < otherLightness : count < other || lightness == otherLightness);
        copied << lines.join('\n');
    }
    if (!example.outputNames.isEmpty())
        QCOMPARE(view.findChild<QTableWidget*>(QStringLiteral("trainingConfusionTable"))->horizontalHeaderItem(3)->text(),
                 QStringLiteral("Virginica"));
    driver.Click(view.findChild<QPushButton*>(QStringLiteral("copyConfusionButton")));
    QCOMPARE(QApplication::clipboard()->text(), copied.join(QStringLiteral("\n\n")));
    QVERIFY(QApplication::clipboard()->text().startsWith(
        QStringLiteral("Matriz de confusión: patrones de entrenamiento\nEsperada \\ Obtenida\t")));
}

void WindowResultsTest::confusionMatrixSaysWhyThereIsNone_data() {
    QTest::addColumn<Example>("example");
    QTest::addColumn<bool>("network");
    QTest::addColumn<QString>("message");
    const QString noClasses = QStringLiteral("No hay matriz de confusión: las salidas esperadas no señalan clases.");
    QTest::newRow("no network") << Example{} << false << QStringLiteral("Aún no hay ninguna red");
    QTest::newRow("no patterns") << Example{} << true << QStringLiteral("La tabla de patrones está vacía");
    QTest::newRow("one output, three values") << Xor(0, {{"0.5", "0.5", "0.5"}}) << true << noClasses;
    QTest::newRow("two outputs, a tie") << Example{2, 2, 2, {{"0.1", "0.1", "0.9", "0.1"}, {"0.1", "0.9", "0.5", "0.5"}}}
                                        << true << noClasses;
}

void WindowResultsTest::confusionMatrixSaysWhyThereIsNone() {
    QFETCH(Example, example);
    QFETCH(bool, network);
    QFETCH(QString, message);
    WindowDriver driver;
    TForm1& form = driver.form();
    if (network) Prepare(driver, example);
    driver.ShowTab(form.TabSheet6);
    ConfusionView& view = *Tab(form).Confusion();
    ShowView(form, &view);
    QVERIFY2(view.Message().startsWith(message), qPrintable(view.Message()));
    for (const char* table : {"trainingConfusionTable", "testConfusionTable"})
        QVERIFY(!view.findChild<QTableWidget*>(QLatin1String(table))->isVisible());
    QVERIFY(!view.findChild<QPushButton*>(QStringLiteral("copyConfusionButton"))->isEnabled());
}

void WindowResultsTest::confusionMatrixFollowsARun() {
    WindowDriver driver;
    TForm1& form = driver.form();
    Prepare(driver, ThreeClasses(0));
    driver.ShowTab(form.TabSheet3);
    form.FlatSpinEditInteger4->SetValue(200'000);
    driver.ShowTab(form.TabSheet6);
    ConfusionView& view = *Tab(form).Confusion();
    ShowView(form, &view);
    auto* table = view.findChild<QTableWidget*>(QStringLiteral("trainingConfusionTable"));
    const auto shown = [&] {
        QList<int> cells;
        for (int e = 0; e < 3; ++e)
            for (int o = 1; o <= 3; ++o) cells << table->item(e, o)->text().toInt();
        return cells;
    };
    const auto counted = [&] {
        const ClassScheme scheme = *FindClasses(form.workState, 3);
        const ConfusionMatrix matrix =
            CountConfusion(scheme, ClassifySet(TakeSnapshot(form.RedNeuronal1), scheme, TrainingPatterns(form.workState)));
        QList<int> cells;
        for (int e = 1; e <= 3; ++e)
            for (int o = 1; o <= 3; ++o) cells << matrix.Count(e, o);
        return cells;
    };
    int followed = 0;
    // Handled when the run first processes its messages, mid-run: the view
    // follows the run and "Copiar" stays usable.
    QTimer::singleShot(0, &form, [&] {
        form.Chart1->Draw();
        QCOMPARE(shown(), counted());
        QVERIFY(view.findChild<QPushButton*>(QStringLiteral("copyConfusionButton"))->isEnabled());
        ++followed;
    });
    form.SpeedButton7->click();
    QCOMPARE(followed, 1);
    QCOMPARE(shown(), counted());
    QCOMPARE(driver.errors.messages, QStringList{});
}

QTEST_MAIN(WindowResultsTest)
#include "window_results_test.moc"
