// SPDX-License-Identifier: GPL-3.0-or-later
#include "pattern_table_command.h"

PatternTableCommand::PatternTableCommand(const QString& text, WorkState& state, PatternSetKind set,
                                         const PatternSnapshot& before, const PatternSnapshot& after,
                                         std::function<void()> show)
    : QUndoCommand(text),
      state_(state),
      set_(set),
      before_(std::make_unique<const PatternSnapshot>(before)),
      after_(std::make_unique<const PatternSnapshot>(after)),
      show_(std::move(show)) {}

void PatternTableCommand::undo() { Restore(*before_); }

void PatternTableCommand::redo() {
    if (made_) {
        made_ = false;
        return;
    }
    Restore(*after_);
}

void PatternTableCommand::Restore(const PatternSnapshot& snapshot) {
    RestorePatternSnapshot(state_, set_, snapshot);
    state_.unsaved.patterns = true;
    show_();
}
