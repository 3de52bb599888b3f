// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One change to the names of the inputs and outputs, for the pattern table's
// undo history: the names before and after, put back whole. Both leave the
// patterns' file unsaved (it keeps the names) and show the names again.

#include "work_state.h"

#include <QUndoCommand>

#include <functional>
#include <string>
#include <vector>

struct ColumnNames {
    std::vector<std::string> inputs, outputs;
    bool operator==(const ColumnNames&) const = default;
};

ColumnNames TakeColumnNames(const WorkState& state);

class ColumnNamesCommand : public QUndoCommand {
public:
    // The change is already made when the command is pushed: its first
    // redo does nothing. `show` brings the controls in step.
    ColumnNamesCommand(const QString& text, WorkState& state, ColumnNames before, ColumnNames after,
                       std::function<void()> show);

    void undo() override;
    void redo() override;

private:
    void Restore(const ColumnNames& names);

    WorkState& state_;
    ColumnNames before_, after_;
    std::function<void()> show_;
    bool made_ = true;
};
