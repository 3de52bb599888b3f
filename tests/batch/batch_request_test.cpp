// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of a training or a run: each order read in full, and each
// mistake named.

#include "batch_request.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct RequestCase {
    const char* name;
    std::vector<std::string> arguments;
    BatchRequest::Mode mode;
    const char* mistakePart;  // for Mode::Mistake
};

class BatchRequestTest : public testing::TestWithParam<RequestCase> {};

using Mode = BatchRequest::Mode;

const RequestCase kCases[] = {
    {"cycles", {"--train", "x.rna", "--cycles", "2147483647"}, Mode::Train, ""},
    {"values after equals", {"--train=x.ren", "--min-error=100", "--seed=4294967295", "--errors=e.csv", "--every=3"}, Mode::Train, ""},
    {"run to standard output", {"--run", "x.ren", "--inputs", "in.csv"}, Mode::Run, ""},
    {"run to a file", {"--outputs", "out.csv", "--run", "x.ren", "--inputs", "in.csv"}, Mode::Run, ""},
    {"no criterion", {"--train", "x.rna"}, Mode::Mistake, "one of --cycles"},
    {"two criteria", {"--train", "x.rna", "--cycles", "5", "--max-error", "5"}, Mode::Mistake, "one of --cycles"},
    {"zero cycles", {"--train", "x.rna", "--cycles", "0"}, Mode::Mistake, "from 1 to 2147483647"},
    {"cycles past 32 bits", {"--train", "x.rna", "--cycles", "2147483648"}, Mode::Mistake, "from 1 to 2147483647"},
    {"signed cycles", {"--train", "x.rna", "--cycles", "+5"}, Mode::Mistake, "not \"+5\""},
    {"threshold past 100", {"--train", "x.rna", "--max-error", "101"}, Mode::Mistake, "from 1 to 100"},
    {"seed past 32 bits", {"--train", "x.rna", "--cycles", "1", "--seed", "4294967296"}, Mode::Mistake, "from 0 to 4294967295"},
    {"negative seed", {"--train", "x.rna", "--cycles", "1", "--seed", "-1"}, Mode::Mistake, "not \"-1\""},
    {"every 0", {"--train", "x.rna", "--cycles", "1", "--errors", "e.csv", "--every", "0"}, Mode::Mistake, "--every takes"},
    {"every without errors", {"--train", "x.rna", "--cycles", "1", "--every", "2"}, Mode::Mistake, "--every needs --errors"},
    {"two input files", {"--train", "a.rna", "b.rna", "--cycles", "1"}, Mode::Mistake, "one file at a time"},
    {"two trainings", {"--train", "a.rna", "--train", "b.rna", "--cycles", "1"}, Mode::Mistake, "one file at a time"},
    {"train and run", {"--train", "a.rna", "--run", "b.ren", "--cycles", "1"}, Mode::Mistake, "either --train or --run"},
    {"option twice", {"--train", "a.rna", "--cycles", "1", "--cycles", "2"}, Mode::Mistake, "given twice"},
    {"value missing", {"--train", "a.rna", "--cycles"}, Mode::Mistake, "needs a value"},
    {"empty value", {"--train", "a.rna", "--cycles", "1", "--save="}, Mode::Mistake, "needs a value"},
    {"saving over the input", {"--train", "a.rna", "--cycles", "1", "--save", "a.rna"}, Mode::Mistake, "names an input"},
    {"one file for both outputs", {"--train", "a.rna", "--cycles", "1", "--save", "o", "--errors", "o"}, Mode::Mistake, "same file"},
    {"run without inputs", {"--run", "x.ren"}, Mode::Mistake, "--run needs --inputs"},
    {"run with a seed", {"--run", "x.ren", "--inputs", "i.csv", "--seed", "1"}, Mode::Mistake, "--seed goes with --train"},
    {"training with inputs", {"--train", "x.rna", "--cycles", "1", "--inputs", "i.csv"}, Mode::Mistake, "go with --run"},
    {"outputs over the inputs", {"--run", "x.ren", "--inputs", "i.csv", "--outputs", "i.csv"}, Mode::Mistake, "names an input"},
    {"a window option", {"--train", "x.rna", "--cycles", "1", "-style", "fusion"}, Mode::Mistake, "unknown option -style"},
};

TEST_P(BatchRequestTest, ReadsTheOrderOrNamesTheMistake) {
    const RequestCase& c = GetParam();
    const BatchRequest request = ReadBatchRequest(c.arguments);
    EXPECT_TRUE(AsksForBatch(c.arguments));
    ASSERT_EQ(request.mode, c.mode) << request.mistake;
    if (c.mode == Mode::Mistake) {
        EXPECT_NE(request.mistake.find(c.mistakePart), std::string::npos) << request.mistake;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, BatchRequestTest, testing::ValuesIn(kCases), [](const auto& info) {
    std::string name = info.param.name;
    for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
});

// The values reach the order as given, each in its place.
TEST(BatchRequestValues, ReachTheOrder) {
    const BatchRequest train = ReadBatchRequest(
        {"--train=x.ren", "--min-error=100", "--seed=4294967295", "--errors=e.csv", "--every=3", "--save", "o.ren"});
    EXPECT_EQ(train.training.file, "x.ren");
    EXPECT_EQ(train.training.criterion, StopCriterion::SmallestError);
    EXPECT_EQ(train.training.threshold, 100);
    EXPECT_EQ(train.training.seed, 4294967295u);
    EXPECT_EQ(train.training.errorsPath, "e.csv");
    EXPECT_EQ(train.training.every, 3);
    EXPECT_EQ(train.training.savePath, "o.ren");
    const BatchRequest unseeded = ReadBatchRequest({"--train", "x.rna", "--max-error", "7"});
    EXPECT_EQ(unseeded.training.criterion, StopCriterion::LargestError);
    EXPECT_EQ(unseeded.training.threshold, 7);
    EXPECT_FALSE(unseeded.training.seed.has_value());
    EXPECT_EQ(unseeded.training.every, 1);
    EXPECT_FALSE(AsksForBatch({"--", "--train"}));
}

}  // namespace
