// SPDX-License-Identifier: GPL-3.0-or-later
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

    void SetColours(QColor border, QColor interior) { border_ = border; inner_ = interior; update(); }
    // Edge colour and caption colour while the mouse is over the button.
    void SetHoverColours(QColor border, QColor text) { hoverBorder_ = border; hoverText_ = text; update(); }
    void SetTextColour(QColor text) { text_ = text; update(); }
    // Corner rounding in percent of half the size: 0 square, 100 an oval.
    void SetRounding(int percent) { rounding_ = percent; update(); }
    void SetBorderWidth(int pixels) { borderWidth_ = pixels; update(); }
    // Without it the button looks the same whatever the mouse does.
    void SetReactsToMouse(bool reacts);

    bool Hovered() const { return reactsToMouse_ && hovered_; }
    QColor CurrentBorder() const { return Hovered() ? hoverBorder_ : border_; }
    QColor CurrentTextColour() const { return Hovered() ? hoverText_ : text_; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QColor border_{0, 0, 128};
    QColor inner_{255, 255, 255};
    QColor hoverBorder_{0, 0, 128};
    QColor text_{0, 0, 0};
    QColor hoverText_{0, 0, 0};
    int rounding_ = 100;
    int borderWidth_ = 4;
    bool reactsToMouse_ = true;
    bool hovered_ = false;
};
