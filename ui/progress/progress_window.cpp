// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_window.h"

#include <QCoreApplication>
#include <QScreen>

#include <algorithm>

namespace {

QFont Bold(const QFont& base, int pixels) {
    QFont font = base;
    font.setBold(true);
    font.setPixelSize(pixels);
    return font;
}

}  // namespace

TForm2::TForm2(bool& pararEntrenamiento)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      HiperBoton1(this),
      HiperBoton2(this),
      progressLine(this),
      progressBar(this),
      stopTraining_(pararEntrenamiento) {
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(338, 48);

    HiperBoton1.setObjectName(QStringLiteral("HiperBoton1"));
    HiperBoton1.setText(QStringLiteral("Espere , procesando..."));
    // A narrower face, where there is one, keeps the centred caption clear of "Stop".
    QFont narrow = Bold(font(), 19);
    narrow.setStretch(QFont::SemiCondensed);
    HiperBoton1.setFont(narrow);
    HiperBoton1.SetColours(QColor(0, 0, 128), QColor(255, 255, 255));
    HiperBoton1.SetTextColour(QColor(255, 255, 255));
    HiperBoton1.SetRounding(0);
    HiperBoton1.SetBorderWidth(0);
    HiperBoton1.SetReactsToMouse(false);
    HiperBoton1.setGeometry(0, 0, 338, 48);

    HiperBoton2.setObjectName(QStringLiteral("HiperBoton2"));
    HiperBoton2.setText(QStringLiteral("Stop"));
    HiperBoton2.setFont(Bold(font(), 11));
    HiperBoton2.SetColours(QColor(0, 128, 0), QColor(255, 255, 0));
    HiperBoton2.SetHoverColours(QColor(0, 128, 128), QColor(255, 255, 255));
    HiperBoton2.SetTextColour(QColor(0, 0, 0));
    HiperBoton2.setGeometry(280, 8, 48, 32);
    // Under the caption, clear of "Stop", and letting clicks through to the
    // strip below it, which does nothing with them.
    progressLine.setObjectName(QStringLiteral("progressLine"));
    QFont small = font();
    small.setPixelSize(9);
    progressLine.setFont(small);
    progressLine.setAlignment(Qt::AlignCenter);
    progressLine.setGeometry(0, 35, 338, 11);
    QPalette white = progressLine.palette();
    white.setColor(QPalette::WindowText, QColor(255, 255, 255));
    progressLine.setPalette(white);
    progressLine.setAttribute(Qt::WA_TransparentForMouseEvents);
    progressBar.setObjectName(QStringLiteral("progressBar"));
    QPalette yellow = progressBar.palette();
    yellow.setColor(QPalette::Window, QColor(255, 255, 0));
    progressBar.setPalette(yellow);
    progressBar.setAutoFillBackground(true);
    progressBar.setAttribute(Qt::WA_TransparentForMouseEvents);
    progressBar.setGeometry(0, 46, 0, 2);

    HiperBoton2.raise();
    connect(&HiperBoton2, &QAbstractButton::clicked, this, &TForm2::HiperBoton2Click);
}

void TForm2::ShowPainted() {
    show();
    repaint();
}

void TForm2::ShowProgress(const QString& text, double fraction) {
    progressLine.setText(text);
    progressBar.setGeometry(0, height() - progressBar.height(), int(std::clamp(fraction, 0.0, 1.0) * width()), progressBar.height());
}

void TForm2::HiperBoton2Click() {
    stopTraining_ = true;
    QCoreApplication::processEvents();
}

void TForm2::showEvent(QShowEvent* event) {
    if (const QScreen* current = screen()) {
        move(current->availableGeometry().center() - rect().center());
    }
    QWidget::showEvent(event);
}
