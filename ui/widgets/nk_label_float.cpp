// SPDX-License-Identifier: GPL-3.0-or-later
#include "nk_label_float.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QVBoxLayout>

namespace {

// The field as a screen reader sees it: its caption, and as its value the
// number it holds, told as the text it shows.
class NKLabelFloatAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit NKLabelFloatAccessible(TNKLabelFloat* field) : QAccessibleWidget(field, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text type) const override {
        if (type == QAccessible::Value) return Field()->Edit()->text();
        return QAccessibleWidget::text(type);
    }

    QVariant currentValue() const override { return double(Field()->Value()); }
    // Values come in through the keyboard and its rules only.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return {}; }
    QVariant minimumValue() const override { return {}; }
    QVariant minimumStepSize() const override { return {}; }

private:
    TNKLabelFloat* Field() const { return static_cast<TNKLabelFloat*>(widget()); }
};

QAccessibleInterface* AccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TNKLabelFloat") && object && object->isWidgetType())
        return new NKLabelFloatAccessible(static_cast<TNKLabelFloat*>(object));
    return nullptr;
}

}  // namespace

TNKLabelFloat::TNKLabelFloat(QWidget* parent)
    : QWidget(parent), label_(new QLabel(this)), edit_(new TFloatEdit(this)) {
    static const bool factoryInstalled = (QAccessible::installFactory(AccessibleFactory), true);
    (void)factoryInstalled;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(label_);
    layout->addWidget(edit_);
    label_->setBuddy(edit_);
    setFocusProxy(edit_);
}

QString TNKLabelFloat::Caption() const { return label_->text(); }

void TNKLabelFloat::SetCaption(const QString& caption) {
    label_->setText(caption);
    edit_->setAccessibleName(caption.trimmed());
    setAccessibleName(caption.trimmed());
}
