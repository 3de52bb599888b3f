#include "form2.h"

#include <QCoreApplication>
#include <QScreen>

namespace {

QFont Negrita(const QFont& base, int pixeles) {
    QFont font = base;
    font.setBold(true);
    font.setPixelSize(pixeles);
    return font;
}

}  // namespace

TForm2::TForm2(bool& pararEntrenamiento)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      HiperBoton1(this),
      HiperBoton2(this),
      pararEntrenamiento_(pararEntrenamiento) {
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(338, 48);

    HiperBoton1.setObjectName(QStringLiteral("HiperBoton1"));
    HiperBoton1.setText(QStringLiteral("Espere , procesando..."));
    // A narrower face, where there is one, keeps the centred caption clear of "Stop".
    QFont estrecha = Negrita(font(), 19);
    estrecha.setStretch(QFont::SemiCondensed);
    HiperBoton1.setFont(estrecha);
    HiperBoton1.SetColores(QColor(0, 0, 128), QColor(255, 255, 255));
    HiperBoton1.SetColorTexto(QColor(255, 255, 255));
    HiperBoton1.SetRedondeo(0);
    HiperBoton1.SetAnchoBorde(0);
    HiperBoton1.SetReaccionaAlRaton(false);
    HiperBoton1.setGeometry(0, 0, 338, 48);

    HiperBoton2.setObjectName(QStringLiteral("HiperBoton2"));
    HiperBoton2.setText(QStringLiteral("Stop"));
    HiperBoton2.setFont(Negrita(font(), 11));
    HiperBoton2.SetColores(QColor(0, 128, 0), QColor(255, 255, 0));
    HiperBoton2.SetColoresEncima(QColor(0, 128, 128), QColor(255, 255, 255));
    HiperBoton2.SetColorTexto(QColor(0, 0, 0));
    HiperBoton2.setGeometry(280, 8, 48, 32);
    HiperBoton2.raise();
    connect(&HiperBoton2, &QAbstractButton::clicked, this, &TForm2::HiperBoton2Click);
}

void TForm2::Mostrar() {
    show();
    repaint();
}

void TForm2::HiperBoton2Click() {
    pararEntrenamiento_ = true;
    QCoreApplication::processEvents();
}

void TForm2::showEvent(QShowEvent* event) {
    if (const QScreen* pantalla = screen()) {
        move(pantalla->availableGeometry().center() - rect().center());
    }
    QWidget::showEvent(event);
}
