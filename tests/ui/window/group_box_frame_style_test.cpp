#include "group_box_frame_style.h"

#include <QApplication>
#include <QGroupBox>
#include <QStyleFactory>
#include <QTest>

#include <memory>

class GroupBoxFrameStyleTest : public QObject {
    Q_OBJECT

private slots:
    void framesMatchTheUnderlyingStyle_data();
    void framesMatchTheUnderlyingStyle();
};

void GroupBoxFrameStyleTest::framesMatchTheUnderlyingStyle_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QColor>("background");
    QTest::newRow("titled") << QStringLiteral("Entrenar ") << QSize(194, 83) << true << QColor();
    QTest::newRow("disabled") << QStringLiteral("Entrenar ") << QSize(194, 83) << false << QColor();
    QTest::newRow("coloured") << QStringLiteral("Criterios ") << QSize(176, 36) << true << QColor(255, 128, 128);
    QTest::newRow("untitled, large") << QString() << QSize(573, 352) << true << QColor();
}

// A box drawn through the cached frames, twice (the second from the cache),
// has the pixels of the same box drawn by the desktop's style itself.
void GroupBoxFrameStyleTest::framesMatchTheUnderlyingStyle() {
    QFETCH(QString, title);
    QFETCH(QSize, size);
    QFETCH(bool, enabled);
    QFETCH(QColor, background);
    GroupBoxFrameStyle cached;
    const std::unique_ptr<QStyle> plain(QStyleFactory::create(QApplication::style()->name()));
    QVERIFY(plain);
    const auto box = [&](QStyle* style) {
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
    const QImage expected = box(plain.get())->grab().toImage();
    const auto viaCache = box(&cached);
    QCOMPARE(viaCache->grab().toImage(), expected);
    QCOMPARE(viaCache->grab().toImage(), expected);
}

QTEST_MAIN(GroupBoxFrameStyleTest)
#include "group_box_frame_style_test.moc"
