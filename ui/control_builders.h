// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers that create the window's plain Qt controls at a fixed
// position, with the object name tests find them by and the accessible name
// screen readers announce.

#include <QColor>
#include <QRect>
#include <QString>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QWidget;

// Sets geometry, object name and accessible name of a control created elsewhere
// (an empty name leaves the control's own, e.g. a label's text).
void Place(QWidget* control, const QString& name, QRect geometry, const QString& accessibleName);

// A bold font `pixels` high; 0 keeps the inherited size.
void SetBold(QWidget* control, int pixels = 0);

// Black or white, whichever reads better on `background`.
QColor TextColourOn(QColor background);

// A fixed background colour, with the text colour that reads on it.
void SetBackground(QWidget* control, QColor colour);

QGroupBox* NewGroupBox(QWidget* parent, const QString& name, const QString& title, QRect geometry);

// A label; an empty geometry sizes it to its text at the geometry's corner.
// It has no fixed accessible name: screen readers read its current text.
QLabel* NewLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry);

// A speed button: an icon and bold text. A mouse click leaves the keyboard
// focus where it was, so a value typed into a field and not yet confirmed
// reaches the handler as typed; Tab still reaches the button.
QPushButton* NewSpeedButton(QWidget* parent, const QString& name, const QString& text, QRect geometry,
                            int standardIcon, int boldPixels);

QRadioButton* NewRadioButton(QWidget* parent, const QString& name, const QString& text, QRect geometry);

QFrame* NewBevel(QWidget* parent, const QString& name, QRect geometry, bool raised);
