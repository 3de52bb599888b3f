// "Cómo Aprende", "Paso a paso": the worked step shown is the core's, and
// "Aplicar Paso" trains exactly that step as one iteration.

#include "entrenamiento.h"
#include "error_chart.h"
#include "flat_spin_edit_integer.h"
#include "form1.h"
#include "numero_texto.h"
#include "regional_separators.h"
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

QString Number(double v) { return QString::fromStdString(TextoReal(v, RegionalDecimalSeparator())); }

QString Cell(QTableWidget* table, int row, int column) {
    const QTableWidgetItem* item = table->item(row, column);
    return item ? item->text() : QString();
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
    auto* deltas = Find<QTableWidget>(form, "deltaTable");
    auto* weights = Find<QTableWidget>(form, "weightTable");

    // Without a network the buttons do nothing.
    driver.ShowTab(form.TabSheet6);
    driver.Click(compute);
    driver.Click(apply);
    QCOMPARE(forward->rowCount(), 0);
    QCOMPARE(form.Chart1->Store().Count(), 0);

    driver.ShowTab(form.TabSheet1);
    driver.dialogs.answers << QStringLiteral(PERCEPTLAB_EXAMPLES_DIR "/xor.rna");
    driver.Click(form.SpeedButton2);
    driver.ShowTab(form.TabSheet6);
    driver.TypeInto(Find<QSpinBox>(form, "patternChooser"), "2");
    const WorkedStep step = ComputeWorkedStepOnPattern(form.Estado, form.RedNeuronal1, 2);
    QCOMPARE(step.inputs, (std::vector<double>{0, 1}));
    driver.Click(compute);

    // Hidden neurons 1, 2, then the output neuron: s, e^(−s), y.
    QCOMPARE(forward->rowCount(), 3);
    for (int r = 0; r < 3; ++r) {
        const ForwardValues& v = r < 2 ? step.hidden[static_cast<std::size_t>(r)] : step.output[0];
        QCOMPARE(Cell(forward, r, 1), Number(v.sum));
        QCOMPARE(Cell(forward, r, 2), Number(v.expMinus));
        QCOMPARE(Cell(forward, r, 3), Number(v.output));
    }
    QCOMPARE(deltas->rowCount(), 3);
    QCOMPARE(Cell(deltas, 0, 3), Number(step.outputDeltas[0].delta));
    QCOMPARE(Cell(deltas, 2, 2), Number(step.hiddenDeltas[1].error));
    QCOMPARE(weights->rowCount(), 9);
    for (int r = 0; r < 9; ++r) {
        const WeightChange& c = step.weights[static_cast<std::size_t>(r)];
        QCOMPARE(Cell(weights, r, 2), Number(c.oldWeight));
        QCOMPARE(Cell(weights, r, 3), Number(c.input));
        QCOMPARE(Cell(weights, r, 4), Number(c.change));
        QCOMPARE(Cell(weights, r, 5), Number(c.newWeight));
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
        const TCapaNeuronal& layer = c.layer == StepLayer::Hidden ? form.RedNeuronal1.CapaOculta : form.RedNeuronal1.CapaSalida;
        QCOMPARE(layer.Neuronas[c.neuron].Pesos[static_cast<std::size_t>(c.index)], c.newWeight);
    }
    QCOMPARE(form.Chart1->Store().Count(), 1);
    QCOMPARE(form.FlatSpinEditInteger5->Value(), cycles + 1);
    QCOMPARE(Cell(weights, 8, 5), Number(last.newWeight));

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
    driver.ShowTab(form.TabSheet6);
    driver.Click(Find<QPushButton>(form, "computeStepButton"));  // no pattern yet
    QCOMPARE(Find<QTableWidget>(form, "forwardTable")->rowCount(), 0);

    driver.AddPattern({"0.5", "2"}, {"1"});
    driver.ShowTab(form.TabSheet6);
    driver.Click(Find<QPushButton>(form, "computeStepButton"));
    QCOMPARE(Find<QTableWidget>(form, "forwardTable")->rowCount(), 4);
    QCOMPARE(Find<QTableWidget>(form, "forwardTable")->horizontalHeaderItem(2)->text(), QString("y = s"));
    QVERIFY(Find<QLabel>(form, "noLearningLabel")->isVisible());
    QVERIFY(Find<QLabel>(form, "noLearningLabel")->text().contains("no aprende"));
    QVERIFY(!Find<QTableWidget>(form, "weightTable")->isVisible());
}

QTEST_MAIN(WindowLearningTest)
#include "window_learning_test.moc"
