// SPDX-License-Identifier: GPL-3.0-or-later
// Training and running without the window: a seed gives the weights and the
// errors its definition gives, and whatever is refused leaves every output
// as it was, with the window's message and the exit status.

#include "batch_execution.h"
#include "batch_runner.h"
#include "batch_training.h"
#include "file_test_helpers.h"
#include "csv_patterns.h"
#include "line_splitter.h"
#include "network.h"
#include "network_files.h"
#include "network_snapshot.h"
#include "pattern_set.h"
#include "random_generator.h"
#include "real_text.h"
#include "ren_file.h"
#include "rna_file.h"
#include "seeded_replay.h"
#include "set_error.h"
#include "work_state.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <filesystem>
#include <set>
#include <sstream>

#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

// A 2-3-1 tangent network on XOR coded -0.8 / 0.8: negative targets.
const std::vector<std::string> kTangentRna{"2", "3", "1", "0", "1", "4", "-0.8", "-0.8", "-0.8", "0.8", "0.8",
                                           "-0.8", "0.8", "0.8", "-0.8", "0.8", "0.8", "-0.8"};
// The same with η = 0.1 and α = 0.5 in its [aprendizaje] block.
std::vector<std::string> WithLearningBlock(std::vector<std::string> lines) {
    lines.insert(lines.end(), {"[aprendizaje]", "0.1", "0.5"});
    return lines;
}
// A trained 2-2-1 sigmoid network, whose companion is XOR.
const std::vector<std::string> kTrainedRen{"2", "2", "1", "0", "0", "0.3", "-1.2", "0.7", "-0.4", "2.5",
                                           "-0.25", "1.5", "0.75", "-2"};

// Puts the networks the tests train into `folder`.
void WriteNetworks(const TemporaryFolder& folder) {
    const std::string xor_ = ReadBytes(std::string(PERCEPTLAB_EXAMPLES_DIR) + "/xor.rna");
    WriteBytes(folder.Path("xor.rna"), xor_);
    WriteBytes(folder.Path("trained.rna"), xor_);
    WriteBytes(folder.Path("trained.ren"), JoinLines(kTrainedRen));
    WriteBytes(folder.Path("tangent.rna"), JoinLines(kTangentRna));
    WriteBytes(folder.Path("learning.rna"), JoinLines(WithLearningBlock(kTangentRna)));
    WriteBytes(folder.Path("lonely.ren"), JoinLines(kTrainedRen));
    std::vector<std::string> withTest = kTangentRna;
    withTest.insert(withTest.end(), {"[prueba]", "2", "-0.8", "0.8", "0.8", "0.8", "0.8", "-0.8"});
    WriteBytes(folder.Path("test.rna"), JoinLines(withTest));
}

struct SeededCase {
    const char* name;
    const char* file;
    std::uint32_t seed;
    StopCriterion criterion;
    std::int32_t value;  // cycles or threshold
    std::int64_t every;
};

class SeededTrainingTest : public testing::TestWithParam<SeededCase> {
protected:
    void TearDown() override { RandomGenerator::SetFixedSeed(std::nullopt); }
};

const SeededCase kSeeded[] = {
    {"sigmoid_from_rna", "xor.rna", 7, StopCriterion::CycleCount, 20000, 1},
    {"tangent_from_rna_every_7", "tangent.rna", 0, StopCriterion::CycleCount, 5000, 7},
    {"from_ren_and_companion", "trained.ren", 4294967295u, StopCriterion::CycleCount, 3000, 1000},
    {"largest_error_criterion", "xor.rna", 3, StopCriterion::LargestError, 20, 1},
    {"smallest_error_criterion", "tangent.rna", 12345, StopCriterion::SmallestError, 3, 2},
    {"learning_block", "learning.rna", 9, StopCriterion::CycleCount, 3000, 100},
    {"test_block", "test.rna", 5, StopCriterion::CycleCount, 3000, 100},
};

TEST_P(SeededTrainingTest, WeightsAndEveryErrorAreTheDefinitions) {
    const SeededCase& c = GetParam();
    TemporaryFolder folder;
    WriteNetworks(folder);
    TrainingOrder order;
    order.file = folder.Path(c.file);
    order.criterion = c.criterion;
    (c.criterion == StopCriterion::CycleCount ? order.cycles : order.threshold) = c.value;
    order.seed = c.seed;
    order.savePath = folder.Path("out.ren");
    order.errorsPath = folder.Path("errors.csv");
    order.every = c.every;
    const TrainingSummary summary = TrainNetworkFile(order, '.', nullptr);

    const NetworkDescription description =
        std::string(c.file).ends_with(".ren") ? ReadRen(order.file) : ReadRna(order.file);
    const SeededReplay replay = ReplaySeededRun(description, c.seed, order.cycles, order.threshold);
    ASSERT_EQ(summary.iterations, static_cast<std::int64_t>(replay.errors.size()));
    EXPECT_EQ(ReadBytes(order.savePath), JoinLines(RenLines(*replay.network, description.Header.RuleSelection,
                                                            description.Header.FunctionSelection, '.')));
    EXPECT_EQ(summary.largest, std::max(0.0, *std::max_element(replay.errors.begin(), replay.errors.end())));
    EXPECT_EQ(summary.smallest, std::min(1000.0, *std::min_element(replay.errors.begin(), replay.errors.end())));
    // The test set's error after the run, in the summary only with test patterns.
    auto state = std::make_unique<WorkState>();
    ClearWorkState(*state);
    auto scratch = std::make_unique<TRedNeuronal>();
    ApplyDescription(description, *scratch, *state);
    const std::string text = SummaryText(summary, '.');
    if (state->TestPatternCount > 0) {
        const double expectedTest = SetErrors().MeanSquaredError(TakeSnapshot(*replay.network), TestPatterns(*state));
        ASSERT_TRUE(summary.testError.has_value());
        EXPECT_EQ(std::bit_cast<std::uint64_t>(*summary.testError), std::bit_cast<std::uint64_t>(expectedTest));
        EXPECT_TRUE(text.ends_with("\ntest error: " + ShortestText(expectedTest, '.') + "\n")) << text;
    } else {
        EXPECT_FALSE(summary.testError.has_value());
        EXPECT_EQ(text.find("test error"), std::string::npos) << text;
    }

    std::istringstream rows(ReadBytes(order.errorsPath));
    std::string row;
    std::getline(rows, row);
    EXPECT_EQ(row, "Iteración,Error (%) de cada iteración\r");
    std::int64_t expected = c.every;
    for (; std::getline(rows, row); expected += c.every) {
        const std::size_t comma = row.find(',');
        ASSERT_EQ(row.substr(0, comma), std::to_string(expected));
        double error = 0.0;
        std::from_chars(row.data() + comma + 1, row.data() + row.size() - 1, error);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(error),
                  std::bit_cast<std::uint64_t>(replay.errors[static_cast<std::size_t>(expected - 1)]))
            << "iteration " << expected;
    }
    EXPECT_GT(expected, summary.iterations) << "rows stop early";
    EXPECT_LE(expected, summary.iterations + c.every) << "rows after the run";
}

INSTANTIATE_TEST_SUITE_P(Cases, SeededTrainingTest, testing::ValuesIn(kSeeded),
                         [](const auto& info) { return std::string(info.param.name); });

// Both outputs are the text the data tab's exports write, under either
// decimal separator (quoted under ";").
class ExportFormTest : public testing::TestWithParam<char> {
protected:
    void TearDown() override { RandomGenerator::SetFixedSeed(std::nullopt); }
};

TEST_P(ExportFormTest, OutputsAreTheDataTabsExport) {
    const char decimal = GetParam();
    TemporaryFolder folder;
    WriteNetworks(folder);
    const PatternRows inputs = {{0.1, 0.9}, {-3.0, 1e3}, {7.5, -0.125}};
    WriteBytes(folder.Path("inputs.csv"), CsvPatternText(inputs, 2, 0, decimal));
    const ExecutionOrder run{folder.Path("trained.ren"), folder.Path("inputs.csv"), folder.Path("outputs.csv")};
    ASSERT_EQ(ExecuteCsv(run, decimal, nullptr), 3);
    auto network = std::make_unique<TRedNeuronal>();
    PrepareStartUpNetwork(*network);
    auto state = std::make_unique<WorkState>();
    ApplyDescription(ReadRen(run.network), *network, *state);
    PatternRows expected = inputs;
    for (std::vector<double>& row : expected) {
        network->Entradas[1] = row[0];
        network->Entradas[2] = row[1];
        network->Propagar();
        row.push_back(network->SalidasObtenidas[1]);
    }
    EXPECT_EQ(ReadBytes(run.outputs), CsvPatternText(expected, 2, 1, decimal));

    TrainingOrder order;
    order.file = folder.Path("xor.rna");
    order.cycles = 9000;
    order.seed = 5;
    order.errorsPath = folder.Path("errors.csv");
    order.every = 2;
    TrainNetworkFile(order, decimal, nullptr);
    const SeededReplay replay = ReplaySeededRun(ReadRna(order.file), 5, order.cycles);
    std::vector<std::pair<std::int64_t, double>> points;
    for (std::size_t t = 2; t <= replay.errors.size(); t += 2)
        points.emplace_back(static_cast<std::int64_t>(t), replay.errors[t - 1]);
    EXPECT_EQ(ReadBytes(order.errorsPath), CsvSeriesText(points, 1, decimal));
}

INSTANTIATE_TEST_SUITE_P(Decimals, ExportFormTest, testing::Values('.', ','),
                         [](const auto& info) { return std::string(info.param == ',' ? "comma" : "point"); });

struct RefusalCase {
    const char* name;
    std::vector<std::string> arguments;  // "@name" stands for that file of the folder
    int status;
    const char* messagePart;
};

class RefusalTest : public testing::TestWithParam<RefusalCase> {};

const RefusalCase kRefusals[] = {
    {"usage", {"--train", "@xor.rna"}, kExitUsage, "Usage: perceptlab"},
    {"missing_file", {"--train", "@none.rna", "--cycles", "5", "--save", "@old.ren"}, kExitRefused,
     "Cannot open file "},
    {"no_patterns", {"--train", "@lonely.ren", "--cycles", "5", "--errors", "@old.csv"}, kExitRefused,
     "No hay ningún patrón"},
    {"overflow_mid_run", {"--train", "@huge.rna", "--cycles", "50000", "--save", "@old.ren", "--errors", "@old.csv"},
     kExitRefused, "Floating point overflow"},
    {"save_into_a_folder", {"--train", "@xor.rna", "--cycles", "5", "--save", "@folder", "--errors", "@old.csv"},
     kExitRefused, "Cannot create file "},
    {"errors_into_a_fifo", {"--train", "@xor.rna", "--cycles", "5", "--save", "@old.ren", "--errors", "@fifo"},
     kExitRefused, "Cannot create file "},
    {"outputs_to_a_device", {"--run", "@trained.ren", "--inputs", "@inputs.csv", "--outputs", "/dev/null"},
     kExitRefused, "Cannot create file /dev/null"},
    {"column_count", {"--run", "@trained.ren", "--inputs", "@three_columns.csv", "--outputs", "@old.csv"},
     kExitRefused, "Fila 3: tiene 3 columnas y la red necesita 2"},
    {"not_a_number", {"--run", "@trained.ren", "--inputs", "@letters.csv", "--outputs", "@old.csv"}, kExitRefused,
     "Fila 4, columna 2: 'x' no es un número válido"},
    {"unreadable_network", {"--run", "@letters.csv", "--inputs", "@inputs.csv", "--outputs", "@old.csv"}, kExitRefused,
     "'1,2' is not a valid integer value."},
};

std::string Contents(std::FILE* file) {
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text += static_cast<char>(c);
    return text;
}

std::set<std::string> Listing(const TemporaryFolder& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.Folder()))
        names.insert(entry.path().filename().string() + ":" + (entry.is_regular_file() ? ReadBytes(entry.path()) : ""));
    return names;
}

TEST_P(RefusalTest, SaysWhyAndLeavesEveryOutputAlone) {
    const RefusalCase& c = GetParam();
    TemporaryFolder folder;
    WriteNetworks(folder);
    // Inputs so large that a sigmoid's exponential leaves the doubles on one of them.
    WriteBytes(folder.Path("huge.rna"), JoinLines({"1", "1", "1", "0", "0", "2", "1E150", "-1E150", "0.5", "0.5"}));
    WriteBytes(folder.Path("old.ren"), "old weights\r\n");
    WriteBytes(folder.Path("old.csv"), "old rows\r\n");
    WriteBytes(folder.Path("inputs.csv"), "0.1,0.9\r\n");
    WriteBytes(folder.Path("three_columns.csv"), "a,b\r\n1,2\r\n1,2,3\r\n");
    WriteBytes(folder.Path("letters.csv"), "1,2\r\n\r\n3,4\r\n5,x\r\n");
    fs::create_directory(folder.Path("folder"));
    ASSERT_EQ(::mkfifo(folder.Path("fifo").c_str(), 0600), 0);
    const std::set<std::string> before = Listing(folder);

    std::vector<std::string> arguments = c.arguments;
    for (std::string& argument : arguments)
        if (argument.starts_with("@")) argument = folder.Path(argument.substr(1));
    std::FILE* out = std::tmpfile();
    std::FILE* errors = std::tmpfile();
    const int status = RunBatch(ReadBatchRequest(arguments), '.', "Usage: perceptlab ...\n", out, errors, nullptr);
    const std::string said = Contents(errors);
    EXPECT_EQ(status, c.status);
    EXPECT_NE(said.find(c.messagePart), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), c.status == kExitUsage ? 2 : 1) << said;
    EXPECT_EQ(Contents(out), "");
    EXPECT_EQ(Listing(folder), before);
    std::fclose(out);
    std::fclose(errors);
    RandomGenerator::SetFixedSeed(std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusalTest, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
