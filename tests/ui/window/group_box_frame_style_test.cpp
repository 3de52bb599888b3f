#include "group_box_frame_style.h"

#include <QApplication>
#include <QGroupBox>
#include <QStyleFactory>
#include <QTest>

#include <memory>

class GroupBoxFrameStyleTest : public QObject {
    Q_OBJECT

private slots:
    void framesMatchTheUnderlyingStyle();
};

// Boxes drawn through the cached frames, twice (the second from the cache),
// have the pixels the desktop's style itself draws: titled or not, disabled,
// on a palette of their own, small and large.
void GroupBoxFrameStyleTest::framesMatchTheUnderlyingStyle() {
    GroupBoxFrameStyle cached;
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(QApplication::style()->name()));
    QVERIFY(plain);
    const auto box = [](QStyle* style, const QString& title, QSize size, bool enabled, QColor background) {
        auto group = std::make_unique<QGroupBox>(title);
        group->setStyle(style);
        group->resize(size);
        group->setEnabled(enabled);
        if (background.isValid()) {
            QPalette palette = group->palette();
            palette.setColor(QPalette::Window, background);
            group->setPalette(palette);
            group->setAutoFillBackground(true);
        }
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

QTEST_MAIN(GroupBoxFrameStyleTest)
#include "group_box_frame_style_test.moc"
