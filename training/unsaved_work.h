// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What closing the window, a load or a new network would lose: whether the
// patterns and the weights changed since they were last saved or loaded.
// The untrained file (.rna) keeps the patterns, the trained file (.ren) the
// weights, so each flag names the file that would keep that work.

struct UnsavedWork {
    // The pattern table changed since the untrained file was saved or loaded.
    bool patterns = false;
    // Training changed the weights since the trained file was saved or
    // loaded. Fresh random weights are no work: a new network, an untrained
    // load and "Reiniciar" leave this false.
    bool weights = false;

    bool Any() const { return patterns || weights; }
};
