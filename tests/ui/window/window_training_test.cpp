// SPDX-License-Identifier: GPL-3.0-or-later
// The main window while a training run lasts: its controls are off and only
// "Stop" answers; an error inside a run still leaves the window usable.

#include "error_chart.h"
#include "flat_spin_edit_float.h"
#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "main_window.h"
#include "progress_window.h"
#include "window_driver.h"

#include <QApplication>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTabBar>
#include <QTimer>

class WindowTrainingTest : public QObject {
    Q_OBJECT

private slots:
    void onlyStopAnswersDuringARun();
    void progressLineCountsOnlyTheRunUnderWay();
    void errorInsideARunClosesTheProgressWindowBeforeTheErrorBox();
    void typedThresholdIsUsedAsTypedAndKeptAfterTheRun();
    void closingTheWindowDuringARunStopsItFirst();
    void newNetworkOrLoadClearsTheReadoutsOfTheNetworkBefore_data();
    void newNetworkOrLoadClearsTheReadoutsOfTheNetworkBefore();
};

namespace {

void LoadXor(WindowDriver& driver) {
    driver.CreateNetwork(2, 2, 1);
    driver.AddPattern({"0", "0"}, {"0.1"});
    driver.AddPattern({"0", "1"}, {"0.9"});
    driver.AddPattern({"1", "0"}, {"0.9"});
    driver.AddPattern({"1", "1"}, {"0.1"});
}

// Loads a 1-1-1 identity network with the given weights (hidden bias and
// weight, output bias and weight) and one pattern.
void LoadIdentity(WindowDriver& driver, const QStringList& weights, const QString& input, const QString& output) {
    driver.WriteFile("ident.rna", {"1", "1", "1", "0", "2", "1", input, output});
    driver.dialogs.answers << driver.WriteFile("ident.ren", QStringList{"1", "1", "1", "0", "2"} + weights);
    driver.ShowTab(driver.form().TabSheet1);
    driver.Click(driver.form().SpeedButton10);
    driver.ShowTab(driver.form().TabSheet3);
}

bool HasFocusWithin(QWidget* widget) {
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == widget || widget->isAncestorOf(focus));
}

// Runs `action` the first time the run processes its messages.
void AtFirstMessages(std::function<void()> action) { QTimer::singleShot(0, qApp, std::move(action)); }

}  // namespace

void WindowTrainingTest::onlyStopAnswersDuringARun() {
    WindowDriver driver;
    TForm1& form = driver.form();
    LoadXor(driver);
    driver.ShowTab(form.TabSheet3);
    driver.TypeInto(form.FlatSpinEditInteger4, "1000000");

    bool controlsOff = false;
    bool progressShown = false;
    AtFirstMessages([&] {
        controlsOff = !form.SpeedButton7->isEnabled() && !form.SpeedButton8->isEnabled() &&
                      form.PageControl1->tabBar()->isEnabled();
        progressShown = form.Form2 && form.Form2->isVisible();
        // "Reiniciar" and "Entrenar" would clear the chart and nest a second run.
        driver.Click(form.SpeedButton8);
        driver.Click(form.SpeedButton7);
        QTest::mouseClick(&form.Form2->HiperBoton2, Qt::LeftButton);
    });
    driver.Click(form.SpeedButton7);

    QVERIFY(controlsOff);
    QVERIFY(progressShown);
    QVERIFY(!form.Form2);
    QVERIFY(form.PageControl1->isEnabled());
    QCOMPARE(form.FlatSpinEditInteger5->Value(), 10000);
    QCOMPARE(form.Chart1->Store().Count(), 10000);
    QVERIFY(driver.errors.messages.isEmpty());
    // The count typed before the run is still there, with the focus.
    QCOMPARE(form.FlatSpinEditInteger4->Text(), QString("1000000"));
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QVERIFY(HasFocusWithin(form.FlatSpinEditInteger4));
}

void WindowTrainingTest::progressLineCountsOnlyTheRunUnderWay() {
    WindowDriver driver;
    TForm1& form = driver.form();
    LoadXor(driver);
    driver.ShowTab(form.TabSheet3);
    driver.TypeInto(form.FlatSpinEditInteger4, "20000");
    driver.Click(form.SpeedButton7);
    QCOMPARE(form.Chart1->Store().Count(), 20000);

    QVERIFY(QTest::qWaitForWindowActive(&form));
    driver.TypeInto(form.FlatSpinEditInteger4, "1000000");
    QString line;
    AtFirstMessages([&] {
        line = form.Form2->progressLine.text();
        QTest::mouseClick(&form.Form2->HiperBoton2, Qt::LeftButton);
    });
    driver.Click(form.SpeedButton7);
    // The first messages come within 10 000 iterations of this run; the
    // 20 000 of the run before are not counted again.
    QString digits = line.section(QLatin1Char(' '), 0, 0);
    digits.remove(QRegularExpression(QStringLiteral("\\D")));
    const int done = digits.toInt();
    QVERIFY2(done > 0 && done <= 10000, qPrintable(line));
}

void WindowTrainingTest::errorInsideARunClosesTheProgressWindowBeforeTheErrorBox() {
    WindowDriver driver;
    TForm1& form = driver.form();
    // 1E300 · 1E300 leaves the range of a double in the first iteration.
    LoadIdentity(driver, {"0", "1E300", "0", "1"}, "1E300", "1");
    QVERIFY(driver.errors.messages.isEmpty());

    bool progressClosed = false;
    bool controlsOn = false;
    double smallestShown = 0;
    driver.errors.onShow = [&] {
        progressClosed = !form.Form2;
        controlsOn = form.SpeedButton7->isEnabled();
        smallestShown = form.FlatSpinEditFloat2->Value();
    };
    driver.Click(form.SpeedButton7);

    QCOMPARE(driver.errors.messages, QStringList{"Floating point overflow."});
    QVERIFY(progressClosed);
    QVERIFY(controlsOn);
    // The statistics of the run were written before the box: no iteration
    // finished, so the smallest error is still the run's starting 1000.
    QCOMPARE(smallestShown, 1000.0);
    QVERIFY(QApplication::topLevelWidgets().count() >= 1);
    for (QWidget* window : QApplication::topLevelWidgets()) QVERIFY(window->objectName() != "Form2" || !window->isVisible());

    // The program goes on: a new network trains normally.
    LoadXor(driver);
    driver.ShowTab(form.TabSheet3);
    driver.Click(form.SpeedButton7);
    QCOMPARE(driver.errors.messages.size(), 1);
    QCOMPARE(form.FlatSpinEditInteger5->Value(), 1);
}

void WindowTrainingTest::typedThresholdIsUsedAsTypedAndKeptAfterTheRun() {
    WindowDriver driver;
    TForm1& form = driver.form();
    // Output 0 for an expected 1: every iteration's error is exactly 100, and
    // an identity network does not learn.
    LoadIdentity(driver, {"0", "1", "0", "0"}, "1", "1");
    driver.Click(form.FlatRadioButton2);
    QVERIFY(form.FlatSpinEditInteger9->isEnabled());
    QVERIFY(!form.FlatSpinEditInteger4->isEnabled());
    // 150 is outside the field's 1..100 but not yet confirmed: the run must
    // take it as typed (100 < 150 ends it after one iteration), not the
    // clamped 100, which no iteration would ever go below.
    driver.TypeInto(form.FlatSpinEditInteger9, "150");
    AtFirstMessages([&] {
        AtFirstMessages([&] {
            if (form.Form2) QTest::mouseClick(&form.Form2->HiperBoton2, Qt::LeftButton);
        });
    });
    driver.Click(form.SpeedButton7);
    QCOMPARE(form.FlatSpinEditInteger5->Value(), 1);
    QCOMPARE(form.FlatSpinEditFloat1->Value(), 100.0);
    QCOMPARE(form.FlatSpinEditInteger9->Text(), QString("150"));
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QVERIFY(HasFocusWithin(form.FlatSpinEditInteger9));
}

void WindowTrainingTest::closingTheWindowDuringARunStopsItFirst() {
    WindowDriver driver;
    TForm1& form = driver.form();
    LoadXor(driver);
    driver.ShowTab(form.TabSheet3);
    driver.TypeInto(form.FlatSpinEditInteger4, "1000000");
    bool stillShownDuringRun = false;
    AtFirstMessages([&] {
        form.close();
        stillShownDuringRun = form.isVisible();
    });
    driver.Click(form.SpeedButton7);
    QVERIFY(stillShownDuringRun);
    QCOMPARE(form.FlatSpinEditInteger5->Value(), 10000);
    QCoreApplication::processEvents();
    QVERIFY(!form.isVisible());
}

// What the training tab shows of the network before goes with it: a new
// network or a load clears the last run's largest and smallest error and
// outputs; the totals go too, except for a trained network loaded without
// its patterns, which keeps them.
void WindowTrainingTest::newNetworkOrLoadClearsTheReadoutsOfTheNetworkBefore_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("totalsAfter");
    QTest::newRow("new network") << 0 << 0;
    QTest::newRow("untrained load") << 1 << 0;
    QTest::newRow("trained load without patterns") << 2 << 5;
}

void WindowTrainingTest::newNetworkOrLoadClearsTheReadoutsOfTheNetworkBefore() {
    QFETCH(int, action);
    QFETCH(int, totalsAfter);
    WindowDriver driver;
    TForm1& form = driver.form();
    LoadXor(driver);
    driver.ShowTab(form.TabSheet3);
    driver.TypeInto(form.FlatSpinEditInteger4, "5");
    driver.Click(form.SpeedButton7);
    QCOMPARE(form.FlatSpinEditInteger5->Value(), 5);
    const double smallest = form.FlatSpinEditFloat2->Value();
    QVERIFY(smallest > 0 && smallest < 1000);
    QVERIFY(form.FloatGrid3->GetFloat(1, 1) != 0.0);
    QCOMPARE(form.Chart1->Store().Count(), 5);

    if (action == 0) {
        driver.CreateNetwork(2, 2, 1);
    } else if (action == 1) {
        driver.dialogs.answers << driver.WriteFile("xor.rna", {"2", "2", "1", "0", "0", "1", "0", "0", "0.1"});
        driver.Click(form.SpeedButton2);
    } else {
        driver.dialogs.answers << driver.WriteFile("solo.ren", {"2", "2", "1", "0", "0", "0.1", "0.2", "0.3", "0.4",
                                                              "0.5", "0.6", "0.7", "0.8", "0.9"});
        driver.Click(form.SpeedButton10);
    }
    QCOMPARE(driver.errors.messages, QStringList{});
    QCOMPARE(form.FlatSpinEditInteger5->Value(), totalsAfter);
    QCOMPARE(form.FlatSpinEditFloat1->Value(), 0.0);
    QCOMPARE(form.FlatSpinEditFloat2->Value(), 0.0);
    driver.ShowTab(form.TabSheet3);
    QCOMPARE(form.FloatGrid2->GetFloat(1, 1), 0.0);
    QCOMPARE(form.FloatGrid3->GetFloat(1, 1), 0.0);
    QCOMPARE(form.FloatGrid3->Cells(1, 0), QString());
    QCOMPARE(form.Chart1->Store().Count(), 0);
}

QTEST_MAIN(WindowTrainingTest)
#include "window_training_test.moc"
