// SPDX-License-Identifier: GPL-3.0-or-later
#include "cached_frame_style.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTest>

#include <memory>

class CachedFrameStyleTest : public QObject {
    Q_OBJECT

private slots:
    void groupBoxesMatchTheUnderlyingStyle();
    void tabPanesMatchTheUnderlyingStyle();
};

namespace {

void SetBackground(QWidget& widget, QColor background) {
    if (!background.isValid()) return;
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, background);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

}  // namespace

// Boxes drawn through the cached frames, twice (the second from the cache),
// have the pixels the desktop's style itself draws: titled or not, disabled,
// on a palette of their own, small and large.
void CachedFrameStyleTest::groupBoxesMatchTheUnderlyingStyle() {
    CachedFrameStyle cached;
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(QApplication::style()->name()));
    QVERIFY(plain);
    const auto box = [](QStyle* style, const QString& title, QSize size, bool enabled, QColor background) {
        auto group = std::make_unique<QGroupBox>(title);
        group->setStyle(style);
        group->resize(size);
        group->setEnabled(enabled);
        SetBackground(*group, background);
        return group;
    };
    for (const bool enabled : {true, false}) {
        for (const QColor background : {QColor(), QColor(255, 128, 128)}) {
            for (const auto& [title, size] : {std::pair{QStringLiteral("Criterios "), QSize(194, 83)},
                                              std::pair{QString(), QSize(573, 352)}}) {
                const QImage expected = box(plain.get(), title, size, enabled, background)->grab().toImage();
                const auto viaCache = box(&cached, title, size, enabled, background);
                QCOMPARE(viaCache->grab().toImage(), expected);
                QCOMPARE(viaCache->grab().toImage(), expected);
            }
        }
    }
}

// The same for the pane of a tab set taller than one band, whichever tab is
// selected (the pane may join it), enabled or not.
void CachedFrameStyleTest::tabPanesMatchTheUnderlyingStyle() {
    CachedFrameStyle cached;
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(QApplication::style()->name()));
    QVERIFY(plain);
    const auto tabs = [](QStyle* style, int selected, bool enabled, QColor background) {
        auto set = std::make_unique<QTabWidget>();
        set->setStyle(style);
        for (const char* caption : {"Configuración", "Entrenamiento", "Ayuda"}) {
            set->addTab(new QLabel(QString::fromUtf8(caption)), QString::fromUtf8(caption));
        }
        set->setCurrentIndex(selected);
        set->resize(601, 401);
        set->setEnabled(enabled);
        SetBackground(*set, background);
        // The pane is laid out only once the set is shown.
        set->show();
        return set;
    };
    for (const bool enabled : {true, false}) {
        for (const QColor background : {QColor(), QColor(128, 128, 255)}) {
            for (const int selected : {0, 2}) {
                const QImage expected = tabs(plain.get(), selected, enabled, background)->grab().toImage();
                const auto viaCache = tabs(&cached, selected, enabled, background);
                QCOMPARE(viaCache->grab().toImage(), expected);
                QCOMPARE(viaCache->grab().toImage(), expected);
            }
        }
    }
}

QTEST_MAIN(CachedFrameStyleTest)
#include "cached_frame_style_test.moc"
