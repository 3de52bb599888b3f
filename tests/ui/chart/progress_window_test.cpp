// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_window.h"

#include <QEnterEvent>
#include <QScreen>
#include <QtTest>

namespace {

QColor PixelAt(QWidget& widget, int x, int y) {
    return widget.grab().toImage().pixelColor(x, y);
}

void SendEnter(QWidget& widget) {
    const QPointF centre = QRectF(widget.rect()).center();
    QEnterEvent enter(centre, widget.mapToGlobal(centre), widget.mapToGlobal(centre));
    QCoreApplication::sendEvent(&widget, &enter);
}

}  // namespace

class Form2Test : public QObject {
    Q_OBJECT

private slots:
    void layoutCaptionsAndFocus_data();
    void layoutCaptionsAndFocus();
    void stopRequestsThenProcessesPendingMessages();
    void clickOnTheCaptionDoesNothing();
    void stopStaysClickableWhileAnotherWindowIsDisabled();
    void stopChangesLookOnHoverAndPress();
    void showsCentredOnTheScreen();
    void showsHowFarTheRunIs();
};

void Form2Test::layoutCaptionsAndFocus_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("HiperBoton1") << "HiperBoton1" << "Espere , procesando..." << QRect(0, 0, 338, 48);
    QTest::newRow("HiperBoton2") << "HiperBoton2" << "Stop" << QRect(280, 8, 48, 32);
}

void Form2Test::layoutCaptionsAndFocus() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, geometry);
    bool stopRequested = false;
    TForm2 form(stopRequested);
    QCOMPARE(form.size(), QSize(338, 48));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(form.windowFlags().testFlag(Qt::FramelessWindowHint));
    QVERIFY(form.isWindow());
    auto* button = form.findChild<THiperBoton*>(name);
    QVERIFY(button);
    QCOMPARE(button->text(), caption);
    QCOMPARE(button->geometry(), geometry);
    QCOMPARE(button->focusPolicy(), Qt::NoFocus);
}

void Form2Test::stopRequestsThenProcessesPendingMessages() {
    bool stopRequested = false;
    TForm2 form(stopRequested);
    form.ShowPainted();
    QVERIFY(form.isVisible());
    // A message already waiting when "Stop" is clicked is handled inside the
    // click, after the request is set.
    bool handled = false;
    bool requestSeen = false;
    QMetaObject::invokeMethod(
        &form, [&] { handled = true; requestSeen = stopRequested; }, Qt::QueuedConnection);
    QTest::mouseClick(&form.HiperBoton2, Qt::LeftButton);
    QVERIFY(stopRequested);
    QVERIFY(handled);
    QVERIFY(requestSeen);
}

void Form2Test::clickOnTheCaptionDoesNothing() {
    bool stopRequested = false;
    TForm2 form(stopRequested);
    form.ShowPainted();
    QCOMPARE(form.childAt(304, 24), &form.HiperBoton2);
    QSignalSpy clicks(&form.HiperBoton1, &QAbstractButton::clicked);
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(100, 24));
    QTest::mouseClick(&form.HiperBoton1, Qt::LeftButton, {}, QPoint(100, 24));
    QCOMPARE(clicks.count(), 0);
    QVERIFY(!stopRequested);
}

void Form2Test::stopStaysClickableWhileAnotherWindowIsDisabled() {
    QWidget mainWindow;
    mainWindow.show();
    bool stopRequested = false;
    TForm2 form(stopRequested);
    form.ShowPainted();
    mainWindow.setEnabled(false);
    QVERIFY(form.HiperBoton2.isEnabled());
    QTest::mouseClick(&form.HiperBoton2, Qt::LeftButton);
    QVERIFY(stopRequested);
}

void Form2Test::stopChangesLookOnHoverAndPress() {
    bool stopRequested = false;
    TForm2 form(stopRequested);
    form.ShowPainted();
    THiperBoton& stop = form.HiperBoton2;
    // Between the border and the centre the fill is green to yellow (no blue)
    // at rest, teal to yellow (some blue) under the mouse.
    const QPoint nearRim(8, 16);
    QCOMPARE(PixelAt(stop, nearRim.x(), nearRim.y()).blue(), 0);
    QCOMPARE(stop.CurrentTextColour(), QColor(0, 0, 0));
    SendEnter(stop);
    QVERIFY(PixelAt(stop, nearRim.x(), nearRim.y()).blue() > 30);
    QCOMPARE(stop.CurrentTextColour(), QColor(255, 255, 255));

    const QImage hovered = stop.grab().toImage();
    stop.setDown(true);
    QVERIFY(stop.grab().toImage() != hovered);
    stop.setDown(false);

    // The caption strip looks the same whatever the mouse does.
    const QImage still = form.HiperBoton1.grab().toImage();
    SendEnter(form.HiperBoton1);
    QCOMPARE(form.HiperBoton1.grab().toImage(), still);
}

void Form2Test::showsCentredOnTheScreen() {
    bool stopRequested = false;
    TForm2 form(stopRequested);
    form.ShowPainted();
    const QPoint screenCentre = form.screen()->availableGeometry().center();
    QVERIFY((form.geometry().center() - screenCentre).manhattanLength() <= 2);
}

void Form2Test::showsHowFarTheRunIs() {
    bool stopRequested = false;
    TForm2 form(stopRequested);
    form.ShowProgress(QStringLiteral("200 de 800 iteraciones"), 0.25);
    QCOMPARE(form.progressLine.text(), QString("200 de 800 iteraciones"));
    QCOMPARE(form.progressBar.geometry(), QRect(0, 46, 338 / 4, 2));
    // More iterations than first asked for (the field was changed) fill the bar, no more.
    form.ShowProgress(QStringLiteral("900 de 800 iteraciones"), 1.125);
    QCOMPARE(form.progressBar.width(), 338);
    // The caption and "Stop" stay on top of it all and take the clicks.
    QCOMPARE(form.childAt(304, 24), &form.HiperBoton2);
    QCOMPARE(form.childAt(100, 40), &form.HiperBoton1);
    QCOMPARE(form.childAt(100, 47), &form.HiperBoton1);
}

QTEST_MAIN(Form2Test)
#include "progress_window_test.moc"
