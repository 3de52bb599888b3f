// SPDX-License-Identifier: GPL-3.0-or-later
// "Cómo Aprende", "Red" and "Mapa de decisión" in the real window: they
// follow a run without changing it, and "Guardar Imagen" saves the view in
// front.

#include "decision_map.h"
#include "error_chart.h"
#include "flat_spin_edit_integer.h"
#include "learning_tab.h"
#include "main_window.h"
#include "network_diagram.h"
#include "random_generator.h"
#include "window_driver.h"

#include <QImage>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <bit>
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
    void guardarImagenSavesTheViewInFront();
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

void WindowLearningViewsTest::guardarImagenSavesTheViewInFront() {
    WindowDriver driver;
    TForm1& form = driver.form();
    driver.PrepareXor();
    driver.ShowTab(form.TabSheet6);
    LearningTab& tab = Tab(form);
    QVERIFY(tab.SaveImageButton()->isVisible());

    for (QWidget* view : {static_cast<QWidget*>(tab.Map()), static_cast<QWidget*>(tab.Diagram())}) {
        ShowView(form, view);
        const QString path = driver.Path(view->objectName() + ".png");
        driver.dialogs.answers << path;
        driver.Click(tab.SaveImageButton());
        QCOMPARE(driver.dialogs.asked.last().filter, QStringLiteral("*.png"));
        const QImage saved = QImage::fromData(driver.ReadFile(path), "PNG");
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), view->grab().toImage().convertToFormat(QImage::Format_RGB32));
    }
    QCOMPARE(driver.dialogs.asked.size(), 2);
    QCOMPARE(driver.errors.messages, QStringList{});
}

QTEST_MAIN(WindowLearningViewsTest)
#include "window_learning_views_test.moc"
