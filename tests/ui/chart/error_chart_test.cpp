// SPDX-License-Identifier: GPL-3.0-or-later
#include "error_chart.h"

#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QLegend>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>
#include <QtTest>

#include <limits>

namespace {

QValueAxis* Axis(ErrorChart& chart, Qt::Orientation orientation) {
    return qobject_cast<QValueAxis*>(chart.chart()->axes(orientation).first());
}

// A point inside the plot area, as a fraction of its width and height, in
// the coordinates of the view's viewport, which receives the mouse.
QPoint InPlot(ErrorChart& chart, double fx, double fy) {
    const QRectF plot = chart.chart()->plotArea();
    const QPointF scene = chart.chart()->mapToScene(plot.left() + fx * plot.width(), plot.top() + fy * plot.height());
    return chart.mapFromScene(scene);
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

int PointsBetween(const QList<QPointF>& points, double lo, double hi) {
    return static_cast<int>(std::count_if(points.begin(), points.end(),
                                          [&](const QPointF& p) { return p.x() >= lo && p.x() <= hi; }));
}

}  // namespace

class ErrorChartTest : public QObject {
    Q_OBJECT

private slots:
    void lookAndNames();
    void appendOnlyStoresUntilTheChartRepaints();
    void drawScalesBothAxesToTheData();
    void drawHandsQtAFewPointsPerColumn();
    void clearEmptiesTheChart();
    void drawRepaintsTheViewOnceLaidOut();
    void rubberBandZoomShowsMoreDetailAndRightClickReturns();
    void zoomSurvivesNewPointsUntilDoubleClick();
    void logarithmicAxisLeavesOutZerosAndSpansTheRest();
    void pointerReadOutFollowsEveryMoveToTheNearestPoint();
    void keptCurveStaysUntilClearedAndTheLegendNamesTheCurves();
    void logarithmicAxisLabelsAnySpanInThePalettesColours_data();
    void logarithmicAxisLabelsAnySpanInThePalettesColours();
    void switchingTheScaleRepaintsTheAxesAtOnce();
    void iterationLabelsAreWholeNumbersGroupedByThousands();
    void epochCurvesTakeTheIterationCurvesPlace_data();
    void epochCurvesTakeTheIterationCurvesPlace();
    void epochReadOutNamesTheCurveUnderThePointer_data();
    void epochReadOutNamesTheCurveUnderThePointer();
};

void ErrorChartTest::lookAndNames() {
    ErrorChart chart;
    QCOMPARE(chart.objectName(), QStringLiteral("Chart1"));
    QCOMPARE(chart.chart()->title(), QStringLiteral("Gráfica de errores"));
    QCOMPARE(Axis(chart, Qt::Horizontal)->titleText(), QStringLiteral("Nº Iteraciones"));
    QCOMPARE(Axis(chart, Qt::Vertical)->titleText(), QStringLiteral("% Error"));
    QLineSeries* series = chart.Series1();
    QCOMPARE(series->objectName(), QStringLiteral("Series1"));
    QCOMPARE(series->color(), QColor(128, 0, 64));
    QVERIFY(!series->pointsVisible());
    // Series1 and, under it, the kept curve, empty until a curve is kept;
    // then the four per-epoch curves, empty until "Error por época".
    QCOMPARE(chart.chart()->series().size(), 6);
    QCOMPARE(chart.chart()->series().at(1), series);
}

void ErrorChartTest::appendOnlyStoresUntilTheChartRepaints() {
    ErrorChart chart;
    chart.resize(329, 193);
    for (int i = 0; i < 1000; ++i) chart.Append(100.0 - i * 0.1);
    QCOMPARE(chart.Store().Count(), 1000);
    QCOMPARE(chart.Series1()->count(), 0);
    // The repaint comes from the event loop, as when a run processes messages.
    QTRY_VERIFY(chart.Series1()->count() > 0);
    QCOMPARE(Axis(chart, Qt::Horizontal)->max(), 999.0);
}

void ErrorChartTest::drawScalesBothAxesToTheData() {
    ErrorChart chart;
    chart.Append(12.5);
    chart.Draw();
    // One point: a band around it, and the point itself drawn at x = 0.
    QCOMPARE(chart.Series1()->count(), 1);
    QCOMPARE(chart.Series1()->at(0), QPointF(0.0, 12.5));
    QVERIFY(Axis(chart, Qt::Vertical)->min() < 12.5);
    QVERIFY(Axis(chart, Qt::Vertical)->max() > 12.5);

    chart.Append(-20.0);
    chart.Append(37.0);
    chart.Draw();
    QCOMPARE(chart.Series1()->points(), (QList<QPointF>{{0, 12.5}, {1, -20.0}, {2, 37.0}}));
    QCOMPARE(Axis(chart, Qt::Horizontal)->min(), 0.0);
    QCOMPARE(Axis(chart, Qt::Horizontal)->max(), 2.0);
    QCOMPARE(Axis(chart, Qt::Vertical)->min(), -20.0);
    QCOMPARE(Axis(chart, Qt::Vertical)->max(), 37.0);
}

void ErrorChartTest::drawHandsQtAFewPointsPerColumn() {
    ErrorChart chart;
    chart.resize(329, 193);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    for (int i = 0; i < 1'000'000; ++i) chart.Append(i % 1000 == 0 ? 500.0 : 50.0 + (i % 7));
    chart.Draw();
    const int columns = static_cast<int>(chart.chart()->plotArea().width());
    QVERIFY(chart.Series1()->count() > 2);
    QVERIFY(chart.Series1()->count() <= 4 * (columns + 3));
    QCOMPARE(Axis(chart, Qt::Horizontal)->max(), 999'999.0);
    QCOMPARE(Axis(chart, Qt::Vertical)->min(), 50.0);
    QCOMPARE(Axis(chart, Qt::Vertical)->max(), 500.0);
}

void ErrorChartTest::clearEmptiesTheChart() {
    ErrorChart chart;
    for (int i = 0; i < 100; ++i) chart.Append(i);
    chart.Draw();
    chart.Clear();
    QCOMPARE(chart.Store().Count(), 0);
    QCOMPARE(chart.Series1()->count(), 0);
    chart.Append(3.0);
    chart.Draw();
    QCOMPARE(chart.Series1()->points(), QList<QPointF>{QPointF(0.0, 3.0)});
}

// New ranges change the axes' labels and with them the plot area: the view
// is repainted once, with the chart already laid out for the new data, and
// not again when the event loop settles the chart.
void ErrorChartTest::drawRepaintsTheViewOnceLaidOut() {
    ErrorChart chart;
    chart.resize(329, 193);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QTest::qWait(50);
    const PaintCounter counter(chart.viewport());
    for (int i = 0; i < 100'000; ++i) chart.Append(1000.0 / (1.0 + i));
    chart.Draw();
    const QRectF plot = chart.chart()->plotArea();
    QTRY_COMPARE(counter.paints, 1);
    QTest::qWait(50);
    QCOMPARE(counter.paints, 1);
    QCOMPARE(chart.chart()->plotArea(), plot);
    QCOMPARE(Axis(chart, Qt::Horizontal)->max(), 99'999.0);
}

void ErrorChartTest::rubberBandZoomShowsMoreDetailAndRightClickReturns() {
    ErrorChart chart;
    chart.resize(329, 193);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    for (int i = 0; i < 200'000; ++i) chart.Append((i * 7919) % 1000 / 10.0);
    chart.Draw();
    const QList<QPointF> before = chart.Series1()->points();

    QWidget* viewport = chart.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, InPlot(chart, 0.40, 0.05));
    QTest::mouseMove(viewport, InPlot(chart, 0.45, 0.95));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, InPlot(chart, 0.45, 0.95));
    QVERIFY(chart.Zoomed());
    const double lo = Axis(chart, Qt::Horizontal)->min();
    const double hi = Axis(chart, Qt::Horizontal)->max();
    QVERIFY(lo > 50'000 && hi < 120'000 && lo < hi);
    // The points of the narrower view come from the store, not from the
    // few the whole view had.
    QTRY_VERIFY(PointsBetween(chart.Series1()->points(), lo, hi) > 4 * PointsBetween(before, lo, hi));

    QTest::mouseClick(viewport, Qt::RightButton, {}, InPlot(chart, 0.5, 0.5));
    QVERIFY(!chart.Zoomed());
    QCOMPARE(Axis(chart, Qt::Horizontal)->min(), 0.0);
    QCOMPARE(Axis(chart, Qt::Horizontal)->max(), 199'999.0);
}

void ErrorChartTest::zoomSurvivesNewPointsUntilDoubleClick() {
    ErrorChart chart;
    chart.resize(329, 193);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    for (int i = 0; i < 1000; ++i) chart.Append(i % 10);
    chart.Draw();
    QWidget* viewport = chart.viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, InPlot(chart, 0.1, 0.1));
    QTest::mouseMove(viewport, InPlot(chart, 0.3, 0.9));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, InPlot(chart, 0.3, 0.9));
    QVERIFY(chart.Zoomed());
    const double hi = Axis(chart, Qt::Horizontal)->max();

    for (int i = 0; i < 1000; ++i) chart.Append(-50.0);
    chart.Draw();
    QCOMPARE(Axis(chart, Qt::Horizontal)->max(), hi);

    QTest::mouseDClick(viewport, Qt::LeftButton, {}, InPlot(chart, 0.5, 0.5));
    QVERIFY(!chart.Zoomed());
    QCOMPARE(Axis(chart, Qt::Horizontal)->max(), 1999.0);
    QCOMPARE(Axis(chart, Qt::Vertical)->min(), -50.0);
}

void ErrorChartTest::logarithmicAxisLeavesOutZerosAndSpansTheRest() {
    ErrorChart chart;
    chart.resize(329, 193);
    for (const double y : {0.0, 1000.0, 10.0, 0.0, 100.0}) chart.Append(y);
    chart.SetLogarithmic(true);
    auto* log = qobject_cast<QLogValueAxis*>(chart.chart()->axes(Qt::Vertical).first());
    QVERIFY(log);
    QCOMPARE(log->min(), 10.0);
    QCOMPARE(log->max(), 1000.0);
    QCOMPARE(chart.Series1()->count(), 3);
    chart.SetLogarithmic(false);
    QCOMPARE(Axis(chart, Qt::Vertical)->min(), 0.0);
    QCOMPARE(chart.Series1()->count(), 5);
}

namespace {

// The pointer at iteration x of the run's curve, in the viewport's coordinates.
QPoint AtIteration(ErrorChart& chart, double x) {
    const QRectF plot = chart.chart()->plotArea();
    const double px = chart.chart()->mapToPosition(QPointF(x, 0), chart.Series1()).x();
    return chart.mapFromScene(chart.chart()->mapToScene(QPointF(px, plot.center().y())));
}

void MovePointer(ErrorChart& chart, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, chart.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(chart.viewport(), &move);
}

}  // namespace

// Every move shows the point nearest the pointer, of two neighbours the
// nearer, in a read-out inside the plot on the side away from the pointer.
void ErrorChartTest::pointerReadOutFollowsEveryMoveToTheNearestPoint() {
    ErrorChart chart;
    chart.resize(329, 193);
    for (int i = 0; i <= 4; ++i) chart.Append(i * 1.5);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.Draw();
    const struct {
        double at;
        int nearest;
    } moves[] = {{1.3, 1}, {1.7, 2}, {0.2, 0}, {3.6, 4}, {2.4, 2}, {0.6, 1}};
    const QLocale locale;
    auto* readOut = chart.findChild<QLabel*>(QStringLiteral("chartReadOut"));
    QVERIFY(readOut);
    for (const auto& move : moves) {
        const QPoint at = AtIteration(chart, move.at);
        MovePointer(chart, at);
        QCOMPARE(chart.ReadOut(),
                 QString("Iteración %1: %2 %").arg(move.nearest).arg(locale.toString(move.nearest * 1.5, 'g', 6)));
        // Within the plot, and clear of the pointer.
        const QRect plot = chart.mapFromScene(chart.chart()->mapToScene(chart.chart()->plotArea()))
                               .boundingRect()
                               .translated(chart.viewport()->pos());
        QVERIFY(plot.contains(readOut->geometry()));
        QVERIFY(!readOut->geometry().contains(chart.viewport()->mapTo(&chart, at)));
    }
    MovePointer(chart, QPoint(1, 1));
    QCOMPARE(chart.ReadOut(), QString());
    QCOMPARE(chart.chart()->title(), QStringLiteral("Gráfica de errores"));
}

// The kept curve stays through Clear (a reset, a new network) until
// ClearKept; a run after it that continues the kept one is drawn at its
// true iterations; the legend names the curves that have points.
void ErrorChartTest::keptCurveStaysUntilClearedAndTheLegendNamesTheCurves() {
    ErrorChart chart;
    chart.resize(329, 193);
    const auto named = [&chart] {
        QStringList names;
        for (QLegendMarker* marker : chart.chart()->legend()->markers())
            if (marker->isVisible()) names << marker->label();
        return names;
    };
    for (int i = 0; i < 50; ++i) chart.Append(80.0 - i);
    chart.Draw();
    QCOMPARE(named(), QStringList{"Error por iteración"});
    chart.KeepCurve();
    for (int i = 0; i < 20; ++i) chart.Append(60.0);
    chart.Draw();
    auto* kept = qobject_cast<QLineSeries*>(chart.chart()->series().first());
    QCOMPARE(kept->objectName(), QStringLiteral("keptSeries"));
    QCOMPARE(chart.KeptStore().Count(), 50);
    QCOMPARE(chart.Store().Count(), 20);
    QCOMPARE(chart.FirstIteration(), 50);
    QCOMPARE(chart.Series1()->points().front().x(), 50.0);
    QCOMPARE(chart.Series1()->points().back().x(), 69.0);
    QCOMPARE(Axis(chart, Qt::Horizontal)->max(), 69.0);
    QCOMPARE(Axis(chart, Qt::Vertical)->max(), 80.0);
    QCOMPARE(named(), (QStringList{"Curva conservada", "Error por iteración"}));

    chart.Clear();
    for (int i = 0; i < 10; ++i) chart.Append(70.0);
    chart.Draw();
    QCOMPARE(chart.KeptStore().Count(), 50);
    QVERIFY(kept->count() > 0);
    QCOMPARE(chart.Series1()->points().front().x(), 0.0);
    chart.ClearKept();
    QCOMPARE(chart.KeptStore().Count(), 0);
    QCOMPARE(kept->count(), 0);
    QCOMPARE(named(), QStringList{"Error por iteración"});
}

// Whatever the span, the log axis carries at least three labels, and its
// labels and lines take the palette's colours, as the linear axes do.
void ErrorChartTest::logarithmicAxisLabelsAnySpanInThePalettesColours_data() {
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    QTest::newRow("under one decade") << 3.0 << 40.0;
    QTest::newRow("a tenth of a decade") << 5.0 << 6.0;
    QTest::newRow("two decades") << 0.5 << 50.0;
    QTest::newRow("six decades") << 0.001 << 1000.0;
}

void ErrorChartTest::logarithmicAxisLabelsAnySpanInThePalettesColours() {
    QFETCH(double, low);
    QFETCH(double, high);
    ErrorChart chart;
    QPalette dark = chart.palette();
    dark.setColor(QPalette::Base, QColor(20, 20, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 200));
    chart.setPalette(dark);
    chart.resize(329, 193);
    for (const double y : {high, low, std::sqrt(low * high)}) chart.Append(y);
    chart.SetLogarithmic(true);
    auto* log = qobject_cast<QLogValueAxis*>(chart.chart()->axes(Qt::Vertical).first());
    QVERIFY(log);
    QCOMPARE(log->min(), low);
    QCOMPARE(log->max(), high);
    // Labels stand at the powers of the base within the range.
    const double first = std::ceil(std::log(low) / std::log(log->base()) - 1e-9);
    const double last = std::floor(std::log(high) / std::log(log->base()) + 1e-9);
    QVERIFY2(last - first + 1 >= 3, qPrintable(QString::number(log->base())));
    QCOMPARE(log->labelsBrush().color(), QColor(230, 230, 200));
    QCOMPARE(log->titleBrush().color(), QColor(230, 230, 200));
    QCOMPARE(log->linePenColor(), QColor(230, 230, 200));
}

// On screen, not only in a fresh rendering: the axis switched to shows
// alone at once, with nothing of the one before left drawn.
void ErrorChartTest::switchingTheScaleRepaintsTheAxesAtOnce() {
    ErrorChart chart;
    chart.resize(329, 193);
    for (int i = 0; i < 2000; ++i) chart.Append(1000.0 / (1.0 + i));
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.Draw();
    QTest::qWait(50);
    for (const bool logarithmic : {true, false, true}) {
        chart.SetLogarithmic(logarithmic);
        QTest::qWait(100);
        const QImage shown = chart.screen()->grabWindow(chart.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage fresh = chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), fresh.size());
        QVERIFY2(shown == fresh, logarithmic ? "logarithmic" : "linear");
    }
}

// Iteration labels are whole numbers grouped by thousands, never "6619.999".
void ErrorChartTest::iterationLabelsAreWholeNumbersGroupedByThousands() {
    ErrorChart chart;
    chart.resize(329, 193);
    std::vector<double> ys(6'620'000, 5.0);
    chart.Append(ys);
    chart.Draw();
    auto* axis = qobject_cast<QCategoryAxis*>(chart.chart()->axes(Qt::Horizontal).first());
    QVERIFY(axis);
    const QStringList labels = axis->categoriesLabels();
    QVERIFY2(labels.size() >= 2, qPrintable(labels.join(" | ")));
    const QRegularExpression grouped(QStringLiteral("^\\d{1,3}(\\D\\d{3})*$"));
    for (const QString& label : labels) {
        QVERIFY2(grouped.match(label).hasMatch(), qPrintable(label));
        QString digits = label;
        digits.remove(QRegularExpression(QStringLiteral("\\D")));
        QCOMPARE(axis->endValue(label), digits.toDouble());
    }
}

namespace {

// The names the legend shows.
QStringList Named(ErrorChart& chart) {
    QStringList names;
    for (QLegendMarker* marker : chart.chart()->legend()->markers())
        if (marker->isVisible()) names << marker->label();
    return names;
}

QLineSeries* SeriesNamed(ErrorChart& chart, const char* name) {
    return chart.chart()->findChild<QLineSeries*>(QLatin1String(name));
}

// A run of 40 iterations and its 10 epochs of 4 patterns from iteration
// `start`: training error scale/e, test error 3·scale/e where there is a test
// set; the last training error is 0, which a logarithmic axis leaves out.
void AddRun(ErrorChart& chart, std::int64_t start, double scale, bool withTest) {
    for (int i = 0; i < 40; ++i) chart.Append(50.0 - i);
    for (int e = 1; e <= 10; ++e)
        chart.AppendEpochErrors(e, start + 4 * e - 1, e < 10 ? scale / e : 0.0,
                                withTest ? 3 * scale / e : std::numeric_limits<double>::quiet_NaN());
}

QPoint AtValue(ErrorChart& chart, double x, double y) {
    const QPointF position = chart.chart()->mapToPosition(QPointF(x, y), chart.Series1());
    return chart.mapFromScene(chart.chart()->mapToScene(position));
}

}  // namespace

// "Error por época" shows the per-epoch curves of both sets in place of the
// per-iteration ones, at the iterations their epochs ended, named in the
// legend (the test curve only with test points), on either scale, beside
// their kept pair; switched off, the per-iteration curves come back whole.
void ErrorChartTest::epochCurvesTakeTheIterationCurvesPlace_data() {
    QTest::addColumn<bool>("withTest");
    QTest::addColumn<bool>("logarithmic");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<QStringList>("legend");
    const QString training = QStringLiteral("Error de entrenamiento");
    const QString test = QStringLiteral("Error de prueba");
    QTest::newRow("both sets") << true << false << false << QStringList{training, test};
    QTest::newRow("no test set") << false << false << false << QStringList{training};
    QTest::newRow("logarithmic") << true << true << false << QStringList{training, test};
    QTest::newRow("kept")
        << true << false << true
        << QStringList{QStringLiteral("Entrenamiento conservado"), QStringLiteral("Prueba conservada"), training, test};
    QTest::newRow("kept, no test set, logarithmic")
        << false << true << true << QStringList{QStringLiteral("Entrenamiento conservado"), training};
}

void ErrorChartTest::epochCurvesTakeTheIterationCurvesPlace() {
    QFETCH(bool, withTest);
    QFETCH(bool, logarithmic);
    QFETCH(bool, kept);
    QFETCH(QStringList, legend);
    ErrorChart chart;
    chart.resize(329, 193);
    chart.SetLogarithmic(logarithmic);
    AddRun(chart, 0, 1.0, withTest);
    std::int64_t start = 0;
    if (kept) {
        chart.KeepCurve();
        start = chart.NextIteration();
        AddRun(chart, start, 0.5, withTest);
    }
    chart.SetEpochErrors(true);
    chart.Draw();
    QCOMPARE(Named(chart), legend);
    QCOMPARE(chart.Series1()->count(), 0);
    QCOMPARE(chart.chart()->axes(Qt::Vertical).first()->titleText(), QStringLiteral("Error cuadrático medio"));
    // The run's curves at the iterations their epochs ended; a zero has no place on a log axis.
    const QList<QPointF> line = SeriesNamed(chart, "trainingSeries")->points();
    QCOMPARE(line.size(), logarithmic ? 9 : 10);
    QCOMPARE(line.front(), QPointF(static_cast<double>(start + 3), kept ? 0.5 : 1.0));
    QCOMPARE(line.back().x(), static_cast<double>(start + (logarithmic ? 35 : 39)));
    QCOMPARE(SeriesNamed(chart, "testSeries")->count(), withTest ? 10 : 0);
    QCOMPARE(SeriesNamed(chart, "keptTrainingSeries")->count(), kept ? line.size() : 0);
    const auto* axisX = qobject_cast<QValueAxis*>(chart.chart()->axes(Qt::Horizontal).first());
    QCOMPARE(axisX->min(), 3.0);
    QCOMPARE(axisX->max(), static_cast<double>(start + 39));
    if (!logarithmic) QCOMPARE(Axis(chart, Qt::Vertical)->max(), withTest ? 3.0 : 1.0);

    chart.SetEpochErrors(false);
    QCOMPARE(Named(chart).back(), QStringLiteral("Error por iteración"));
    QCOMPARE(SeriesNamed(chart, "trainingSeries")->count(), 0);
    QVERIFY(chart.Series1()->count() > 0);
    QCOMPARE(chart.chart()->axes(Qt::Vertical).first()->titleText(), QStringLiteral("% Error"));
    chart.Clear();
    chart.SetEpochErrors(true);
    QCOMPARE(chart.TrainingEpochs().EpochPoints().size(), 0U);
    QCOMPARE(Named(chart).size(), kept ? legend.size() / 2 : 0);
}

// The read-out names the curve whose nearest point lies nearest the pointer,
// the kept ones included, with that point's iteration and error.
void ErrorChartTest::epochReadOutNamesTheCurveUnderThePointer_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("iteration");
    QTest::addColumn<double>("error");
    QTest::addColumn<QString>("curve");
    QTest::newRow("kept training") << 8.0 << 1.0 << 7 << 1.0 << "Entrenamiento conservado";
    QTest::newRow("kept test") << 8.5 << 2.8 << 7 << 3.0 << "Prueba conservada";
    QTest::newRow("run test") << 60.0 << 2.1 << 59 << 2.0 << "Error de prueba";
    QTest::newRow("run training") << 57.6 << 0.6 << 59 << 0.5 << "Error de entrenamiento";
}

void ErrorChartTest::epochReadOutNamesTheCurveUnderThePointer() {
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, iteration);
    QFETCH(double, error);
    QFETCH(QString, curve);
    ErrorChart chart;
    chart.resize(329, 193);
    // Flat curves: training 1 and test 3, then after a kept run 0.5 and 2.
    const auto addRun = [&chart](std::int64_t start, double training, double test) {
        for (int e = 1; e <= 10; ++e) chart.AppendEpochErrors(e, start + 4 * e - 1, training, test);
        for (int i = 0; i < 40; ++i) chart.Append(10.0);
    };
    addRun(0, 1.0, 3.0);
    chart.KeepCurve();
    addRun(40, 0.5, 2.0);
    chart.SetEpochErrors(true);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.Draw();
    MovePointer(chart, AtValue(chart, x, y));
    QCOMPARE(chart.ReadOut(), QString("Iteración %1: %2 (%3)").arg(iteration).arg(QLocale().toString(error, 'g', 6), curve));
}

QTEST_MAIN(ErrorChartTest)
#include "error_chart_test.moc"
