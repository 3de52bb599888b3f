// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A drop-down list without free text. ItemIndex is -1 while nothing is
// selected; writing an index that names no item clears the selection.

#include <QComboBox>
#include <QStringList>

class TFlatComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TFlatComboBox(QWidget* parent = nullptr);

    // Replaces the items and leaves nothing selected (a plain QComboBox
    // selects the first item it gets).
    void SetItems(const QStringList& items);

    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int index);
};
