// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_driver.h"

#include "flat_combo_box.h"
#include "flat_spin_edit_integer.h"
#include "float_grid.h"
#include "nk_label_float.h"
#include "regional_separators.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

std::optional<QString> ScriptedDialogs::Execute(QWidget*, const FileDialogRequest& request) {
    asked << request;
    if (answers.isEmpty()) return std::nullopt;
    return answers.takeFirst();
}

void ScriptedDialogs::RememberFolderOf(const QString& path) { remembered << path; }

void RecordingErrorBox::Show(const QString& message, const QString& explanation) {
    messages << message;
    explanations << explanation;
    if (onShow) onShow();
}

void RecordingInfoBox::Show(QWidget*, const QString& message) { messages << message; }

bool RecordingInfoBox::Ask(QWidget*, const QString& question) {
    questions << question;
    return !answers.isEmpty() && answers.takeFirst();
}

SaveQuestion::Answer RecordingSaveQuestion::Ask(QWidget*, const QString& question) {
    questions << question;
    return answers.isEmpty() ? Answer::Discard : answers.takeFirst();
}

WindowDriver::WindowDriver()
    : settingsIsolated_([this] {
          QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("settings"));
          return true;
      }()),
      separator_(QLatin1Char(RegionalDecimalSeparator())),
      form_(std::make_unique<TForm1>(RegionalDecimalSeparator())) {
    SetErrorBox(&errors);
    form_->SetFileDialogs(&dialogs);
    form_->SetInfoBox(&notices);
    form_->SetSaveQuestion(&saveQuestions);
    form_->show();
    QApplication::setActiveWindow(form_.get());
    form_->activateWindow();
    (void)QTest::qWaitForWindowActive(form_.get());
}

WindowDriver::~WindowDriver() {
    form_.reset();
    SetErrorBox(nullptr);
}

QString WindowDriver::Regional(QString number) const { return number.replace(QLatin1Char('.'), separator_); }

void WindowDriver::Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

void WindowDriver::TypeInto(QWidget* edit, const QString& text) {
    QTest::mouseClick(edit, Qt::LeftButton);
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus, Qt::Key_End);
    QTest::keyClick(focus, Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClicks(focus, text);
}

void WindowDriver::TypeNumber(TNKLabelFloat* field, const QString& number) { TypeInto(field->Edit(), Regional(number)); }

void WindowDriver::ShowTab(QWidget* sheet) {
    QTabBar* bar = form_->PageControl1->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(form_->PageControl1->indexOf(sheet)).center());
}

void WindowDriver::CreateNetwork(int inputs, int hidden, int outputs, int rule, int function) {
    ShowTab(form_->TabSheet1);
    TypeInto(form_->FlatSpinEditInteger1, QString::number(inputs));
    TypeInto(form_->FlatSpinEditInteger2, QString::number(hidden));
    TypeInto(form_->FlatSpinEditInteger3, QString::number(outputs));
    // Down from "nothing selected" picks the first item, then each next one.
    const auto choose = [](TFlatComboBox* list, int item) {
        if (item < 0) return;
        list->setFocus(Qt::TabFocusReason);
        for (int i = 0; i <= item; ++i) QTest::keyClick(list, Qt::Key_Down);
    };
    choose(form_->FlatComboBox1, rule);
    choose(form_->FlatComboBox2, function);
    Click(form_->SpeedButton1);
}

void WindowDriver::AddPattern(const QStringList& inputs, const QStringList& outputs) {
    if (form_->PageControl1->currentWidget() != form_->TabSheet2) ShowTab(form_->TabSheet2);
    for (int k = 0; k < inputs.size(); ++k) TypeNumber(form_->NKLabelFloat[k + 1], inputs[k]);
    for (int k = 0; k < outputs.size(); ++k) TypeNumber(form_->NKLabelFloat[k + 11], outputs[k]);
    Click(form_->SpeedButton3);
}

void WindowDriver::PrepareXor() {
    CreateNetwork(2, 2, 1, 0, 0);
    AddPattern({"0.1", "0.1"}, {"0.1"});
    AddPattern({"0.1", "0.9"}, {"0.9"});
    AddPattern({"0.9", "0.1"}, {"0.9"});
    AddPattern({"0.9", "0.9"}, {"0.1"});
    ShowTab(form_->TabSheet3);
}

QByteArray WindowDriver::Bytes(const QStringList& lines) const {
    QByteArray bytes;
    for (const QString& line : lines) bytes += Regional(line).toUtf8() + "\r\n";
    return bytes;
}

QString WindowDriver::WriteFile(const QString& name, const QStringList& lines) const {
    const QString path = Path(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
    file.write(Bytes(lines));
    return path;
}

QByteArray WindowDriver::ReadFile(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QStringList RowTexts(TFloatGrid& grid, int row) {
    QStringList texts;
    for (int col = 0; col < grid.ColCount(); ++col) texts << grid.Cells(col, row);
    return texts;
}
