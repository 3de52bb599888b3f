// SPDX-License-Identifier: GPL-3.0-or-later
// The integer and float spin edits: clamping on write and on focus-out but
// not on read, the accepted keys, arrows and spin buttons.

#include "flat_spin_edit_float.h"
#include "flat_spin_edit_integer.h"
#include "localized.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

class SpinEditTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void writeClampsUnlessBoundsAreEqual_data();
    void writeClampsUnlessBoundsAreEqual();
    void typedValueReadUnclampedUntilFocusLeaves_data();
    void typedValueReadUnclampedUntilFocusLeaves();
    void maxValueWriteDoesNotReclamp();
    void acceptedKeys_data();
    void acceptedKeys();
    void arrowsAndSpinButtonsStepThroughTheWriter_data();
    void arrowsAndSpinButtonsStepThroughTheWriter();
    void readOnlyEditIgnoresSteps();
    void floatEditShowsEightSignificantDigits_data();
    void floatEditShowsEightSignificantDigits();
    void floatEditClampsLikeTheIntegerEdit();
    void longTextShrinksIntoANarrowEdit();

private:
    void TypeInto(TFlatSpinEdit* edit, const QString& keys);

    std::unique_ptr<QWidget> window_;
    TFlatSpinEditInteger* integer_ = nullptr;
    TFlatSpinEditFloat* float_ = nullptr;
    QLineEdit* other_ = nullptr;
};

void SpinEditTest::init() {
    window_ = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window_.get());
    integer_ = new TFlatSpinEditInteger(window_.get());
    float_ = new TFlatSpinEditFloat(window_.get());
    other_ = new QLineEdit(window_.get());
    layout->addWidget(integer_);
    layout->addWidget(float_);
    layout->addWidget(other_);
    window_->show();
    window_->activateWindow();
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void SpinEditTest::cleanup() { window_.reset(); }

// Focuses the edit, selects its text and types over it; "." stands for the
// decimal separator.
void SpinEditTest::TypeInto(TFlatSpinEdit* edit, const QString& keys) {
    edit->setFocus(Qt::TabFocusReason);
    edit->Editor()->selectAll();
    QCOMPARE(QApplication::focusWidget(), edit);
    QTest::keyClicks(edit, Localized(keys));
}

void SpinEditTest::writeClampsUnlessBoundsAreEqual_data() {
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<int>("written");
    QTest::addColumn<QString>("shown");

    QTest::newRow("above the range") << 0 << 3 << 7 << "3";
    QTest::newRow("below the range") << 1 << 32 << 0 << "1";
    QTest::newRow("inside the range") << 1 << 100 << 50 << "50";
    QTest::newRow("at the lower end") << 0 << 8 << 0 << "0";
    QTest::newRow("range 0..0 takes anything") << 0 << 0 << 7 << "7";
    QTest::newRow("range 0..0 takes negatives") << 0 << 0 << -12 << "-12";
    QTest::newRow("equal nonzero bounds take anything") << 5 << 5 << 1000 << "1000";
}

void SpinEditTest::writeClampsUnlessBoundsAreEqual() {
    QFETCH(int, minValue);
    QFETCH(int, maxValue);
    QFETCH(int, written);
    QFETCH(QString, shown);

    integer_->SetMinValue(minValue);
    integer_->SetMaxValue(maxValue);
    integer_->SetValue(written);
    QCOMPARE(integer_->Text(), shown);
    QCOMPARE(integer_->Value(), shown.toInt());
}

void SpinEditTest::typedValueReadUnclampedUntilFocusLeaves_data() {
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("read");
    QTest::addColumn<QString>("afterFocusOut");

    QTest::newRow("above the range") << 0 << 3 << "7" << 7 << "3";
    QTest::newRow("below the range") << 1 << 32 << "-4" << -4 << "1";
    QTest::newRow("inside the range") << 1 << 32 << "12" << 12 << "12";
    QTest::newRow("no range") << 0 << 0 << "99999" << 99999 << "99999";
    QTest::newRow("explicit plus") << 0 << 0 << "+5" << 5 << "+5";
    QTest::newRow("not an integer reads the minimum") << 1 << 32 << "1.5" << 1 << "1.5";
    QTest::newRow("empty reads the minimum") << 1 << 100 << "" << 1 << "";
    QTest::newRow("lone sign reads the minimum") << 0 << 8 << "-" << 0 << "-";
    QTest::newRow("too large for 32 bits reads the minimum") << 0 << 0 << "3000000000" << 0 << "3000000000";
}

void SpinEditTest::typedValueReadUnclampedUntilFocusLeaves() {
    QFETCH(int, minValue);
    QFETCH(int, maxValue);
    QFETCH(QString, typed);
    QFETCH(int, read);
    QFETCH(QString, afterFocusOut);

    integer_->SetMinValue(minValue);
    integer_->SetMaxValue(maxValue);
    integer_->SetValue(minValue);
    TypeInto(integer_, typed);
    if (typed.isEmpty()) QTest::keyClick(integer_, Qt::Key_Backspace);
    QCOMPARE(integer_->Text(), Localized(typed));
    QCOMPARE(integer_->Value(), read);

    other_->setFocus(Qt::TabFocusReason);
    QCOMPARE(integer_->Text(), Localized(afterFocusOut));
}

void SpinEditTest::maxValueWriteDoesNotReclamp() {
    integer_->SetMinValue(0);
    integer_->SetMaxValue(5);
    integer_->SetValue(5);
    integer_->SetMaxValue(2);
    QCOMPARE(integer_->Text(), QStringLiteral("5"));
    QCOMPARE(integer_->Value(), 5);
    // The next write clamps to the new bound.
    integer_->SetValue(integer_->Value());
    QCOMPARE(integer_->Value(), 2);
}

void SpinEditTest::acceptedKeys_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("digits") << "123" << "123";
    QTest::newRow("signs") << "+-1" << "+-1";
    QTest::newRow("decimal separator") << "1.5" << "1.5";
    QTest::newRow("letters refused") << "1a2b" << "12";
    QTest::newRow("blank and punctuation refused") << "1 2/3*" << "123";
}

void SpinEditTest::acceptedKeys() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);

    for (TFlatSpinEdit* edit : std::initializer_list<TFlatSpinEdit*>{integer_, float_}) {
        TypeInto(edit, typed);
        QCOMPARE(edit->Text(), Localized(shown));
        // Enter is refused too: it neither clears nor reformats the text.
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->Text(), Localized(shown));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->Text(), Localized(shown).chopped(1));
    }
}

void SpinEditTest::arrowsAndSpinButtonsStepThroughTheWriter_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("up");
    QTest::addColumn<int>("expected");

    QTest::newRow("up") << 2 << true << 3;
    QTest::newRow("up stops at the maximum") << 3 << true << 3;
    QTest::newRow("down") << 1 << false << 0;
    QTest::newRow("down stops at the minimum") << 0 << false << 0;
}

void SpinEditTest::arrowsAndSpinButtonsStepThroughTheWriter() {
    QFETCH(int, start);
    QFETCH(bool, up);
    QFETCH(int, expected);

    integer_->SetMinValue(0);
    integer_->SetMaxValue(3);

    integer_->SetValue(start);
    integer_->setFocus(Qt::TabFocusReason);
    QTest::keyClick(integer_, up ? Qt::Key_Up : Qt::Key_Down);
    QCOMPARE(integer_->Value(), expected);

    integer_->SetValue(start);
    QStyleOptionSpinBox option;
    option.initFrom(integer_);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown | QStyle::SC_SpinBoxFrame;
    option.buttonSymbols = integer_->buttonSymbols();
    option.frame = integer_->hasFrame();
    const QRect button = integer_->style()->subControlRect(
        QStyle::CC_SpinBox, &option, up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, integer_);
    QVERIFY(button.isValid());
    QTest::mouseClick(integer_, Qt::LeftButton, Qt::NoModifier, button.center());
    QCOMPARE(integer_->Value(), expected);
}

void SpinEditTest::readOnlyEditIgnoresSteps() {
    integer_->SetValue(4);
    integer_->SetReadOnly(true);
    integer_->setFocus(Qt::TabFocusReason);
    QTest::keyClick(integer_, Qt::Key_Up);
    integer_->stepBy(1);
    QTest::keyClicks(integer_, QStringLiteral("7"));
    QCOMPARE(integer_->Text(), QStringLiteral("4"));
    // The program still writes into it.
    integer_->SetValue(9);
    QCOMPARE(integer_->Text(), QStringLiteral("9"));
}

void SpinEditTest::floatEditShowsEightSignificantDigits_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("shown");

    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("percent error") << 12.3456789012 << "12.345679";
    QTest::newRow("half") << 2.5 << "2.5";
    QTest::newRow("negative") << -0.125 << "-0.125";
    QTest::newRow("eight integer digits") << 12345678.9 << "12345679";
    QTest::newRow("nine integer digits") << 123456789.0 << "1.2345679E08";
    QTest::newRow("rounding carries into a ninth digit") << 99999999.5 << "1E08";
    QTest::newRow("smallest fixed") << 0.0001 << "0.0001";
    QTest::newRow("below it") << 0.00001234 << "1.234E-05";
    QTest::newRow("large exponent") << 1.5e120 << "1.5E120";
}

void SpinEditTest::floatEditShowsEightSignificantDigits() {
    QFETCH(double, value);
    QFETCH(QString, shown);

    float_->SetValue(value);
    QCOMPARE(float_->Text(), Localized(shown));
}

void SpinEditTest::floatEditClampsLikeTheIntegerEdit() {
    float_->SetValue(1e6);
    QCOMPARE(float_->Text(), QStringLiteral("1000000"));
    float_->SetMinValue(0);
    float_->SetMaxValue(100);
    float_->SetValue(250);
    QCOMPARE(float_->Text(), QStringLiteral("100"));
    TypeInto(float_, QStringLiteral("-3.5"));
    QCOMPARE(float_->Value(), -3.5);
    other_->setFocus(Qt::TabFocusReason);
    QCOMPARE(float_->Text(), QStringLiteral("0"));
}

void SpinEditTest::longTextShrinksIntoANarrowEdit() {
    float_->setFixedWidth(98);
    QApplication::processEvents();
    const int usual = QFontInfo(float_->Editor()->font()).pixelSize();

    float_->SetValue(3.14125e-13);
    const QFontMetrics shrunk(float_->Editor()->font());
    QVERIFY(shrunk.horizontalAdvance(float_->Text()) <= float_->Editor()->contentsRect().width());
    QVERIFY(QFontInfo(float_->Editor()->font()).pixelSize() < usual);

    float_->SetValue(2.5);
    QCOMPARE(QFontInfo(float_->Editor()->font()).pixelSize(), usual);
}

QTEST_MAIN(SpinEditTest)
#include "spin_edit_test.moc"
