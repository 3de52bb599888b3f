// SPDX-License-Identifier: GPL-3.0-or-later
// A load leaves saved the weights and whatever patterns it took.

#include "file_test_helpers.h"
#include "network_files.h"
#include "ren_file.h"
#include "rna_file.h"
#include "work_state.h"

#include <gtest/gtest.h>

namespace {

TEST(UnsavedWork, LoadLeavesSavedWhatItTook) {
    const struct {
        const char* name;
        bool trained;
        bool companion;
        bool patterns;  // still unsaved after the load
    } cases[] = {
        {"untrained file", false, true, false},
        {"trained file with its patterns", true, true, false},
        {"trained file alone keeps the table", true, false, true},
    };
    for (const auto& c : cases) {
        TemporaryFolder folder;
        WriteBytes(folder.Path("red.ren"), "1\r\n1\r\n1\r\n0\r\n0\r\n1\r\n2\r\n3\r\n4\r\n");
        if (c.companion) WriteBytes(folder.Path("red.rna"), "1\r\n1\r\n1\r\n0\r\n0\r\n1\r\n5\r\n6\r\n");
        TRedNeuronal network;
        PrepareStartUpNetwork(network);
        WorkState state;
        state.unsaved = {.patterns = true, .weights = true};
        ApplyDescription(c.trained ? ReadRen(folder.Path("red.ren")) : ReadRna(folder.Path("red.rna")), network, state);
        EXPECT_FALSE(state.unsaved.weights) << c.name;
        EXPECT_EQ(state.unsaved.patterns, c.patterns) << c.name;
    }
}

}  // namespace
