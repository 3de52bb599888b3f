// SPDX-License-Identifier: GPL-3.0-or-later
// The training tab driven through the real window: runs, their totals and
// chart points, "Stop" while a run processes messages, "Reiniciar", the
// error criteria, the output grids and the clean-up after a failed run.

#include "chart_curve.h"
#include "error_chart.h"
#include "flat_spin_edit_float.h"
#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "main_window.h"
#include "network_diagram.h"
#include "network_snapshot.h"
#include "progress_window.h"
#include "window_driver.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QGroupBox>
#include <QMouseEvent>
#include <QtCharts/QChart>
#include <QRegularExpression>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QtCharts/QLineSeries>

#include <cmath>
#include <vector>

namespace {

using Point = EnvelopeStore::Point;

// The offscreen platform activates every window it shows, the progress window
// too, and leaves none active once that closes; a person's desktop keeps the
// main window active. Typing after a run needs it active again.
void Reactivate(TForm1& form) {
    QApplication::setActiveWindow(&form);
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

// Every point the chart holds; exact while the store has not merged buckets.
std::vector<Point> ChartPoints(TForm1& form) {
    const EnvelopeStore& store = form.Chart1->Store();
    std::vector<Point> points;
    if (store.Count() > 0) {
        store.Envelope(0, static_cast<double>(store.Count() - 1), static_cast<int>(store.Count()), points);
    }
    return points;
}

// The read-outs show 8 significant digits.
bool SameShown(double shown, double exact) {
    return std::abs(shown - exact) <= 1e-7 * std::max(1.0, std::abs(exact));
}

std::vector<double> Weights(TRedNeuronal& network) {
    std::vector<double> weights;
    for (TCapaNeuronal* layer : {&network.CapaOculta, &network.CapaSalida}) {
        for (int j = 1; j <= layer->NumeroNeuronas(); ++j) {
            for (int k = 0; k <= layer->NumeroEntradas(); ++k) weights.push_back(layer->Neuronas[j].Pesos[k]);
        }
    }
    return weights;
}

}  // namespace

class TrainingTabTest : public QObject {
    Q_OBJECT

private slots:
    void oneCycleRunGivesOnePointAtZero();
    void secondRunContinuesTheChart();
    void stopClickedWhileARunProcessesMessages();
    void cycleCountChangedWhileMessagesAreProcessedTakesEffect();
    void errorCriterionEndsOnTheFirstIterationBelowTheThreshold_data();
    void errorCriterionEndsOnTheFirstIterationBelowTheThreshold();
    void resetResetsTrainingButKeepsPatternsAndCriterion();
    void outputGridsAreShapedForTheOutputCount();
    void reenteringTheTabKeepsTheGridsAndTheirPattern();
    void viewsAreReachableDuringARunWhatActsIsNot();
    void chartReadOutIsClearOfTheButtonsOverTheChart();
    void failedRunClosesProgressAndWritesItsStatisticsBeforeTheErrorBox();
    void chartImageIsSavedAsPngThroughTheSaveDialog();
    void epochErrorsGoToTheChartAndTheExport_data();
    void epochErrorsGoToTheChartAndTheExport();
};

void TrainingTabTest::oneCycleRunGivesOnePointAtZero() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    QCOMPARE(form.FlatSpinEditInteger4->Value(), 1);
    driver.Click(form.SpeedButton7);

    const std::vector<Point> points = ChartPoints(form);
    QCOMPARE(points.size(), std::size_t{1});
    QCOMPARE(points[0].x, 0);
    QCOMPARE(form.FlatSpinEditInteger5->Value(), 1);
    QCOMPARE(form.FlatSpinEditFloat1->Value(), form.FlatSpinEditFloat2->Value());
    QVERIFY(SameShown(form.FlatSpinEditFloat1->Value(), points[0].y));
    form.Chart1->Draw();
    QCOMPARE(form.Chart1->Series1()->count(), 1);
    QCOMPARE(form.Chart1->Series1()->at(0).x(), 0.0);
    // The run is over: no progress window, the window answers again.
    QVERIFY(!form.Form2);
    QVERIFY(form.PageControl1->isEnabled());
}

void TrainingTabTest::secondRunContinuesTheChart() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    driver.TypeInto(form.FlatSpinEditInteger4, "5");
    driver.Click(form.SpeedButton7);
    driver.Click(form.SpeedButton7);

    const std::vector<Point> points = ChartPoints(form);
    QCOMPARE(points.size(), std::size_t{10});
    for (std::size_t i = 0; i < points.size(); ++i) QCOMPARE(points[i].x, static_cast<std::int64_t>(i));
    QCOMPARE(form.FlatSpinEditInteger5->Value(), 10);
    // The error fields describe the second run alone.
    double highest = 0.0;
    double lowest = 1000.0;
    for (std::size_t i = 5; i < 10; ++i) {
        highest = std::max(highest, points[i].y);
        lowest = std::min(lowest, points[i].y);
    }
    QVERIFY(SameShown(form.FlatSpinEditFloat1->Value(), highest));
    QVERIFY(SameShown(form.FlatSpinEditFloat2->Value(), lowest));
    form.Chart1->Draw();
    QCOMPARE(form.Chart1->Series1()->count(), 10);
    QCOMPARE(form.Chart1->Series1()->at(9).x(), 9.0);
}

void TrainingTabTest::stopClickedWhileARunProcessesMessages() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    driver.TypeInto(form.FlatSpinEditInteger4, "1000000");

    bool clicked = false;
    bool mainWindowOff = false;
    QString progress;
    int bar = 0;
    // Posted now, handled only when the run processes its messages.
    QTimer::singleShot(20, &form, [&] {
        QVERIFY(form.Form2);
        QVERIFY(form.Form2->isVisible());
        mainWindowOff = !form.SpeedButton7->isEnabled() && !form.SpeedButton8->isEnabled();
        progress = form.Form2->progressLine.text();
        bar = form.Form2->progressBar.width();
        QTest::mouseClick(&form.Form2->HiperBoton2, Qt::LeftButton);
        clicked = true;
    });
    driver.Click(form.SpeedButton7);

    QVERIFY(clicked);
    QVERIFY(mainWindowOff);
    // The progress window told how far the run was: the iterations made
    // before a pump, some 10000s less the one about to be made, of the million.
    const QString group = driver.Regional(".") == "." ? "," : ".";
    const QString g = QRegularExpression::escape(group);
    const QRegularExpression shape("^([0-9" + g + "]+) de 1" + g + "000" + g + "000 iteraciones$");
    const QRegularExpressionMatch match = shape.match(progress);
    QVERIFY2(match.hasMatch(), qPrintable(progress));
    const qlonglong shown = match.captured(1).remove(group).toLongLong();
    QVERIFY2(shown > 0 && (shown + 1) % 10'000 == 0, qPrintable(progress));
    QVERIFY(bar > 0 && bar < 338);
    const std::int64_t made = form.FlatSpinEditInteger5->Value();
    QVERIFY(made > 0);
    QVERIFY(made < 1'000'000);
    QCOMPARE(made % 10'000, 0);
    QCOMPARE(form.Chart1->Store().Count(), made);
    QVERIFY(!form.Form2);
    QVERIFY(form.PageControl1->isEnabled());
    // The next run starts without a stop request.
    Reactivate(form);
    driver.TypeInto(form.FlatSpinEditInteger4, "3");
    driver.Click(form.SpeedButton7);
    QCOMPARE(form.FlatSpinEditInteger5->Value(), made + 3);
}

void TrainingTabTest::cycleCountChangedWhileMessagesAreProcessedTakesEffect() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    driver.TypeInto(form.FlatSpinEditInteger4, "1000000");
    // Handled at the first processing of messages, after iteration 10000.
    QTimer::singleShot(0, &form, [&] { form.FlatSpinEditInteger4->SetValue(20'000); });
    driver.Click(form.SpeedButton7);
    QCOMPARE(form.FlatSpinEditInteger5->Value(), 20'000);
    QCOMPARE(form.Chart1->Store().Count(), 20'000);
}

void TrainingTabTest::errorCriterionEndsOnTheFirstIterationBelowTheThreshold_data() {
    QTest::addColumn<int>("criterion");
    QTest::addColumn<int>("threshold");
    QTest::newRow("Error Máx<= 50") << 2 << 50;
    QTest::newRow("Error Máx<= 100") << 2 << 100;
    QTest::newRow("Error Mín<= 50") << 3 << 50;
    QTest::newRow("Error Mín<= 30") << 3 << 30;
}

void TrainingTabTest::errorCriterionEndsOnTheFirstIterationBelowTheThreshold() {
    QFETCH(int, criterion);
    QFETCH(int, threshold);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    QRadioButton* button = criterion == 2 ? form.FlatRadioButton2 : form.FlatRadioButton3;
    TFlatSpinEditInteger* field = criterion == 2 ? form.FlatSpinEditInteger9 : form.FlatSpinEditInteger10;
    driver.Click(button);
    QVERIFY(field->isEnabled());
    QVERIFY(!form.FlatSpinEditInteger4->isEnabled());
    driver.TypeInto(field, QString::number(threshold));
    driver.Click(form.SpeedButton7);

    const std::vector<Point> points = ChartPoints(form);
    QVERIFY(!points.empty());
    QCOMPARE(static_cast<std::int64_t>(points.size()), form.Chart1->Store().Count());
    QCOMPARE(form.FlatSpinEditInteger5->Value(), static_cast<std::int32_t>(points.size()));
    QVERIFY(points.back().y < threshold);
    for (std::size_t i = 0; i + 1 < points.size(); ++i) QVERIFY(points[i].y >= threshold);
}

void TrainingTabTest::resetResetsTrainingButKeepsPatternsAndCriterion() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    driver.TypeInto(form.FlatSpinEditInteger4, "200");
    driver.Click(form.SpeedButton7);
    Reactivate(form);
    driver.Click(form.FlatRadioButton2);
    driver.TypeInto(form.FlatSpinEditInteger9, "40");
    const std::vector<double> weightsBefore = Weights(form.RedNeuronal1);
    const PatternTable inputsBefore = form.workState.EntradasPatrones;
    QVERIFY(form.FloatGrid3->GetFloat(1, 1) != 0.0);

    driver.Click(form.SpeedButton8);

    QCOMPARE(form.Chart1->Store().Count(), 0);
    QCOMPARE(form.Chart1->Series1()->count(), 0);
    QVERIFY(Weights(form.RedNeuronal1) != weightsBefore);
    QCOMPARE(form.FlatSpinEditInteger5->Value(), 0);
    QCOMPARE(form.FlatSpinEditInteger6->Value(), 0);
    QCOMPARE(form.FlatSpinEditFloat1->Value(), 0.0);
    QCOMPARE(form.FlatSpinEditFloat2->Value(), 0.0);
    QCOMPARE(form.FlatSpinEditInteger4->Value(), 1);
    QCOMPARE(form.FlatSpinEditInteger9->Value(), 1);
    QCOMPARE(form.FlatSpinEditInteger10->Value(), 1);
    for (TFloatGrid* grid : {form.FloatGrid2, form.FloatGrid3}) {
        QCOMPARE(grid->Cells(0, 1), QString("Salida 1"));
        QCOMPARE(grid->GetFloat(1, 1), 0.0);
    }
    // Kept: the patterns, the chosen criterion and which field is editable.
    QCOMPARE(form.workState.NumeroPatrones, 4);
    QVERIFY(form.workState.EntradasPatrones == inputsBefore);
    QVERIFY(form.FlatRadioButton2->isChecked());
    QVERIFY(form.FlatSpinEditInteger9->isEnabled());
    QVERIFY(!form.FlatSpinEditInteger4->isEnabled());
    QVERIFY(!form.FlatSpinEditInteger10->isEnabled());
}

void TrainingTabTest::outputGridsAreShapedForTheOutputCount() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(2, 2, 3);
    driver.ShowTab(form.TabSheet3);
    for (TFloatGrid* grid : {form.FloatGrid2, form.FloatGrid3}) {
        QCOMPARE(grid->RowCount(), 4);
        QCOMPARE(grid->Cells(0, 0), QString("Salidas"));
        QCOMPARE(grid->Cells(1, 0), QString());
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(grid->Cells(0, i), QString("Salida %1").arg(i));
            QCOMPARE(grid->GetFloat(1, i), 0.0);
        }
    }
}

void TrainingTabTest::reenteringTheTabKeepsTheGridsAndTheirPattern() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    driver.TypeInto(form.FlatSpinEditInteger4, "50");
    driver.Click(form.SpeedButton7);
    const double expected = form.FloatGrid2->GetFloat(1, 1);
    QVERIFY(expected == 0.1 || expected == 0.9);
    const double obtained = form.FloatGrid3->GetFloat(1, 1);
    QVERIFY(obtained != 0.0);
    // The heading names the pattern, whose expected output is the one shown.
    const QString heading = form.FloatGrid2->Cells(1, 0);
    QVERIFY2(heading.startsWith("Patrón "), qPrintable(heading));
    QCOMPARE(form.FloatGrid3->Cells(1, 0), heading);
    const int p = heading.mid(7).toInt();
    QCOMPARE(form.workState.SalidasPatrones[static_cast<std::size_t>(p)][1], expected);
    const QString totals = form.FlatSpinEditInteger5->Text();
    const QString highest = form.FlatSpinEditFloat1->Text();
    const QString lowest = form.FlatSpinEditFloat2->Text();

    driver.ShowTab(form.TabSheet2);
    driver.ShowTab(form.TabSheet3);

    QCOMPARE(form.FloatGrid2->GetFloat(1, 1), expected);
    QCOMPARE(form.FloatGrid3->GetFloat(1, 1), obtained);
    QCOMPARE(form.FloatGrid2->Cells(1, 0), heading);
    QCOMPARE(form.FloatGrid3->Cells(0, 1), QString("Salida 1"));
    QCOMPARE(form.FlatSpinEditInteger5->Text(), totals);
    QCOMPARE(form.FlatSpinEditFloat1->Text(), highest);
    QCOMPARE(form.FlatSpinEditFloat2->Text(), lowest);
    QCOMPARE(form.Chart1->Store().Count(), 50);

    // A new network: what was shown belonged to the network before.
    driver.CreateNetwork(2, 2, 1);
    driver.ShowTab(form.TabSheet3);
    QCOMPARE(form.FloatGrid2->GetFloat(1, 1), 0.0);
    QCOMPARE(form.FloatGrid3->GetFloat(1, 1), 0.0);
    QCOMPARE(form.FloatGrid2->Cells(1, 0), QString());
    QCOMPARE(form.FlatSpinEditFloat1->Value(), 0.0);
    QCOMPARE(form.FlatSpinEditFloat2->Value(), 0.0);
}

// While a run lasts the learner can look: the tabs, the chart, and "Cómo
// Aprende" with its views and choosers, a view brought to the front showing
// the run at once. What changes the network, the patterns or the run's
// settings, or opens a dialog, stays off, and is back as it was afterwards.
void TrainingTabTest::viewsAreReachableDuringARunWhatActsIsNot() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    driver.TypeInto(form.FlatSpinEditInteger4, "1000000");
    auto* views = form.findChild<QTabWidget*>(QStringLiteral("learningViews"));
    auto* diagram = form.findChild<NetworkDiagram*>(QStringLiteral("networkDiagram"));
    QVERIFY(views && diagram);
    const QList<QWidget*> acting{form.SpeedButton7,          form.SpeedButton8,  form.SpeedButton11,
                                 form.SpeedButton1,          form.SpeedButton2,  form.SpeedButton3,
                                 form.FlatSpinEditInteger4,  form.FlatRadioButton2, form.FloatGrid1,
                                 form.chartOptions,          form.saveChartImage};
    const QStringList lookers{"patternChooser", "decimalsChooser", "neuronFilter", "diagramPatternChooser",
                              "outputChooser"};
    const QStringList actingViews{"computeStepButton", "applyStepButton", "saveViewImage"};
    bool looked = false;
    QTimer::singleShot(0, &form, [&] {
        QTabBar* tabs = form.PageControl1->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(form.PageControl1->indexOf(form.TabSheet6)).center());
        QCOMPARE(form.PageControl1->currentWidget(), form.TabSheet6);
        QTabBar* inner = views->tabBar();
        QTest::mouseClick(inner, Qt::LeftButton, {}, inner->tabRect(views->indexOf(diagram)).center());
        QCOMPARE(views->currentWidget(), static_cast<QWidget*>(diagram));
        QCOMPARE(diagram->Snapshot().hiddenWeights, TakeSnapshot(form.RedNeuronal1).hiddenWeights);
        for (const QString& name : lookers) QVERIFY2(form.findChild<QWidget*>(name)->isEnabled(), qPrintable(name));
        for (const QString& name : actingViews) QVERIFY2(!form.findChild<QWidget*>(name)->isEnabled(), qPrintable(name));
        for (QWidget* control : acting) QVERIFY2(!control->isEnabled(), qPrintable(control->objectName()));
        QVERIFY(form.Chart1->isEnabled());
        QVERIFY(form.FlatMemo1->isEnabled());
        QTest::mouseClick(&form.Form2->HiperBoton2, Qt::LeftButton);
        looked = true;
    });
    driver.Click(form.SpeedButton7);

    QVERIFY(looked);
    QCOMPARE(form.FlatSpinEditInteger5->Value() % 10'000, 0);
    QVERIFY(form.FlatSpinEditInteger5->Value() < 1'000'000);
    for (QWidget* control : acting) QVERIFY2(control->isEnabled(), qPrintable(control->objectName()));
    for (const QString& name : actingViews) QVERIFY2(form.findChild<QWidget*>(name)->isEnabled(), qPrintable(name));
    // Off before the run (its criterion is not chosen), off after it.
    QVERIFY(!form.FlatSpinEditInteger9->isEnabled());
}

// "Opciones" and "Guardar Imagen" lie over the chart's top corners; the
// read-out under the pointer never goes beneath them, at any size.
void TrainingTabTest::chartReadOutIsClearOfTheButtonsOverTheChart() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    driver.TypeInto(form.FlatSpinEditInteger4, "2000");
    driver.Click(form.SpeedButton7);
    auto* readOut = form.Chart1->findChild<QLabel*>(QStringLiteral("chartReadOut"));
    QVERIFY(readOut);
    for (const QSize size : {QSize(631, 434), QSize(1280, 994)}) {
        form.resize(size);
        form.Chart1->Draw();
        const QRectF plot = form.Chart1->chart()->plotArea();
        for (const double fx : {0.1, 0.5, 0.9}) {
            const QPoint at = form.Chart1->mapFromScene(form.Chart1->chart()->mapToScene(
                QPointF(plot.left() + fx * plot.width(), plot.top() + 4)));
            QMouseEvent move(QEvent::MouseMove, at, form.Chart1->viewport()->mapToGlobal(at), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(form.Chart1->viewport(), &move);
            QVERIFY(readOut->isVisible());
            const QRect shown(readOut->mapTo(form.GroupBox8, QPoint(0, 0)), readOut->size());
            for (const QWidget* button : {form.chartOptions, form.saveChartImage})
                QVERIFY2(!shown.intersects(button->geometry()), qPrintable(button->objectName()));
        }
    }
}

void TrainingTabTest::failedRunClosesProgressAndWritesItsStatisticsBeforeTheErrorBox() {
    WindowDriver driver;
    TForm1& form = driver.form();
    // An identity network whose outputs overflow on the first huge pattern.
    driver.CreateNetwork(1, 1, 1, 0, 2);
    driver.AddPattern({"1"}, {"1"});
    form.workState.EntradasPatrones[1][1] = 1e300;
    form.RedNeuronal1.CapaOculta.Neuronas[1].Pesos[1] = 1e300;
    driver.ShowTab(form.TabSheet3);
    driver.TypeInto(form.FlatSpinEditInteger4, "10");

    bool progressOpen = true;
    bool windowOff = true;
    std::int32_t totalsShown = -1;
    driver.errors.onShow = [&] {
        progressOpen = static_cast<bool>(form.Form2);
        windowOff = !form.SpeedButton7->isEnabled();
        totalsShown = form.FlatSpinEditInteger5->Value();
    };
    driver.Click(form.SpeedButton7);

    QCOMPARE(driver.errors.messages, QStringList{"Floating point overflow."});
    QVERIFY(!progressOpen);
    QVERIFY(!windowOff);
    QCOMPARE(totalsShown, 0);
    QCOMPARE(form.FlatSpinEditFloat1->Value(), 0.0);
    QCOMPARE(form.FlatSpinEditFloat2->Value(), 1000.0);
}

void TrainingTabTest::chartImageIsSavedAsPngThroughTheSaveDialog() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    form.FlatSpinEditInteger4->SetValue(50);
    driver.Click(form.SpeedButton7);
    Reactivate(form);
    form.Chart1->Draw();

    const QString path = driver.Path("gráfica.png");
    driver.dialogs.answers << path;
    driver.Click(form.saveChartImage);
    QCOMPARE(driver.dialogs.asked.size(), 1);
    QCOMPARE(driver.dialogs.asked[0].mode, FileDialogRequest::Mode::Save);
    QCOMPARE(driver.dialogs.asked[0].filter, QStringLiteral("*.png"));
    QCOMPARE(driver.dialogs.asked[0].defaultSuffix, QStringLiteral("png"));
    const QByteArray bytes = driver.ReadFile(path);
    QVERIFY(bytes.startsWith("\x89PNG"));
    const QImage saved = QImage::fromData(bytes, "PNG");
    QCOMPARE(saved.size(), form.Chart1->grab().size());
    QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), form.Chart1->grab().toImage().convertToFormat(QImage::Format_RGB32));
    QVERIFY(driver.errors.messages.isEmpty());

    // A folder that does not exist: the error box, nothing written.
    const QString missing = driver.Path("no/such/folder/gráfica.png");
    driver.dialogs.answers << missing;
    driver.Click(form.saveChartImage);
    QCOMPARE(driver.errors.messages, QStringList{"Cannot create file " + missing + "."});
    // Cancelled: nothing asked of the error box.
    driver.Click(form.saveChartImage);
    QCOMPARE(driver.errors.messages.size(), 1);
}

// "Error por época" on: each run's epochs go to the chart at the window's
// iteration numbers, the test curve only with test patterns, a kept run
// keeps them, and "Exportar serie CSV" writes the run's epochs, one row each.
void TrainingTabTest::epochErrorsGoToTheChartAndTheExport_data() {
    QTest::addColumn<bool>("withTest");
    QTest::addColumn<bool>("keep");
    QTest::newRow("test patterns") << true << false;
    QTest::newRow("no test patterns") << false << false;
    QTest::newRow("test patterns, run kept") << true << true;
}

void TrainingTabTest::epochErrorsGoToTheChartAndTheExport() {
    QFETCH(bool, withTest);
    QFETCH(bool, keep);
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    if (withTest) {
        // The training patterns again, shifted: a test set of 4.
        form.workState.TestPatternCount = 4;
        for (int p = 1; p <= 4; ++p) {
            for (int i = 1; i <= 2; ++i) form.workState.TestInputs[p][i] = form.workState.EntradasPatrones[p][i] + 0.05;
            form.workState.TestOutputs[p][1] = form.workState.SalidasPatrones[p][1];
        }
    }
    QVERIFY(!form.epochErrors->isChecked());
    QVERIFY(form.epochErrors->toolTip().contains("½·Σ(d − y)²"));
    form.epochErrors->trigger();
    QVERIFY(form.Chart1->toolTip().contains("½·Σ(d − y)²"));
    driver.TypeInto(form.FlatSpinEditInteger4, "400");
    driver.Click(form.SpeedButton7);
    std::int64_t start = 0;
    if (keep) {
        form.keepCurve->trigger();
        Reactivate(form);
        driver.Click(form.SpeedButton7);
        start = 400;
        form.Chart1->Draw();
        QCOMPARE(form.Chart1->chart()->findChild<QLineSeries*>("keptTrainingSeries")->count(), 100);
    }
    const std::vector<ChartCurve::EpochPoint>& training = form.Chart1->TrainingEpochs().EpochPoints();
    QCOMPARE(training.size(), 100U);
    QCOMPARE(training.front().x, start + 3);  // after the run's 4th iteration, which the chart numbers 3
    QCOMPARE(training.back().x, start + 399);
    QCOMPARE(training.back().epoch, 100);
    QCOMPARE(form.Chart1->TestEpochs().EpochPoints().size(), withTest ? 100U : 0U);
    form.Chart1->Draw();
    QCOMPARE(form.Chart1->Series1()->count(), 0);

    driver.dialogs.answers << driver.Path("epocas.csv");
    form.exportSeriesCsv->trigger();
    const QString text = QString::fromUtf8(driver.ReadFile(driver.Path("epocas.csv")));
    QStringList records = text.split("\r\n");
    QCOMPARE(records.size(), 1 + 100 + 1);  // the last break ends the last record
    const QChar separator = text.contains(';') ? ';' : ',';
    const auto cells = [&](const QString& record) { return QString(record).remove('"').split(separator); };
    const QStringList header = cells(records[0]);
    QCOMPARE(header.size(), 4);
    QCOMPARE(header[0], QStringLiteral("Época"));
    QCOMPARE(header[1], QStringLiteral("Iteración"));
    QVERIFY(header[2].startsWith("Error de entrenamiento") && header[2].contains("½·Σ(d − y)²"));
    QVERIFY(header[3].startsWith("Error de prueba"));
    const QStringList first = cells(records[1]);
    QCOMPARE(first[0], QStringLiteral("1"));
    QCOMPARE(first[1], QString::number(start + 4));  // counted from 1, as the tab's total
    QCOMPARE(QString(first[2]).replace(',', '.').toDouble(), training.front().y);
    QCOMPARE(first[3].isEmpty(), !withTest);
    if (withTest)
        QCOMPARE(QString(first[3]).replace(',', '.').toDouble(), form.Chart1->TestEpochs().EpochPoints().front().y);
    QCOMPARE(cells(records[100])[0], QStringLiteral("100"));
    QCOMPARE(driver.errors.messages, QStringList{});
}

QTEST_MAIN(TrainingTabTest)
#include "training_tab_test.moc"
