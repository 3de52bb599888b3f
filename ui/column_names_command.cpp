// SPDX-License-Identifier: GPL-3.0-or-later
#include "column_names_command.h"

ColumnNames TakeColumnNames(const WorkState& state) { return {state.InputNames, state.OutputNames}; }

ColumnNamesCommand::ColumnNamesCommand(const QString& text, WorkState& state, ColumnNames before, ColumnNames after,
                                       std::function<void()> show)
    : QUndoCommand(text), state_(state), before_(std::move(before)), after_(std::move(after)), show_(std::move(show)) {}

void ColumnNamesCommand::undo() { Restore(before_); }

void ColumnNamesCommand::redo() {
    if (made_) {
        made_ = false;
        return;
    }
    Restore(after_);
}

void ColumnNamesCommand::Restore(const ColumnNames& names) {
    state_.InputNames = names.inputs;
    state_.OutputNames = names.outputs;
    state_.unsaved.patterns = true;
    show_();
}
