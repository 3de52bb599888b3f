// SPDX-License-Identifier: GPL-3.0-or-later
#include "flat_combo_box.h"

TFlatComboBox::TFlatComboBox(QWidget* parent) : QComboBox(parent) { setEditable(false); }

void TFlatComboBox::SetItems(const QStringList& items) {
    clear();
    addItems(items);
    setCurrentIndex(-1);
}

void TFlatComboBox::SetItemIndex(int index) { setCurrentIndex(index >= 0 && index < count() ? index : -1); }
