// SPDX-License-Identifier: GPL-3.0-or-later
#include "error_chart.h"

#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>
#include <QtTest>

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
    void pointerShowsTheNearestPointInTheTitle();
    void keptCurveStaysUntilClear();
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
    // Series1 and, under it, the kept curve, empty until a curve is kept.
    QCOMPARE(chart.chart()->series().size(), 2);
    QCOMPARE(chart.chart()->series().last(), series);
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

void ErrorChartTest::pointerShowsTheNearestPointInTheTitle() {
    ErrorChart chart;
    chart.resize(329, 193);
    for (int i = 0; i <= 100; ++i) chart.Append(i * 1.5);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.Draw();
    const auto moveTo = [&](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, chart.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(chart.viewport(), &move);
    };
    moveTo(InPlot(chart, 0.5, 0.5));
    const QLocale locale;
    const QString title = chart.Title();
    QVERIFY2(title.startsWith("Iteración "), qPrintable(title));
    const qint64 x = locale.toLongLong(title.section(' ', 1, 1).chopped(1));
    QVERIFY2(x >= 45 && x <= 55, qPrintable(title));
    QCOMPARE(title, QString("Iteración %1: %2 %").arg(locale.toString(x), locale.toString(x * 1.5, 'g', 6)));
    moveTo(QPoint(1, 1));
    QCOMPARE(chart.Title(), QStringLiteral("Gráfica de errores"));
}

void ErrorChartTest::keptCurveStaysUntilClear() {
    ErrorChart chart;
    chart.resize(329, 193);
    for (int i = 0; i < 50; ++i) chart.Append(80.0 - i);
    chart.KeepCurve();
    for (int i = 0; i < 20; ++i) chart.Append(60.0);
    chart.Draw();
    auto* kept = qobject_cast<QLineSeries*>(chart.chart()->series().first());
    QCOMPARE(kept->objectName(), QStringLiteral("keptSeries"));
    QCOMPARE(chart.KeptStore().Count(), 50);
    QVERIFY(kept->count() > 0);
    QCOMPARE(chart.Store().Count(), 20);
    // Both curves fit the axes.
    QCOMPARE(Axis(chart, Qt::Horizontal)->max(), 49.0);
    QCOMPARE(Axis(chart, Qt::Vertical)->max(), 80.0);
    chart.Clear();
    QCOMPARE(chart.KeptStore().Count(), 0);
    QCOMPARE(kept->count(), 0);
}

QTEST_MAIN(ErrorChartTest)
#include "error_chart_test.moc"
