// SPDX-License-Identifier: GPL-3.0-or-later
// "Cómo Aprende", "Red" and "Mapa de decisión" in the real window: they
// follow a run without changing it, and "Guardar Imagen" saves the view in
// front.

#include "confusion_view.h"
#include "decision_map.h"
#include "error_chart.h"
#include "flat_spin_edit_integer.h"
#include "learning_choices.h"
#include "learning_tab.h"
#include "main_window.h"
#include "network_diagram.h"
#include "number_texts.h"
#include "results_view.h"
#include "step_view.h"
#include "random_generator.h"
#include "window_driver.h"

#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QTableWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <bit>
#include <cmath>
#include <utility>
#include <vector>

namespace {

// The weights, the last outputs and the generator's state, as bits.
std::vector<std::uint64_t> RunResult(TForm1& form) {
    std::vector<std::uint64_t> bits{RandomGenerator::State()};
    const NetworkSnapshot s = TakeSnapshot(form.RedNeuronal1);
    for (const auto* rows : {&s.hiddenWeights, &s.outputWeights})
        for (const auto& row : *rows)
            for (double w : row) bits.push_back(std::bit_cast<std::uint64_t>(w));
    for (int o = 1; o <= 1; ++o) bits.push_back(std::bit_cast<std::uint64_t>(form.RedNeuronal1.SalidasObtenidas[o]));
    return bits;
}

LearningTab& Tab(TForm1& form) { return *form.findChild<LearningTab*>(QStringLiteral("learningTab")); }

void ShowView(TForm1& form, QWidget* view) {
    form.findChild<QTabWidget*>(QStringLiteral("learningViews"))->setCurrentWidget(view);
}

}  // namespace

class WindowLearningViewsTest : public QObject {
    Q_OBJECT

private slots:
    void viewsFollowARunWithoutChangingIt();
    void saveImageSavesTheViewInFront();
    void resultsGiveEachPatternAgainstTheThreshold();
    void viewsAndChartFollowADarkPalette();
    void fourInputMapIsPropagarsWithTheHeldValues();
};

void WindowLearningViewsTest::viewsFollowARunWithoutChangingIt() {
    RandomGenerator::SetClock([] { return TimeOfDay{14, 30, 0, 250}; });
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();

    // The run with the training tab in front ("Reiniciar" sets the cycles to 1).
    driver.Click(form.SpeedButton8);
    form.FlatSpinEditInteger4->SetValue(40'000);
    driver.Click(form.SpeedButton7);
    const std::vector<std::uint64_t> behind = RunResult(form);

    // The same run again with "Red", then the map, in front.
    driver.Click(form.SpeedButton8);
    form.FlatSpinEditInteger4->SetValue(40'000);
    driver.ShowTab(form.TabSheet6);
    LearningTab& tab = Tab(form);
    ShowView(form, tab.Diagram());
    int followed = 0;
    // Handled when the run first processes its messages, mid-run.
    QTimer::singleShot(0, &form, [&] {
        form.Chart1->Draw();
        const std::int64_t made = form.Chart1->Store().Count();
        QVERIFY(made > 0 && made < 40'000);
        QCOMPARE(tab.Diagram()->Snapshot().hiddenWeights, TakeSnapshot(form.RedNeuronal1).hiddenWeights);
        QCOMPARE(tab.Diagram()->Snapshot().outputValues, TakeSnapshot(form.RedNeuronal1).outputValues);
        ++followed;
        ShowView(form, tab.Map());
    });
    form.SpeedButton7->click();
    QCOMPARE(followed, 1);
    QVERIFY(tab.Map()->isVisible());
    QCOMPARE(RunResult(form), behind);
    QCOMPARE(driver.errors.messages, QStringList{});

    // After the run the diagram shows the network as the run left it.
    ShowView(form, tab.Diagram());
    QCOMPARE(tab.Diagram()->Snapshot().outputWeights, TakeSnapshot(form.RedNeuronal1).outputWeights);
    RandomGenerator::SetClock({});
}

void WindowLearningViewsTest::saveImageSavesTheViewInFront() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    driver.ShowTab(form.TabSheet6);
    LearningTab& tab = Tab(form);
    QVERIFY(tab.SaveImageButton()->isVisible());

    for (QWidget* view : {static_cast<QWidget*>(tab.Map()), static_cast<QWidget*>(tab.Diagram()),
                          static_cast<QWidget*>(tab.Confusion())}) {
        ShowView(form, view);
        const QString path = driver.Path(view->objectName() + ".png");
        driver.dialogs.answers << path;
        driver.Click(tab.SaveImageButton());
        QCOMPARE(driver.dialogs.asked.last().filter, QStringLiteral("*.png"));
        const QImage saved = QImage::fromData(driver.ReadFile(path), "PNG");
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), view->grab().toImage().convertToFormat(QImage::Format_RGB32));
    }
    QCOMPARE(driver.dialogs.asked.size(), 3);

    // "Paso a paso" saves every row of every phase, more than the phase in front shows.
    ShowView(form, tab.Steps());
    driver.Click(form.findChild<QPushButton*>(QStringLiteral("computeStepButton")));
    int rows = 0;
    for (const char* name : {"forwardTable", "deltaTable", "weightTable", "hiddenWeightTable"}) {
        auto* table = form.findChild<QTableWidget*>(QLatin1String(name));
        rows += table->verticalHeader()->length();
    }
    const QString path = driver.Path("paso.png");
    driver.dialogs.answers << path;
    driver.Click(tab.SaveImageButton());
    const QImage saved = QImage::fromData(driver.ReadFile(path), "PNG");
    QVERIFY2(saved.height() >= rows && rows > form.findChild<QTableWidget*>(QStringLiteral("forwardTable"))->height(),
             qPrintable(QStringLiteral("%1 px saved, %2 px of tables").arg(saved.height()).arg(rows)));
    QCOMPARE(driver.errors.messages, QStringList{});
}

void WindowLearningViewsTest::resultsGiveEachPatternAgainstTheThreshold() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    form.FlatSpinEditInteger9->SetValue(60);
    driver.ShowTab(form.TabSheet6);
    LearningTab& tab = Tab(form);
    ShowView(form, tab.Results());
    auto* table = tab.Results()->findChild<QTableWidget*>(QStringLiteral("resultsTable"));
    const auto check = [&] {
        QCOMPARE(table->rowCount(), 4);
        // The view first, then the network's own pass on each pattern.
        QStringList shown;
        for (int r = 0; r < 4; ++r)
            shown << table->item(r, 4)->toolTip() << table->item(r, 7)->text() << table->item(r, 5)->toolTip();
        const QString summary = tab.Results()->Summary();
        TRedNeuronal& network = form.RedNeuronal1;
        int within = 0;
        for (int p = 1; p <= 4; ++p) {
            network.Entradas[1] = form.workState.EntradasPatrones[p][1];
            network.Entradas[2] = form.workState.EntradasPatrones[p][2];
            network.Propagar();
            const double d = form.workState.SalidasPatrones[p][1], y = network.SalidasObtenidas[1];
            const bool ok = std::fabs(d - y) * (100.0 / std::fabs(d)) <= 60;
            within += ok;
            QCOMPARE(shown[3 * (p - 1)], FileNumberText(y));
            QCOMPARE(shown[3 * (p - 1) + 1], ok ? QStringLiteral("✓") : QString());
            // The absolute error beside the relative one.
            QCOMPARE(shown[3 * (p - 1) + 2], FileNumberText(std::fabs(d - y)));
        }
        QCOMPARE(summary, QStringLiteral("%1 de 4 patrones dentro del umbral").arg(within));
    };
    check();
    // A run with the view in front: it shows the network as the run left it.
    form.FlatSpinEditInteger4->SetValue(20'000);
    form.SpeedButton7->click();
    check();
    QCOMPARE(driver.errors.messages, QStringList{});
}

void WindowLearningViewsTest::viewsAndChartFollowADarkPalette() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    QPalette dark = form.palette();
    const QColor base(35, 38, 41);
    dark.setColor(QPalette::Base, base);
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    form.setPalette(dark);
    QCoreApplication::processEvents();
    QCOMPARE(form.Chart1->grab().toImage().pixelColor(form.Chart1->width() / 2, form.Chart1->height() / 2), base);
    driver.ShowTab(form.TabSheet6);
    LearningTab& tab = Tab(form);
    for (QWidget* view : {static_cast<QWidget*>(tab.Diagram()), static_cast<QWidget*>(tab.Map())}) {
        ShowView(form, view);
        QCOMPARE(view->grab().toImage().pixelColor(view->width() - 2, view->height() - 2), base);
    }
}

void WindowLearningViewsTest::fourInputMapIsPropagarsWithTheHeldValues() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.CreateNetwork(4, 3, 3);
    driver.AddPattern({"5.1", "3.5", "1.4", "0.2"}, {"1", "0", "0"});
    driver.AddPattern({"7", "3.2", "4.7", "1.4"}, {"0", "1", "0"});
    driver.AddPattern({"6.3", "3.3", "6", "2.5"}, {"0", "0", "1"});
    driver.ShowTab(form.TabSheet6);
    LearningTab& tab = Tab(form);
    tab.Choices().SetPattern(2);
    ShowView(form, tab.Map());
    DecisionMap& map = *tab.Map();
    // Petal length across, sepal width up: sepal length and petal width held at pattern 2's.
    for (const auto& [name, item] : {std::pair{"mapAcrossChooser", 2}, {"mapUpChooser", 1}}) {
        auto* chooser = map.findChild<QComboBox*>(QLatin1String(name));
        chooser->setCurrentIndex(item);
        emit chooser->activated(item);
    }
    map.grab();
    const QSize cells = map.Cells();
    const QPoint cell(cells.width() / 3, cells.height() / 4);
    const AxisRange x = map.RangeX(), y = map.RangeY();
    TRedNeuronal& network = form.RedNeuronal1;
    network.Entradas[1] = 7;
    network.Entradas[2] = y.high - (cell.y() + 0.5) * ((y.high - y.low) / cells.height());
    network.Entradas[3] = x.low + (cell.x() + 0.5) * ((x.high - x.low) / cells.width());
    network.Entradas[4] = 1.4;
    network.Propagar();
    QCOMPARE(std::bit_cast<std::uint64_t>(map.CellValues()[static_cast<std::size_t>(cell.y() * cells.width() + cell.x())]),
             std::bit_cast<std::uint64_t>(network.SalidasObtenidas[1]));
    QCOMPARE(driver.errors.messages, QStringList{});
}

QTEST_MAIN(WindowLearningViewsTest)
#include "window_learning_views_test.moc"
