// SPDX-License-Identifier: GPL-3.0-or-later
// The built program run as a script runs it, with no display: its exit
// status and what it prints, its saved weights and every iteration's error
// against the model's own functions, and a run's outputs against Propagar.

#include "file_test_helpers.h"
#include "line_splitter.h"
#include "network_files.h"
#include "ren_file.h"
#include "rna_file.h"
#include "seeded_replay.h"
#include "work_state.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <sstream>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>

namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string errors;
    long peakKilobytes = 0;
};

// Runs the program in `folder` with only PATH and a C locale in its
// environment: no display.
Outcome RunProgram(const TemporaryFolder& folder, const std::vector<std::string>& arguments) {
    std::vector<std::string> words{PERCEPTLAB_EXECUTABLE};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    std::string path = "PATH=/usr/bin:/bin", lang = "LANG=C.UTF-8";
    char* envp[] = {path.data(), lang.data(), nullptr};
    const std::string outPath = folder.Path("stdout"), errorsPath = folder.Path("stderr");
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
        ::dup2(::open(errorsPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        ::chdir(folder.Folder().c_str());
        ::execve(argv[0], argv.data(), envp);
        ::_exit(127);
    }
    Outcome outcome;
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    outcome.out = ReadBytes(outPath);
    outcome.errors = ReadBytes(errorsPath);
    outcome.peakKilobytes = usage.ru_maxrss;
    return outcome;
}

enum class Check { Nothing, SeededWeightsAndErrors, OutputsArePropagar, MillionRows };

struct ProcessCase {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    const char* outPart;     // in the standard output
    const char* errorsPart;  // in the standard error ("" for nothing at all there)
    Check check;
};

const ProcessCase kCases[] = {
    {"short_help", {"-h"}, 0, "--train FILE", "", Check::Nothing},
    {"version", {"--version"}, 0, "perceptlab ", "", Check::Nothing},
    {"two_input_files", {"--train", "xor.rna", "tangent.rna", "--cycles", "3"}, 2, "", "one file at a time", Check::Nothing},
    {"every_zero", {"--train", "xor.rna", "--cycles", "3", "--errors", "e.csv", "--every", "0"}, 2, "", "Usage:", Check::Nothing},
    {"seed_past_32_bits", {"--train", "xor.rna", "--cycles", "3", "--seed", "4294967296"}, 2, "", "--seed", Check::Nothing},
    {"window_without_display", {"xor.rna"}, 1, "", "xvfb-run", Check::Nothing},
    {"save_into_a_folder", {"--train", "xor.rna", "--cycles", "3", "--save", "/tmp"}, 1, "", "Cannot create file /tmp.",
     Check::Nothing},
    {"seeded_training", {"--train", "xor.rna", "--cycles", "4000", "--seed", "11", "--save", "out.ren", "--errors", "errors.csv"},
     0, "iterations: 4000\n", "", Check::SeededWeightsAndErrors},
    {"run", {"--run", "trained.ren", "--inputs", "inputs.csv", "--outputs", "outputs.csv"}, 0, "", "",
     Check::OutputsArePropagar},
    {"million_rows", {"--run", "trained.ren", "--inputs", "million.csv"}, 0, "Entrada1,Entrada2,Salida1\r\n", "",
     Check::MillionRows},
};

class ProcessTest : public testing::TestWithParam<ProcessCase> {};

void CheckSeededRun(const TemporaryFolder& folder) {
    const NetworkDescription description = ReadRna(folder.Path("xor.rna"));
    const SeededReplay replay = ReplaySeededRun(description, 11, 4000);
    EXPECT_EQ(ReadBytes(folder.Path("out.ren")), JoinLines(RenLines(*replay.network, 0, 0, '.')));
    std::istringstream rows(ReadBytes(folder.Path("errors.csv")));
    std::string row;
    std::getline(rows, row);
    std::size_t t = 0;
    while (std::getline(rows, row)) {
        ASSERT_LT(t, replay.errors.size());
        ASSERT_EQ(row.substr(0, row.find(',')), std::to_string(t + 1));
        double error = 0.0;
        std::from_chars(row.data() + row.find(',') + 1, row.data() + row.size() - 1, error);
        ASSERT_EQ(std::bit_cast<std::uint64_t>(error), std::bit_cast<std::uint64_t>(replay.errors[t])) << row;
        ++t;
    }
    EXPECT_EQ(t, replay.errors.size());
}

void CheckOutputs(const TemporaryFolder& folder) {
    auto network = std::make_unique<TRedNeuronal>();
    PrepareStartUpNetwork(*network);
    auto state = std::make_unique<WorkState>();
    ApplyDescription(ReadRen(folder.Path("trained.ren")), *network, *state);
    std::istringstream rows(ReadBytes(folder.Path("outputs.csv")));
    std::string row;
    std::getline(rows, row);
    EXPECT_EQ(row, "Entrada1,Entrada2,Salida1\r");
    int count = 0;
    for (; std::getline(rows, row); ++count) {
        double values[3] = {};
        const char* at = row.data();
        for (double& value : values) at = std::from_chars(at, row.data() + row.size(), value).ptr + 1;
        network->Entradas[1] = values[0];
        network->Entradas[2] = values[1];
        network->Propagar();
        EXPECT_EQ(std::bit_cast<std::uint64_t>(values[2]), std::bit_cast<std::uint64_t>(network->SalidasObtenidas[1]))
            << row;
    }
    EXPECT_EQ(count, 4);
}

TEST_P(ProcessTest, AnswersAsAScriptExpects) {
    const ProcessCase& c = GetParam();
    TemporaryFolder folder;
    WriteBytes(folder.Path("xor.rna"), ReadBytes(std::string(PERCEPTLAB_EXAMPLES_DIR) + "/xor.rna"));
    WriteBytes(folder.Path("tangent.rna"), JoinLines({"2", "3", "1", "0", "1", "1", "0.5", "0.5", "-0.5"}));
    WriteBytes(folder.Path("trained.ren"),
               JoinLines({"2", "2", "1", "0", "0", "0.3", "-1.2", "0.7", "-0.4", "2.5", "-0.25", "1.5", "0.75", "-2"}));
    WriteBytes(folder.Path("inputs.csv"), "x;y\n0,1;0,9\n-3;1e3\n\n0;0\n7,5;-0,125\n");
    if (c.check == Check::MillionRows) {
        std::string rows = "x,y\n";
        for (int r = 0; r < 1000000; ++r) rows += std::to_string(r % 97) + ".5," + std::to_string(r % 89) + "\n";
        WriteBytes(folder.Path("million.csv"), rows);
    }

    const Outcome outcome = RunProgram(folder, c.arguments);
    EXPECT_EQ(outcome.status, c.status) << outcome.errors;
    EXPECT_NE(outcome.out.find(c.outPart), std::string::npos) << outcome.out.substr(0, 200);
    if (*c.errorsPart == '\0') {
        EXPECT_EQ(outcome.errors, "");
    } else {
        EXPECT_NE(outcome.errors.find(c.errorsPart), std::string::npos) << outcome.errors;
    }
    // A refusal is one sentence; a usage mistake is followed by the usage.
    if (c.status == 1) {
        EXPECT_EQ(std::count(outcome.errors.begin(), outcome.errors.end(), '\n'), 1) << outcome.errors;
    }
    switch (c.check) {
    case Check::Nothing: break;
    case Check::SeededWeightsAndErrors: CheckSeededRun(folder); break;
    case Check::OutputsArePropagar: CheckOutputs(folder); break;
    case Check::MillionRows:
        EXPECT_EQ(std::count(outcome.out.begin(), outcome.out.end(), '\n'), 1000001);
        // Held whole, the 10^6 rows alone would take some 40 MB.
        EXPECT_LT(outcome.peakKilobytes, 20 * 1024);
        break;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ProcessTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
