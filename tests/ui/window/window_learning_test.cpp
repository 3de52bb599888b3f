// SPDX-License-Identifier: GPL-3.0-or-later
// "Cómo Aprende", "Paso a paso": the worked step shown is the core's, rounded
// for reading and whole in tooltips and "Copiar"; "Aplicar Paso" trains
// exactly that step as one iteration and shows what it did to the pattern.

#include "error_chart.h"
#include "flat_spin_edit_integer.h"
#include "network.h"
#include "network_snapshot.h"
#include "main_window.h"
#include "number_texts.h"
#include "regional_separators.h"
#include "step_view.h"
#include "training_run.h"
#include "window_driver.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <cmath>

class WindowLearningTest : public QObject {
    Q_OBJECT

private slots:
    void stepOnXorPatternTwoIsTheCoresAndApplies();
    void appliedStepShowsThePatternBeforeAndAfter();
    void copyGivesTheWholeStepInFull();
    void headersAreOneLineWhenCopiedAndExplained_data();
    void headersAreOneLineWhenCopiedAndExplained();
    void tablesFitAtTheDefaultSize_data();
    void tablesFitAtTheDefaultSize();
    void missingNetworkPatternsOrPatternAreSaidInTheView();
    void identityNetworkShowsOnlyTheForwardPass();
};

namespace {

QString Number(double v) { return FileNumberText(v); }
// As the tables show a value at the four decimals they start with.
QString Shown(double v) { return FixedNumberText(v, 4); }

// The texts of a row from column `first` on, as shown and as their tooltips give them in full.
QStringList Texts(QTableWidget* table, int row, int first) {
    QStringList texts;
    for (int c = first; c < table->columnCount(); ++c) texts << (table->item(row, c) ? table->item(row, c)->text() : "");
    return texts;
}
QStringList Full(QTableWidget* table, int row, int first) {
    QStringList texts;
    for (int c = first; c < table->columnCount(); ++c) texts << (table->item(row, c) ? table->item(row, c)->toolTip() : "");
    return texts;
}

template <class T>
T* Find(TForm1& form, const char* name) {
    T* widget = form.findChild<T*>(QLatin1String(name));
    if (!widget) qFatal("no %s", name);
    return widget;
}

}  // namespace

void WindowLearningTest::stepOnXorPatternTwoIsTheCoresAndApplies() {
    WindowDriver driver;
    TForm1& form = driver.form();
    auto* compute = Find<QPushButton>(form, "computeStepButton");
    auto* apply = Find<QPushButton>(form, "applyStepButton");
    auto* forward = Find<QTableWidget>(form, "forwardTable");
    auto* weights = Find<QTableWidget>(form, "weightTable");

    driver.ShowTab(form.TabSheet6);
    for (QPushButton* button : {compute, apply}) driver.Click(button);  // no network: nothing happens
    QCOMPARE(forward->rowCount() + form.Chart1->Store().Count(), 0);

    driver.ShowTab(form.TabSheet1);
    driver.dialogs.answers << QStringLiteral(PERCEPTLAB_EXAMPLES_DIR "/xor.rna");
    driver.Click(form.SpeedButton2);
    driver.ShowTab(form.TabSheet6);
    driver.TypeInto(Find<QSpinBox>(form, "patternChooser"), "2");
    const WorkedStep step = ComputeWorkedStepOnPattern(form.workState, form.RedNeuronal1, 2);
    QCOMPARE(step.inputs, (std::vector<double>{0, 1}));
    driver.Click(compute);

    // The inputs, hidden neurons 1, 2, then the output neuron: s, e^(−s), y, |d − y|.
    QCOMPARE(forward->rowCount(), 5);
    QCOMPARE(Texts(forward, 1, 0), (QStringList{"Entrada x2", "", "", Shown(1), ""}));
    for (int r = 2; r < 5; ++r) {
        const ForwardValues& v = r < 4 ? step.hidden[static_cast<std::size_t>(r - 2)] : step.output[0];
        const QString error = r < 4 ? QString() : Number(std::fabs(step.expected[0] - v.output));
        QCOMPARE(Texts(forward, r, 1).mid(0, 3), (QStringList{Shown(v.sum), Shown(v.expMinus), Shown(v.output)}));
        QCOMPARE(Full(forward, r, 1), (QStringList{Number(v.sum), Number(v.expMinus), Number(v.output), error}));
    }
    // Backwards: the output delta (d − y), then the hidden ones (Σ δ·w).
    auto* deltas = Find<QTableWidget>(form, "deltaTable");
    const DeltaValues& out = step.outputDeltas[0];
    QCOMPARE(Full(deltas, 0, 0), (QStringList{"", Number(out.derivative), Number(out.error), "", Number(out.delta)}));
    QCOMPARE(Texts(deltas, 0, 0).front(), QString("Salida 1"));
    const DeltaValues& d = step.hiddenDeltas[1];
    QCOMPARE(Full(deltas, 2, 1), (QStringList{Number(d.derivative), "", Number(d.error), Number(d.delta)}));
    QCOMPARE(Texts(deltas, 2, 0).front(), QString("Oculta 2"));
    // The output neuron's weights, then hidden 1's and 2's, each bias first.
    auto* hiddenWeights = Find<QTableWidget>(form, "hiddenWeightTable");
    QCOMPARE(weights->rowCount() + hiddenWeights->rowCount(), 9);
    for (int r = 0; r < 9; ++r) {
        const WeightChange& c = step.weights[static_cast<std::size_t>(r)];
        QTableWidget* table = r < 3 ? weights : hiddenWeights;
        const int row = r < 3 ? r : r - 3;
        QCOMPARE(Texts(table, row, 2),
                 (QStringList{Shown(c.oldWeight), Shown(c.input), Shown(c.change), Shown(c.newWeight)}));
        QCOMPARE(Full(table, row, 2),
                 (QStringList{Number(c.oldWeight), Number(c.input), Number(c.change), Number(c.newWeight)}));
    }
    QCOMPARE(Texts(hiddenWeights, 0, 0).mid(0, 2), (QStringList{"Oculta 1", "w0 (sesgo)"}));
    QCOMPARE(Texts(hiddenWeights, 4, 0).mid(0, 2), (QStringList{"Oculta 2", "w1"}));
    // A hidden delta worked out: Σ δ·w over the one output, then f′ · Σ δ·w.
    auto* steps = Find<StepView>(form, "stepView");
    steps->ShowPhase(1);
    QTest::mouseClick(deltas->viewport(), Qt::LeftButton, {}, deltas->visualItemRect(deltas->item(2, 0)).center());
    const auto signedFactor = [](double v) { return v < 0 ? "(" + Shown(v) + ")" : Shown(v); };
    QCOMPARE(Find<QLabel>(form, "deltaComputation")->text(),
             QString("Oculta 2: Σ δ·w = %1·%2 = %3;  δ = f′ · Σ δ·w = %4 · %5 = %6")
                 .arg(signedFactor(out.delta), signedFactor(step.weights[2].oldWeight), Shown(d.error),
                      Shown(d.derivative), signedFactor(d.error), Shown(d.delta)));
    // The last row: hidden neuron 2's weight on input 2, which is 1.
    steps->ShowPhase(3);
    QTest::mouseClick(hiddenWeights->viewport(), Qt::LeftButton, {},
                      hiddenWeights->visualItemRect(hiddenWeights->item(5, 0)).center());
    const WeightChange& last = step.weights[8];
    // A negative factor is shown in parentheses.
    const auto factor = [](double v) { return v < 0 ? "(" + Shown(v) + ")" : Shown(v); };
    QCOMPARE(Find<QLabel>(form, "hiddenWeightComputation")->text(),
             QString("Oculta 2, w2: Δw = η·δ·x = %1 · %2 · %3 = %4;  w + Δw = %5 + %6 = %7")
                 .arg(Number(0.35), factor(step.hiddenDeltas[1].delta), Shown(1), Shown(last.change),
                      Shown(last.oldWeight), factor(last.change), Shown(last.newWeight)));

    const int cycles = form.FlatSpinEditInteger5->Value();
    driver.Click(apply);
    QCOMPARE(driver.errors.messages, QStringList{});
    for (const WeightChange& c : step.weights) {
        const TRedNeuronal& network = form.RedNeuronal1;
        const TCapaNeuronal& layer = c.layer == StepLayer::Hidden ? network.CapaOculta : network.CapaSalida;
        QCOMPARE(layer.Neuronas[c.neuron].Pesos[static_cast<std::size_t>(c.index)], c.newWeight);
    }
    QCOMPARE(form.Chart1->Store().Count(), 1);
    QCOMPARE(form.FlatSpinEditInteger5->Value(), cycles + 1);
    QCOMPARE(Full(hiddenWeights, 5, 5), QStringList{Number(last.newWeight)});

    // Another network: the step shown no longer holds.
    driver.ShowTab(form.TabSheet3);
    driver.Click(form.SpeedButton8);
    driver.ShowTab(form.TabSheet6);
    QCOMPARE(weights->rowCount(), 0);
}

namespace {

// The pattern's output for a network given the snapshot's weights, worked
// out by a separate network's own Propagar.
double ForwardOutput(const NetworkSnapshot& s, const WorkState& state, int pattern) {
    TRedNeuronal copy;
    PrepareStartUpNetwork(copy);
    copy.SetNumeroEntradas(s.inputs);
    copy.SetNeuronasCapaOculta(static_cast<TRangoNeuronas>(s.hidden));
    copy.SetNeuronasCapaSalida(static_cast<TRangoNeuronas>(s.outputs));
    copy.SetFuncionTransferencia(s.function);
    for (int j = 1; j <= s.hidden; ++j)
        for (int k = 0; k <= s.inputs; ++k)
            copy.CapaOculta.Neuronas[j].Pesos[static_cast<std::size_t>(k)] = s.hiddenWeights[j - 1][k];
    for (int k = 0; k <= s.hidden; ++k) copy.CapaSalida.Neuronas[1].Pesos[static_cast<std::size_t>(k)] = s.outputWeights[0][k];
    for (int k = 1; k <= s.inputs; ++k) copy.Entradas[k] = state.EntradasPatrones[static_cast<std::size_t>(pattern)][k];
    copy.Propagar();
    return copy.SalidasObtenidas[1];
}

}  // namespace

void WindowLearningTest::appliedStepShowsThePatternBeforeAndAfter() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    driver.ShowTab(form.TabSheet6);
    driver.TypeInto(Find<QSpinBox>(form, "patternChooser"), "2");
    const NetworkSnapshot before = TakeSnapshot(form.RedNeuronal1);
    auto* line = Find<QLabel>(form, "stepResultLine");
    driver.Click(Find<QPushButton>(form, "computeStepButton"));
    QVERIFY(line->isHidden());  // only an applied step has an after
    driver.Click(Find<QPushButton>(form, "applyStepButton"));

    const double d = form.workState.SalidasPatrones[2][1];
    const double y0 = ForwardOutput(before, form.workState, 2);
    const double y1 = ForwardOutput(TakeSnapshot(form.RedNeuronal1), form.workState, 2);
    const auto error = [d](double y) { return std::fabs(d - y) * (100.0 / std::fabs(d)); };
    QVERIFY(error(y1) < error(y0));
    QVERIFY(line->isVisible());
    QCOMPARE(line->text(), QString("Patrón 2: y %1 → %2 · error %3 % → %4 %")
                               .arg(Shown(y0), Shown(y1), FixedNumberText(error(y0), 2), FixedNumberText(error(y1), 2)));
    // Reading after the step changed nothing: the network keeps the step's forward pass.
    QCOMPARE(form.RedNeuronal1.SalidasObtenidas[1], y0);
    // More decimals, the same values.
    driver.TypeInto(Find<QSpinBox>(form, "decimalsChooser"), "9");
    QVERIFY(line->text().contains(FixedNumberText(y1, 9)));
    QCOMPARE(Find<QTableWidget>(form, "forwardTable")->item(4, 3)->text(), FixedNumberText(y0, 9));
}

void WindowLearningTest::copyGivesTheWholeStepInFull() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    driver.ShowTab(form.TabSheet6);
    driver.TypeInto(Find<QSpinBox>(form, "patternChooser"), "3");
    driver.Click(Find<QPushButton>(form, "computeStepButton"));
    const WorkedStep step = ComputeWorkedStepOnPattern(form.workState, form.RedNeuronal1, 3);
    driver.Click(Find<QPushButton>(form, "copyStepButton"));
    const QStringList lines = QApplication::clipboard()->text().split('\n');

    const auto has = [&](const QStringList& cells) {
        return lines.contains(cells.join('\t')) ? QString() : "missing: " + cells.join(" | ");
    };
    QCOMPARE(has({"x", Number(step.inputs[0]), Number(step.inputs[1])}), QString());
    const ForwardValues& o = step.output[0];
    QCOMPARE(has({"Salida 1", Number(o.sum), Number(o.expMinus), Number(o.output),
                  Number(std::fabs(step.expected[0] - o.output))}),
             QString());
    const DeltaValues& h = step.hiddenDeltas[0];
    QCOMPARE(has({"Oculta 1", Number(h.derivative), "", Number(h.error), Number(h.delta)}), QString());
    for (const WeightChange& c : step.weights)
        QCOMPARE(has({QString(c.layer == StepLayer::Hidden ? "Oculta %1" : "Salida %1").arg(c.neuron),
                      c.index == 0 ? "w0 (sesgo)" : QString("w%1").arg(c.index), Number(c.oldWeight), Number(c.input),
                      Number(c.change), Number(c.newWeight)}),
                 QString());
}

void WindowLearningTest::headersAreOneLineWhenCopiedAndExplained_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("headers");
    const QString rate = "Δw = η·δ·x η = " + Number(0.35);
    QTest::newRow("forward") << "forwardTable"
                             << QStringList{"Neurona", "s = −w0 + Σ x·w", "e^(−s)", "y = 1 / (1 + e^(−s))", "|d − y|"};
    QTest::newRow("deltas") << "deltaTable"
                            << QStringList{"Neurona", "f′ = (1 − y)·y", "d − y", "Σ δ·w", "δ = f′ · (d − y | Σ δ·w)"};
    QTest::newRow("output weights") << "weightTable" << QStringList{"Neurona", "Peso", "w", "x", rate, "w + Δw"};
    QTest::newRow("hidden weights") << "hiddenWeightTable" << QStringList{"Neurona", "Peso", "w", "x", rate, "w + Δw"};
}

void WindowLearningTest::headersAreOneLineWhenCopiedAndExplained() {
    QFETCH(QString, table);
    QFETCH(QStringList, headers);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    driver.ShowTab(form.TabSheet6);
    driver.Click(Find<QPushButton>(form, "computeStepButton"));
    driver.Click(Find<QPushButton>(form, "copyStepButton"));
    const QStringList lines = QApplication::clipboard()->text().split('\n');
    auto* shown = Find<QTableWidget>(form, qPrintable(table));
    // The table's title, then its headers on one line, then its first row.
    const qsizetype title = lines.indexOf(shown->accessibleName());
    QVERIFY2(title >= 0, qPrintable(shown->accessibleName()));
    QCOMPARE(lines.value(title + 1), headers.join('\t'));
    QCOMPARE(lines.value(title + 2).split('\t').size(), headers.size());
    // Each header says what it is, and a key sits under the table.
    for (int c = 0; c < shown->columnCount(); ++c)
        QVERIFY2(!shown->horizontalHeaderItem(c)->toolTip().isEmpty(), qPrintable(headers[c]));
    QVERIFY(!Find<QLabel>(form, qPrintable(table + "Key"))->text().isEmpty());
}

void WindowLearningTest::tablesFitAtTheDefaultSize_data() {
    QTest::addColumn<int>("hidden");
    QTest::addColumn<int>("outputs");
    QTest::addColumn<int>("function");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<bool>("scrolls");
    // The tangent has the widest forward table; 2-4-2 the most rows that must
    // fit, also with the line an applied step adds.
    QTest::newRow("2-4-2 sigmoid") << 4 << 2 << 0 << false << false;
    QTest::newRow("2-4-2 tangent, applied") << 4 << 2 << 1 << true << false;
    QTest::newRow("2-3-2 tangent") << 3 << 2 << 1 << false << false;
    // Larger: the phase's own table scrolls, and nothing else.
    QTest::newRow("2-12-2 sigmoid") << 12 << 2 << 0 << false << true;
}

void WindowLearningTest::tablesFitAtTheDefaultSize() {
    QFETCH(int, hidden);
    QFETCH(int, outputs);
    QFETCH(int, function);
    QFETCH(bool, applied);
    QFETCH(bool, scrolls);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, hidden, outputs, 0, function);
    driver.AddPattern({"-0.123", "1.5"}, {"0.25", "-0.75"});
    driver.ShowTab(form.TabSheet6);
    driver.Click(Find<QPushButton>(form, applied ? "applyStepButton" : "computeStepButton"));
    QCOMPARE(Find<QLabel>(form, "stepResultLine")->isVisible(), applied);
    auto* steps = Find<StepView>(form, "stepView");
    QCOMPARE(steps->Phase(), 0);
    int scrolled = 0;
    for (const char* name : {"forwardTable", "deltaTable", "weightTable", "hiddenWeightTable"}) {
        QCoreApplication::processEvents();
        auto* table = Find<QTableWidget>(form, name);
        QVERIFY2(table->isVisible() && table->rowCount() > 0, name);
        const QString sizes = QString("%1: %2 x %3 px wanted, %4 x %5 shown")
                                  .arg(name)
                                  .arg(table->horizontalHeader()->length())
                                  .arg(table->verticalHeader()->length())
                                  .arg(table->viewport()->width())
                                  .arg(table->viewport()->height());
        QVERIFY2(table->horizontalScrollBar()->maximum() == 0, qPrintable(sizes));
        scrolled += table->verticalScrollBar()->maximum() > 0;
        if (!scrolls) QVERIFY2(table->verticalScrollBar()->maximum() == 0, qPrintable(sizes));
        driver.Click(Find<QPushButton>(form, "nextPhaseButton"));
    }
    QCOMPARE(steps->Phase(), 3);
    QCOMPARE(scrolled > 0, scrolls);
}

void WindowLearningTest::missingNetworkPatternsOrPatternAreSaidInTheView() {
    WindowDriver driver;
    TForm1& form = driver.form();
    auto* message = Find<QLabel>(form, "stepMessage");
    auto* forward = Find<QTableWidget>(form, "forwardTable");
    auto* compute = Find<QPushButton>(form, "computeStepButton");
    driver.ShowTab(form.TabSheet6);
    QVERIFY(message->isVisible() && message->text().startsWith("Aún no hay ninguna red"));
    QVERIFY(!forward->isVisible());

    driver.CreateNetwork(2, 2, 1);
    driver.ShowTab(form.TabSheet6);
    driver.Click(compute);
    QVERIFY(message->text().startsWith("La tabla de patrones está vacía"));
    QVERIFY(!forward->isVisible());

    driver.AddPattern({"0", "1"}, {"1"});
    driver.AddPattern({"1", "1"}, {"0"});
    driver.ShowTab(form.TabSheet6);
    driver.TypeInto(Find<QSpinBox>(form, "patternChooser"), "5");
    driver.Click(compute);
    QCOMPARE(message->text(), QString("No hay patrón 5: elija un patrón entre 1 y 2."));
    QCOMPARE(forward->rowCount(), 0);
    QCOMPARE(driver.errors.messages, QStringList{});

    driver.TypeInto(Find<QSpinBox>(form, "patternChooser"), "2");
    driver.Click(compute);
    QVERIFY(message->isHidden() && forward->isVisible());
}

void WindowLearningTest::identityNetworkShowsOnlyTheForwardPass() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 3, 1, 0, 2);
    QCOMPARE(form.RedNeuronal1.FuncionTransferencia(), ftIdentidad);
    auto* forward = Find<QTableWidget>(form, "forwardTable");
    driver.ShowTab(form.TabSheet6);
    driver.Click(Find<QPushButton>(form, "computeStepButton"));  // no pattern yet
    QCOMPARE(forward->rowCount(), 0);

    driver.AddPattern({"0.5", "2"}, {"1"});
    driver.ShowTab(form.TabSheet6);
    driver.Click(Find<QPushButton>(form, "computeStepButton"));
    QCOMPARE(forward->rowCount(), 6);
    QCOMPARE(forward->horizontalHeaderItem(2)->text(), QString("y = s"));
    QVERIFY(Find<QLabel>(form, "stepMessage")->isVisible());
    QVERIFY(Find<QLabel>(form, "stepMessage")->text().contains("no aprende"));
    QVERIFY(!Find<QTableWidget>(form, "weightTable")->isVisible());
}

QTEST_MAIN(WindowLearningTest)
#include "window_learning_test.moc"
