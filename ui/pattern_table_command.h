// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One change to a set of patterns, for the undo history: the set as it was
// before and after, put back whole, so undo and redo give the table bit for
// bit. Both leave the set unsaved and show it again.

#include "pattern_snapshot.h"

#include <QUndoCommand>

#include <functional>
#include <memory>

class PatternTableCommand : public QUndoCommand {
public:
    // The change is already made when the command is pushed: its first
    // redo does nothing. `show` brings the set's controls in step.
    PatternTableCommand(const QString& text, WorkState& state, PatternSetKind set, const PatternSnapshot& before,
                        const PatternSnapshot& after, std::function<void()> show);

    void undo() override;
    void redo() override;

private:
    void Restore(const PatternSnapshot& snapshot);

    WorkState& state_;
    PatternSetKind set_;
    // On the heap: each is some 50 kB.
    std::unique_ptr<const PatternSnapshot> before_;
    std::unique_ptr<const PatternSnapshot> after_;
    std::function<void()> show_;
    bool made_ = true;
};
