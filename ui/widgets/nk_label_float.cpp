#include "nk_label_float.h"

#include <QVBoxLayout>

TNKLabelFloat::TNKLabelFloat(QWidget* parent)
    : QWidget(parent), label_(new QLabel(this)), edit_(new TFloatEdit(this)) {
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
