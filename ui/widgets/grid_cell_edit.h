// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor of a float grid cell: digits and the decimal separator go in
// only while the text stays a number, "-" toggles the sign, every other
// printable character is refused. It remembers the text it started from so
// that Esc can put it back.

#include <QLineEdit>

class GridCellEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit GridCellEdit(const QString& original, QWidget* parent = nullptr);

    const QString& Original() const { return original_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ToggleSign();

    QString original_;
};
