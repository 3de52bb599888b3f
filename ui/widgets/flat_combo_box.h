#pragma once
// A drop-down list without free text. ItemIndex is -1 while nothing is
// selected; writing an index that names no item clears the selection.

#include <QComboBox>

class TFlatComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TFlatComboBox(QWidget* parent = nullptr);

    int ItemIndex() const { return currentIndex(); }
    void SetItemIndex(int index);
};
