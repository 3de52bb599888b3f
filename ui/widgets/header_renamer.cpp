// SPDX-License-Identifier: GPL-3.0-or-later
#include "header_renamer.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

HeaderRenamer::HeaderRenamer(QTableView& table, std::function<bool(int column)> renamable)
    : QObject(&table), table_(table), renamable_(std::move(renamable)) {
    QHeaderView* header = table_.horizontalHeader();
    connect(header, &QHeaderView::sectionDoubleClicked, this, [this](int section) { Edit(section + 1); });
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header, &QHeaderView::customContextMenuRequested, this, [this, header](QPoint at) {
        const int column = header->logicalIndexAt(at) + 1;
        if (column < 1 || !renamable_(column)) return;
        auto* menu = new QMenu(header);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        QAction* rename = menu->addAction(QStringLiteral("Renombrar columna…"), this, [this, column] { Edit(column); });
        rename->setObjectName(QStringLiteral("renameColumn"));
        menu->popup(header->viewport()->mapToGlobal(at));
    });
}

void HeaderRenamer::Edit(int column) {
    if (column < 1 || !renamable_(column)) return;
    Close(false);
    QHeaderView* header = table_.horizontalHeader();
    const int section = column - 1;
    table_.scrollTo(table_.model()->index(0, section));
    column_ = column;
    editor_ = new QLineEdit(header->viewport());
    editor_->setObjectName(QStringLiteral("columnNameEditor"));
    editor_->setAccessibleName(QStringLiteral("Nombre de la columna"));
    editor_->setGeometry(header->sectionViewportPosition(section), 0, header->sectionSize(section), header->height());
    editor_->setText(table_.model()->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString());
    editor_->selectAll();
    editor_->installEventFilter(this);
    connect(editor_, &QLineEdit::returnPressed, this, [this] {
        const QString text = editor_->text();
        const int column = column_;
        Close(true);
        emit Renamed(column, text);
    });
    editor_->show();
    editor_->setFocus(Qt::OtherFocusReason);
}

bool HeaderRenamer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == editor_) {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            Close(true);
            return true;
        }
        if (event->type() == QEvent::FocusOut) Close(false);
    }
    return QObject::eventFilter(watched, event);
}

// Hidden at once, deleted later: it may be closing from its own signal.
void HeaderRenamer::Close(bool refocus) {
    if (!editor_) return;
    QLineEdit* editor = editor_;
    editor_ = nullptr;
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
    if (refocus) table_.setFocus(Qt::OtherFocusReason);
}
