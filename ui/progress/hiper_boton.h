#pragma once
// A painted button: a rounded rectangle filled with a gradient from an edge
// colour to an inner colour, an optional shaded border, a centred caption,
// and optional hover and pressed looks. It never takes the keyboard focus.

#include <QAbstractButton>
#include <QColor>

class THiperBoton : public QAbstractButton {
    Q_OBJECT

public:
    explicit THiperBoton(QWidget* parent = nullptr);

    void SetColores(QColor borde, QColor interior) { borde_ = borde; interior_ = interior; update(); }
    // Edge colour and caption colour while the mouse is over the button.
    void SetColoresEncima(QColor borde, QColor texto) { bordeEncima_ = borde; textoEncima_ = texto; update(); }
    void SetColorTexto(QColor texto) { texto_ = texto; update(); }
    // Corner rounding in percent of half the size: 0 square, 100 an oval.
    void SetRedondeo(int porcentaje) { redondeo_ = porcentaje; update(); }
    void SetAnchoBorde(int pixeles) { anchoBorde_ = pixeles; update(); }
    // Without it the button looks the same whatever the mouse does.
    void SetReaccionaAlRaton(bool reacciona);

    bool Encima() const { return reaccionaAlRaton_ && encima_; }
    QColor BordeActual() const { return Encima() ? bordeEncima_ : borde_; }
    QColor TextoActual() const { return Encima() ? textoEncima_ : texto_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QColor borde_{0, 0, 128};
    QColor interior_{255, 255, 255};
    QColor bordeEncima_{0, 0, 128};
    QColor texto_{0, 0, 0};
    QColor textoEncima_{0, 0, 0};
    int redondeo_ = 100;
    int anchoBorde_ = 4;
    bool reaccionaAlRaton_ = true;
    bool encima_ = false;
};
