// SPDX-License-Identifier: GPL-3.0-or-later
// The drop-down list's item index, -1 meaning nothing selected.

#include "flat_combo_box.h"

#include <QTest>

class FlatComboBoxTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithNothingSelected();
    void itemIndexWrite_data();
    void itemIndexWrite();
};

void FlatComboBoxTest::startsWithNothingSelected() {
    TFlatComboBox list;
    list.SetItems({QStringLiteral("Sigmoide"), QStringLiteral("TangenteHiperbolica"), QStringLiteral("Identidad")});
    QCOMPARE(list.ItemIndex(), -1);
    QCOMPARE(list.currentText(), QString());
    QVERIFY(!list.isEditable());
}

void FlatComboBoxTest::itemIndexWrite_data() {
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("expected");

    QTest::newRow("index 2 of one item") << 1 << 0 << 2 << -1;
    QTest::newRow("index 1 of one item") << 1 << 0 << 1 << -1;
    QTest::newRow("index 0 of one item") << 1 << -1 << 0 << 0;
    QTest::newRow("last of three") << 3 << 0 << 2 << 2;
    QTest::newRow("one past three") << 3 << 1 << 3 << -1;
    QTest::newRow("minus one clears") << 3 << 2 << -1 << -1;
    QTest::newRow("other negative clears") << 3 << 2 << -7 << -1;
    QTest::newRow("empty list") << 0 << -1 << 0 << -1;
}

void FlatComboBoxTest::itemIndexWrite() {
    QFETCH(int, items);
    QFETCH(int, selected);
    QFETCH(int, written);
    QFETCH(int, expected);

    TFlatComboBox list;
    QStringList texts;
    for (int i = 0; i < items; ++i) texts << QStringLiteral("item %1").arg(i);
    list.SetItems(texts);
    list.SetItemIndex(selected);
    QCOMPARE(list.ItemIndex(), selected);
    list.SetItemIndex(written);
    QCOMPARE(list.ItemIndex(), expected);
    QCOMPARE(list.currentText(), expected < 0 ? QString() : texts[expected]);
}

QTEST_MAIN(FlatComboBoxTest)
#include "flat_combo_box_test.moc"
