// SPDX-License-Identifier: GPL-3.0-or-later
#include "ren_file.h"

#include "file_test_helpers.h"
#include "integer_text.h"
#include "line_splitter.h"
#include "real_reading.h"
#include "real_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Every weight of the network gets a value naming its place: layer 1 or 2,
// neuron j, index k.
void NamedWeights(TRedNeuronal& network) {
    for (int j = 1; j <= network.CapaOculta.NumeroNeuronas(); ++j) {
        for (int k = 0; k <= network.CapaOculta.NumeroEntradas(); ++k) network.CapaOculta.Neuronas[j].Pesos[k] = 100 + j * 10 + k;
    }
    for (int j = 1; j <= network.CapaSalida.NumeroNeuronas(); ++j) {
        for (int k = 0; k <= network.CapaSalida.NumeroEntradas(); ++k) network.CapaSalida.Neuronas[j].Pesos[k] = 200 + j * 10 + k;
    }
}

TEST(RenLines, WeightsFollowLayerNeuronAndIndexOrder) {
    TRedNeuronal network;
    Topology(network, 3, 4, 2);
    NamedWeights(network);
    Lines lines = RenLines(network, 0, 1, '.');
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ((Lines(lines.begin(), lines.begin() + 5)), (Lines{"3", "4", "2", "0", "1"}));
    EXPECT_EQ(lines[6 - 1], "110");   // hidden neuron 1's bias weight
    EXPECT_EQ(lines[9 - 1], "113");   // hidden neuron 1's last weight
    EXPECT_EQ(lines[10 - 1], "120");  // hidden neuron 2's bias weight
    EXPECT_EQ(lines[22 - 1], "210");  // output neuron 1's bias weight
    EXPECT_EQ(lines[27 - 1], "220");  // output neuron 2's bias weight
    EXPECT_EQ(lines[31 - 1], "224");
}

TEST(RenLines, StartUpNetworkHasFourteenLines) {
    TRedNeuronal network;
    PrepareStartUpNetwork(network);
    Lines lines = RenLines(network, -1, -1, ',');
    ASSERT_EQ(lines.size(), 14u);
    // Random initial weights: the first and the last weight line.
    EXPECT_EQ(lines[5], RealText(network.CapaOculta.Neuronas[1].Pesos[0], ','));
    EXPECT_EQ(lines[13], RealText(network.CapaSalida.Neuronas[1].Pesos[2], ','));
}

TEST(DescribeRen, ReadsWeightsFromTheirLines) {
    TRedNeuronal network;
    Topology(network, 3, 4, 2);
    NamedWeights(network);
    NetworkDescription d = DescribeRen(JoinLines(RenLines(network, 0, 2, ',')));
    EXPECT_EQ(d.Kind, NetworkFileKind::Trained);
    EXPECT_FALSE(d.Patterns.has_value());
    ASSERT_EQ(d.HiddenWeights.size(), 16u);
    ASSERT_EQ(d.OutputWeights.size(), 10u);
    EXPECT_EQ(d.HiddenWeights[4], 120);
    EXPECT_EQ(d.OutputWeights[9], 224);
    EXPECT_EQ(d.Header.FunctionSelection, 2);
}

TEST(DescribeRen, MissingWeightLineIsNumberedFromZero) {
    TRedNeuronal network;
    Topology(network, 3, 4, 2);
    Lines lines = RenLines(network, 0, 0, '.');
    lines.pop_back();
    EXPECT_EQ(MessageOf([&] { DescribeRen(JoinLines(lines)); }), "List index out of bounds (30)");
    lines.resize(5);
    EXPECT_EQ(MessageOf([&] { DescribeRen(JoinLines(lines)); }), "List index out of bounds (5)");
}

TEST(DescribeRen, HasNoPatternCountLine) {
    // Line 6 is a weight: a fraction there reads, where an untrained file would fail.
    Lines lines{"1", "1", "1", "0", "0", "0.5", "1", "2", "3"};
    NetworkDescription d = DescribeRen(JoinLines(lines));
    EXPECT_EQ(d.HiddenWeights, (std::vector<double>{0.5, 1}));
    EXPECT_EQ(d.OutputWeights, (std::vector<double>{2, 3}));
}

// The companion sits beside the trained file, named after the file alone: a
// "." in the folder's name does not cut it, and a file named after the
// folder is not taken. A byte-order mark starts either file.
TEST(ReadRen, FindsTheCompanionBesideItWhateverTheFolderIsCalled) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.Path("nets.v2"));
    TRedNeuronal network;
    Topology(network, 1, 1, 1);
    const std::string mark = "\xEF\xBB\xBF";
    WriteBytes(folder.Path("nets.v2/net.ren"), mark + JoinLines(RenLines(network, 0, 0, '.')));
    WriteBytes(folder.Path("nets.v2/net.rna"), mark + JoinLines({"1", "1", "1", "0", "0", "1", "0.5", "0.25"}));
    WriteBytes(folder.Path("nets.rna"), JoinLines({"1", "1", "1", "0", "0", "1", "7", "7"}));
    const NetworkDescription d = ReadRen(folder.Path("nets.v2/net.ren"));
    ASSERT_TRUE(d.Patterns.has_value());
    EXPECT_EQ(d.Patterns->Entradas, std::vector<double>{0.5});
    EXPECT_EQ(d.Patterns->Salidas, std::vector<double>{0.25});
    EXPECT_EQ(d.NombreRed, "net");
}

class Companion : public ::testing::Test {
protected:
    // A trained 2-2-1 description.
    NetworkDescription trained = DescribeRen(JoinLines({"2", "2", "1", "0", "0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
};

TEST_F(Companion, OfTheSameTopologyGivesItsPatterns) {
    AddCompanion(trained, JoinLines({"2", "2", "1", "-1", "-1", "1", "0,5", "1", "0"}), "/r/xor.rna");
    ASSERT_TRUE(trained.Patterns.has_value());
    EXPECT_EQ(trained.Patterns->Entradas, (std::vector<double>{0.5, 1}));
    EXPECT_EQ(trained.Patterns->Salidas, (std::vector<double>{0}));
    EXPECT_EQ(trained.Warning, "");
}

TEST_F(Companion, CountsAreComparedAfterTheLimit) {
    AddCompanion(trained, JoinLines({" 2", "2", "$1", "7", "7", "0"}), "/r/xor.rna");
    EXPECT_TRUE(trained.Patterns.has_value());
    NetworkDescription single = DescribeRen(JoinLines({"1", "1", "1", "0", "0", "1", "2", "3", "4"}));
    AddCompanion(single, JoinLines({"0", "-4", "1", "0", "0", "0"}), "/r/una.rna");
    EXPECT_TRUE(single.Patterns.has_value());
}

TEST_F(Companion, OfAnotherTopologyIsLeftOutWithAWarning) {
    for (const Lines& header : {Lines{"3", "2", "1"}, Lines{"2", "3", "1"}, Lines{"2", "2", "2"}}) {
        NetworkDescription d = trained;
        Lines lines = header;
        // Its own pattern part would not even read: a mismatch is not looked into further.
        lines.insert(lines.end(), {"0", "0", "1", "basura"});
        AddCompanion(d, JoinLines(lines), "/r/xor.rna");
        EXPECT_FALSE(d.Patterns.has_value());
        EXPECT_EQ(d.Warning, "El fichero de patrones /r/xor.rna no corresponde a la topología de la red; no se ha cargado.");
    }
}

TEST_F(Companion, MalformedOneFailsTheLoad) {
    EXPECT_EQ(MessageOf([&] { AddCompanion(trained, JoinLines({"2", "2"}), "/r/x.rna"); }),
              "List index out of bounds (2)");
    EXPECT_EQ(MessageOf([&] { AddCompanion(trained, JoinLines({"2", "2", "1", "0", "0", "1", "1", "x"}), "/r/x.rna"); }),
              "'x' is not a valid floating point value");
    EXPECT_EQ(MessageOf([&] { AddCompanion(trained, JoinLines({"2", "2", "1", "0", "0", "1000"}), "/r/x.rna"); }),
              "'1000' is not a valid pattern count");
    // Lines 4 and 5 are passed over, yet one longer than any number stops the read.
    const std::string longLine(kMaxLineLength + 1, '0');
    EXPECT_EQ(MessageOf([&] { AddCompanion(trained, JoinLines({"2", "2", "1", longLine, "0", "0"}), "/r/x.rna"); }),
              "'" + longLine.substr(0, 40) + "\u2026' is not a valid integer value");
}

}  // namespace
