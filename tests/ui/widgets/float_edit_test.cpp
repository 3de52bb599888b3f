// SPDX-License-Identifier: GPL-3.0-or-later
// The labelled float field driven by real key, focus and clipboard events.

#include "localized.h"
#include "nk_label_float.h"
#include "program_error.h"
#include "recording_error_box.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QVBoxLayout>

#include <limits>
#include <memory>

class FloatEditTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void keyRules_data();
    void keyRules();
    void digitLimitsFollowTheFormat_data();
    void digitLimitsFollowTheFormat();
    void signToggleKeepsValueAndCaret_data();
    void signToggleKeepsValueAndCaret();
    void readOnlyRefusesTyping();
    void focusShowsBareThenFormattedText_data();
    void focusShowsBareThenFormattedText();
    void paste_data();
    void paste();
    void pasteFromContextMenuIsChecked();
    void cutLeavesTheRemainingNumber_data();
    void cutLeavesTheRemainingNumber();
    void setValueErrorsKeepTheField_data();
    void setValueErrorsKeepTheField();
    void disabledFieldKeepsValue();

private:
    // Focuses the field and gives it a bare text with the caret at `caret`
    // and `selected` characters selected after it.
    void Prepare(const QString& text, int caret, int selected);
    void Press(const QString& key);

    std::unique_ptr<QWidget> window_;
    TNKLabelFloat* field_ = nullptr;
    QLineEdit* other_ = nullptr;
};

void FloatEditTest::init() {
    window_ = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window_.get());
    field_ = new TNKLabelFloat(window_.get());
    field_->SetCaption(QStringLiteral("Entrada1 "));
    other_ = new QLineEdit(window_.get());
    layout->addWidget(field_);
    layout->addWidget(other_);
    window_->show();
    window_->activateWindow();
    QApplication::setActiveWindow(window_.get());
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void FloatEditTest::cleanup() { window_.reset(); }

void FloatEditTest::Prepare(const QString& text, int caret, int selected) {
    field_->Edit()->setFocus(Qt::TabFocusReason);
    QVERIFY(field_->Edit()->hasFocus());
    field_->Edit()->setText(Localized(text));
    if (selected > 0)
        field_->Edit()->setSelection(caret, selected);
    else
        field_->Edit()->setCursorPosition(caret);
}

// "BS", "Enter", "Esc", "KP." (the keypad's decimal key) or one character,
// "." standing for the locale's decimal separator.
void FloatEditTest::Press(const QString& key) {
    QLineEdit* edit = field_->Edit();
    if (key == QLatin1String("BS"))
        QTest::keyClick(edit, Qt::Key_Backspace);
    else if (key == QLatin1String("Enter"))
        QTest::keyClick(edit, Qt::Key_Return);
    else if (key == QLatin1String("Esc"))
        QTest::keyClick(edit, Qt::Key_Escape);
    else if (key == QLatin1String("KP."))
        QTest::keyClick(edit, Qt::Key_Period, Qt::KeypadModifier);
    else
        QTest::keyClicks(edit, Localized(key));
}

void FloatEditTest::keyRules_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("digit appended") << "12" << 2 << 0 << "3" << "123";
    QTest::newRow("fifth integer digit accepted") << "1234" << 4 << 0 << "5" << "12345";
    QTest::newRow("sixth integer digit refused") << "12345" << 5 << 0 << "6" << "12345";
    QTest::newRow("sixth integer digit refused before the decimals") << "12345.5" << 2 << 0 << "6" << "12345.5";
    QTest::newRow("sixth digit of a negative refused") << "-12345" << 6 << 0 << "6" << "-12345";
    QTest::newRow("eighth decimal accepted") << "1.1234567" << 9 << 0 << "8" << "1.12345678";
    QTest::newRow("ninth decimal refused") << "1.12345678" << 10 << 0 << "9" << "1.12345678";
    QTest::newRow("digit replacing a selection within the limit") << "12345" << 0 << 2 << "9" << "9345";
    QTest::newRow("separator typed") << "12" << 2 << 0 << "." << "12.";
    QTest::newRow("second separator refused") << "1.5" << 3 << 0 << "." << "1.5";
    QTest::newRow("separator replaces the selected one") << "2.5" << 0 << 3 << "." << ".";
    QTest::newRow("keypad decimal key types the separator") << "1" << 1 << 0 << "KP." << "1.";
    QTest::newRow("keypad decimal key refused beside a separator") << "1.5" << 3 << 0 << "KP." << "1.5";
    QTest::newRow("letter refused") << "12" << 2 << 0 << "a" << "12";
    QTest::newRow("plus refused") << "12" << 2 << 0 << "+" << "12";
    QTest::newRow("space on the whole text gives 0") << "12.5" << 0 << 4 << " " << "0";
    QTest::newRow("space elsewhere does nothing") << "12.5" << 2 << 0 << " " << "12.5";
    QTest::newRow("space on part of the text does nothing") << "12.5" << 0 << 2 << " " << "12.5";
    QTest::newRow("minus on 0 does nothing") << "0" << 1 << 0 << "-" << "0";
    QTest::newRow("minus on 0.0 does nothing") << "0.0" << 3 << 0 << "-" << "0.0";
    QTest::newRow("minus on an empty text does nothing") << "" << 0 << 0 << "-" << "";
    QTest::newRow("digit at the start of a negative refused") << "-2.5" << 0 << 0 << "7" << "-2.5";
    QTest::newRow("separator at the start of a negative refused") << "-25" << 0 << 0 << "." << "-25";
    QTest::newRow("backspace just after the sign refused") << "-2.5" << 1 << 0 << "BS" << "-2.5";
    QTest::newRow("backspace removes a digit") << "-2.5" << 2 << 0 << "BS" << "-.5";
    QTest::newRow("backspace removes the selection") << "123.5" << 1 << 3 << "BS" << "15";
    QTest::newRow("backspace joining six integer digits refused") << "123.456" << 4 << 0 << "BS" << "123.456";
    QTest::newRow("digit replacing a selection that holds the sign") << "-2.5" << 0 << 4 << "7" << "7";
    QTest::newRow("enter leaves the text") << "2.5" << 3 << 0 << "Enter" << "2.5";
    QTest::newRow("esc leaves the text") << "2.5" << 3 << 0 << "Esc" << "2.5";
}

void FloatEditTest::keyRules() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, selected);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    Prepare(text, caret, selected);
    Press(key);
    QCOMPARE(field_->Edit()->text(), Localized(expected));
}

void FloatEditTest::digitLimitsFollowTheFormat_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no decimals: separator refused") << "#,##0" << "12" << "." << "12";
    QTest::newRow("no decimals: fourth digit accepted") << "#,##0" << "123" << "4" << "1234";
    QTest::newRow("no decimals: fifth digit refused") << "#,##0" << "1234" << "5" << "1234";
    QTest::newRow("two decimals: second accepted") << "0.00" << "1.2" << "3" << "1.23";
    QTest::newRow("two decimals: third refused") << "0.00" << "1.23" << "4" << "1.23";
    QTest::newRow("one integer digit: second refused") << "0.00" << "1" << "2" << "1";
}

void FloatEditTest::digitLimitsFollowTheFormat() {
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    field_->SetDisplayFormat(format);
    Prepare(text, static_cast<int>(text.size()), 0);
    Press(key);
    QCOMPARE(field_->Edit()->text(), Localized(expected));
}

void FloatEditTest::signToggleKeepsValueAndCaret_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedCaret");
    QTest::addColumn<double>("expectedValue");
    QTest::addColumn<int>("caretAfterSecond");

    QTest::newRow("adds the sign, caret before the 2") << "2.5" << 0 << "-2.5" << 1 << -2.5 << 0;
    QTest::newRow("adds the sign, caret before the 5") << "2.5" << 2 << "-2.5" << 3 << -2.5 << 2;
    QTest::newRow("adds the sign, caret at the end") << "2.5" << 3 << "-2.5" << 4 << -2.5 << 3;
    QTest::newRow("removes the sign, caret before the 5") << "-2.5" << 3 << "2.5" << 2 << 2.5 << 3;
    QTest::newRow("removes the sign, caret before it") << "-2.5" << 0 << "2.5" << 0 << 2.5 << 1;
    QTest::newRow("removes the sign, caret after it") << "-2.5" << 1 << "2.5" << 0 << 2.5 << 1;
    QTest::newRow("small value") << "0.00000001" << 10 << "-0.00000001" << 11 << -0.00000001 << 10;
}

void FloatEditTest::signToggleKeepsValueAndCaret() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, expected);
    QFETCH(int, expectedCaret);
    QFETCH(double, expectedValue);
    QFETCH(int, caretAfterSecond);

    Prepare(text, caret, 0);
    Press(QStringLiteral("-"));
    QCOMPARE(field_->Edit()->text(), Localized(expected));
    QCOMPARE(field_->Edit()->cursorPosition(), expectedCaret);
    QCOMPARE(static_cast<double>(field_->Value()), expectedValue);

    // A second "-" gives the first text back, the caret still beside the
    // same digit.
    Press(QStringLiteral("-"));
    QCOMPARE(field_->Edit()->text(), Localized(text));
    QCOMPARE(field_->Edit()->cursorPosition(), caretAfterSecond);
    QCOMPARE(static_cast<double>(field_->Value()), -expectedValue);
}

void FloatEditTest::readOnlyRefusesTyping() {
    for (const QString key : {"3", "BS", " ", "-", "."}) {
        Prepare(QStringLiteral("12.5"), 4, 0);
        field_->SetReadOnly(true);
        if (key == QLatin1String(" ")) field_->Edit()->selectAll();
        Press(key);
        QVERIFY2(field_->Edit()->text() == Localized("12.5"), qPrintable(key));
        field_->SetReadOnly(false);
    }
}

void FloatEditTest::focusShowsBareThenFormattedText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("formatted");
    QTest::addColumn<double>("value");

    QTest::newRow("thousands") << "12345.678" << "12,345.678" << 12345.678;
    QTest::newRow("negative thousands") << "1234.5-" << "-1,234.5" << -1234.5;
    QTest::newRow("below a thousand") << "999" << "999" << 999.0;
    QTest::newRow("trailing separator") << "7." << "7" << 7.0;
    QTest::newRow("trailing zeros") << "0.50" << "0.5" << 0.5;
    QTest::newRow("lone separator") << "." << "0" << 0.0;
    QTest::newRow("eight decimals") << "0.12345678" << "0.12345678" << 0.12345678;
}

void FloatEditTest::focusShowsBareThenFormattedText() {
    QFETCH(QString, typed);
    QFETCH(QString, formatted);
    QFETCH(double, value);

    Prepare(QStringLiteral("0"), 0, 1);
    Press(typed);
    QCOMPARE(static_cast<double>(field_->Value()), value);

    other_->setFocus(Qt::TabFocusReason);
    QCOMPARE(field_->Edit()->text(), Localized(formatted));
    QCOMPARE(static_cast<double>(field_->Value()), value);

    field_->Edit()->setFocus(Qt::TabFocusReason);
    QString bare = Localized(formatted);
    bare.remove(RegionalGroupSeparator());
    QCOMPARE(field_->Edit()->text(), bare);
    QCOMPARE(field_->Edit()->selectedText(), bare);
    QCOMPARE(static_cast<double>(field_->Value()), value);
}

void FloatEditTest::paste_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<bool>("positiveOnly");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<double>("value");

    QTest::newRow("not a number")
        << "12" << 2 << 0 << "abc" << false << "12abc no representa un número en coma flotante válido." << "12" << 12.0;
    QTest::newRow("thousands separators are no number")
        << "0" << 0 << 1 << "1,234" << false
        << Localized("1,234") + " no representa un número en coma flotante válido." << "0" << 0.0;
    QTest::newRow("negative in a positive-only field")
        << "3" << 0 << 1 << "-5" << true << "No se admiten números negativos." << "3" << 3.0;
    QTest::newRow("too many integer digits")
        << "3" << 0 << 1 << "123456" << false << Localized("123456.00") + " tiene demasiados dígitos significativos."
        << "3" << 3.0;
    QTest::newRow("integer digits counted after the selection is replaced")
        << "1234" << 4 << 0 << "56" << false << Localized("123456.00") + " tiene demasiados dígitos significativos."
        << "1234" << 1234.0;
    QTest::newRow("decimals beyond the format are taken")
        << "0" << 0 << 1 << "1.123456789" << false << "" << "1.123456789" << 1.123456789;
    QTest::newRow("replaces the selection") << "12.5" << 1 << 1 << "34" << false << "" << "134.5" << 134.5;
    QTest::newRow("exponent written out") << "0" << 0 << 1 << "1.5e3" << false << "" << "1500" << 1500.0;
    QTest::newRow("negative where allowed") << "0" << 0 << 1 << "-7" << false << "" << "-7" << -7.0;
    // However long the clipboard, the message quotes its start, on one line.
    QTest::newRow("a 10 MB line quoted briefly")
        << "0" << 0 << 1 << QString(10 << 20, QLatin1Char('9')) << false
        << QString(40, QLatin1Char('9')) + "\u2026 no representa un número en coma flotante válido." << "0" << 0.0;
    QTest::newRow("line breaks and tabs quoted as blanks")
        << "0" << 0 << 1 << "1\n2\t3" << false << "1 2 3 no representa un número en coma flotante válido." << "0"
        << 0.0;
}

void FloatEditTest::paste() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, selected);
    QFETCH(QString, clipboard);
    QFETCH(bool, positiveOnly);
    QFETCH(QString, message);
    QFETCH(QString, expected);
    QFETCH(double, value);

    RecordingErrorBox box;
    field_->SetPositiveOnly(positiveOnly);
    Prepare(text, caret, selected);
    QApplication::clipboard()->setText(Localized(clipboard));
    QTest::keyClick(field_->Edit(), Qt::Key_V, Qt::ControlModifier);

    QCOMPARE(box.messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(field_->Edit()->text(), Localized(expected));
    QCOMPARE(static_cast<double>(field_->Value()), value);
    if (message.isEmpty()) QCOMPARE(field_->Edit()->selectedText(), Localized(expected));
}

void FloatEditTest::pasteFromContextMenuIsChecked() {
    RecordingErrorBox box;
    Prepare(QStringLiteral("12"), 2, 0);
    QApplication::clipboard()->setText(QStringLiteral("x"));
    QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(2, 2), field_->Edit()->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(field_->Edit(), &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
    QVERIFY(paste);
    paste->trigger();
    menu->close();
    QCOMPARE(box.messages, QStringList{"12x no representa un número en coma flotante válido."});
    QCOMPARE(field_->Edit()->text(), QStringLiteral("12"));
}

void FloatEditTest::cutLeavesTheRemainingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<double>("value");

    QTest::newRow("decimals cut") << "12.5" << 2 << 2 << ".5" << "12" << 12.0;
    QTest::newRow("everything cut") << "12.5" << 0 << 4 << "12.5" << "0" << 0.0;
    QTest::newRow("digits after the sign cut") << "-25" << 1 << 2 << "25" << "0" << 0.0;
    QTest::newRow("leading digit cut") << "-25" << 1 << 1 << "2" << "-5" << -5.0;
}

void FloatEditTest::cutLeavesTheRemainingNumber() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(int, selected);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);
    QFETCH(double, value);

    RecordingErrorBox box;
    Prepare(text, caret, selected);
    QTest::keyClick(field_->Edit(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), Localized(clipboard));
    QCOMPARE(field_->Edit()->text(), Localized(expected));
    QCOMPARE(static_cast<double>(field_->Value()), value);
    QVERIFY(box.messages.isEmpty());
}

void FloatEditTest::setValueErrorsKeepTheField_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("positiveOnly");
    QTest::addColumn<QString>("message");

    QTest::newRow("negative") << -0.5 << true << "No se admiten números negativos";
    QTest::newRow("six integer digits") << 100000.0 << false << Localized("100000.00") + " tiene demasiados dígitos significativos";
    QTest::newRow("rounds up to six digits") << 99999.99999999999 << false
                                            << Localized("100000.00") + " tiene demasiados dígitos significativos";
    QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << false
                              << "INF no representa un número en coma flotante válido";
}

void FloatEditTest::setValueErrorsKeepTheField() {
    QFETCH(double, value);
    QFETCH(bool, positiveOnly);
    QFETCH(QString, message);

    other_->setFocus(Qt::TabFocusReason);
    field_->SetPositiveOnly(positiveOnly);
    field_->SetValue(2.5);
    try {
        field_->SetValue(value);
        QFAIL("no error");
    } catch (const ProgramError& error) {
        QCOMPARE(QString::fromStdString(error.what()), message);
    }
    QCOMPARE(static_cast<double>(field_->Value()), 2.5);
    QCOMPARE(field_->Edit()->text(), Localized("2.5"));

    // The largest value within the limits is taken.
    field_->SetValue(99999.5);
    QCOMPARE(field_->Edit()->text(), Localized("99,999.5"));
}

void FloatEditTest::disabledFieldKeepsValue() {
    Prepare(QStringLiteral("0"), 0, 1);
    Press(QStringLiteral("4.25"));
    other_->setFocus(Qt::TabFocusReason);
    field_->setEnabled(false);
    QCOMPARE(static_cast<double>(field_->Value()), 4.25);

    field_->Edit()->setFocus(Qt::TabFocusReason);
    QVERIFY(!field_->Edit()->hasFocus());
    QTest::keyClicks(field_->Edit(), QStringLiteral("9"));
    QCOMPARE(field_->Edit()->text(), Localized("4.25"));

    field_->setEnabled(true);
    QCOMPARE(static_cast<double>(field_->Value()), 4.25);
    QCOMPARE(field_->Edit()->accessibleName(), QStringLiteral("Entrada1"));
}

QTEST_MAIN(FloatEditTest)
#include "float_edit_test.moc"
