// SPDX-License-Identifier: GPL-3.0-or-later
// "Cómo Aprende", "Paso a paso": the worked step shown is the core's, and
// "Aplicar Paso" trains exactly that step as one iteration.

#include "error_chart.h"
#include "flat_spin_edit_integer.h"
#include "main_window.h"
#include "number_texts.h"
#include "regional_separators.h"
#include "training_run.h"
#include "window_driver.h"

#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

class WindowLearningTest : public QObject {
    Q_OBJECT

private slots:
    void stepOnXorPatternTwoIsTheCoresAndApplies();
    void identityNetworkShowsOnlyTheForwardPass();
};

namespace {

QString Number(double v) { return FileNumberText(v); }

// The texts of a row from column `first` on.
QStringList Texts(QTableWidget* table, int row, int first) {
    QStringList texts;
    for (int c = first; c < table->columnCount(); ++c) texts << (table->item(row, c) ? table->item(row, c)->text() : "");
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

    // Hidden neurons 1, 2, then the output neuron: s, e^(−s), y.
    QCOMPARE(forward->rowCount(), 3);
    for (int r = 0; r < 3; ++r) {
        const ForwardValues& v = r < 2 ? step.hidden[static_cast<std::size_t>(r)] : step.output[0];
        QCOMPARE(Texts(forward, r, 1), (QStringList{Number(v.sum), Number(v.expMinus), Number(v.output)}));
    }
    // The output delta, then the hidden ones: f′, d − o or Σ δo·w, δ.
    const DeltaValues& d = step.hiddenDeltas[1];
    QCOMPARE(Texts(Find<QTableWidget>(form, "deltaTable"), 2, 1), (QStringList{Number(d.derivative), Number(d.error), Number(d.delta)}));
    QCOMPARE(weights->rowCount(), 9);
    for (int r = 0; r < 9; ++r) {
        const WeightChange& c = step.weights[static_cast<std::size_t>(r)];
        QCOMPARE(Texts(weights, r, 2),
                 (QStringList{Number(c.oldWeight), Number(c.input), Number(c.change), Number(c.newWeight)}));
    }
    // The last row: hidden neuron 2's weight on input 2, which is 1.
    QTest::mouseClick(weights->viewport(), Qt::LeftButton, {}, weights->visualItemRect(weights->item(8, 0)).center());
    const WeightChange& last = step.weights[8];
    // A negative factor is shown in parentheses.
    const auto factor = [](double v) { return v < 0 ? "(" + Number(v) + ")" : Number(v); };
    QCOMPARE(Find<QLabel>(form, "weightComputation")->text(),
             QString("Oculta 2, w2: Δw = η·δ·x = %1 · %2 · 1 = %3;  w + Δw = %4 + %5 = %6")
                 .arg(Number(0.35), factor(step.hiddenDeltas[1].delta), Number(last.change), Number(last.oldWeight),
                      factor(last.change), Number(last.newWeight)));

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
    QCOMPARE(Texts(weights, 8, 5), QStringList{Number(last.newWeight)});

    // Another network: the step shown no longer holds.
    driver.ShowTab(form.TabSheet3);
    driver.Click(form.SpeedButton8);
    driver.ShowTab(form.TabSheet6);
    QCOMPARE(weights->rowCount(), 0);
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
    QCOMPARE(forward->rowCount(), 4);
    QCOMPARE(forward->horizontalHeaderItem(2)->text(), QString("y = s"));
    QVERIFY(Find<QLabel>(form, "noLearningLabel")->isVisible());
    QVERIFY(Find<QLabel>(form, "noLearningLabel")->text().contains("no aprende"));
    QVERIFY(!Find<QTableWidget>(form, "weightTable")->isVisible());
}

QTEST_MAIN(WindowLearningTest)
#include "window_learning_test.moc"
