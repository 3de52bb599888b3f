// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch_request.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <limits>
#include <map>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 11> kOptions{"--train",  "--run",  "--cycles", "--max-error",
                                                    "--min-error", "--seed", "--save",   "--errors",
                                                    "--every",  "--inputs", "--outputs"};

class Mistake {
public:
    explicit Mistake(std::string text) : text(std::move(text)) {}
    std::string text;
};

// A whole number in [low, high], written with decimal digits only.
std::int64_t Number(const std::map<std::string, std::string>& values, const std::string& option, std::int64_t low,
                    std::int64_t high) {
    const std::string& text = values.at(option);
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    const bool digits = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || error != std::errc() || stop != end || value < low || value > high)
        throw Mistake(option + " takes a whole number from " + std::to_string(low) + " to " + std::to_string(high) +
                      ", not \"" + text + "\"");
    return value;
}

// Two names of one file: the same text, or the same existing file.
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

void RefuseOverwritingInput(const std::string& input, const std::string& output, const std::string& option) {
    if (!output.empty() && SameFile(input, output)) throw Mistake(option + " names an input file");
}

std::map<std::string, std::string> OptionValues(const std::vector<std::string>& arguments) {
    std::map<std::string, std::string> values;
    for (auto argument = arguments.begin(); argument != arguments.end(); ++argument) {
        if (*argument == "--") throw Mistake("\"--\" has no place with --train or --run");
        const std::string_view text = *argument;
        const std::string name(text.substr(0, text.find('=')));
        if (!text.starts_with("--") || std::find(kOptions.begin(), kOptions.end(), name) == kOptions.end()) {
            if (!text.starts_with("-")) throw Mistake("\"" + *argument + "\" is no option's value: one file at a time");
            throw Mistake("unknown option " + *argument);
        }
        std::string value;
        if (name.size() < text.size()) {
            value = text.substr(name.size() + 1);
        } else {
            if (argument + 1 == arguments.end()) throw Mistake("option " + name + " needs a value");
            value = *++argument;
        }
        if (value.empty()) throw Mistake("option " + name + " needs a value");
        const bool input = name == "--train" || name == "--run";
        if (values.contains(name)) throw Mistake(input ? "one file at a time" : "option " + name + " given twice");
        values[name] = value;
    }
    return values;
}

TrainingOrder ReadTraining(std::map<std::string, std::string>& values) {
    TrainingOrder order;
    order.file = values["--train"];
    int criteria = 0;
    constexpr std::int64_t kLargestCount = std::numeric_limits<std::int32_t>::max();
    if (values.contains("--cycles")) {
        ++criteria;
        order.criterion = StopCriterion::CycleCount;
        order.cycles = static_cast<std::int32_t>(Number(values, "--cycles", 1, kLargestCount));
    }
    if (values.contains("--max-error")) {
        ++criteria;
        order.criterion = StopCriterion::LargestError;
        order.threshold = static_cast<std::int32_t>(Number(values, "--max-error", 1, 100));
    }
    if (values.contains("--min-error")) {
        ++criteria;
        order.criterion = StopCriterion::SmallestError;
        order.threshold = static_cast<std::int32_t>(Number(values, "--min-error", 1, 100));
    }
    if (criteria != 1) throw Mistake("--train takes one of --cycles, --max-error and --min-error");
    if (values.contains("--seed"))
        order.seed = static_cast<std::uint32_t>(Number(values, "--seed", 0, std::numeric_limits<std::uint32_t>::max()));
    order.savePath = values["--save"];
    order.errorsPath = values["--errors"];
    if (values.contains("--every")) {
        if (order.errorsPath.empty()) throw Mistake("--every needs --errors");
        order.every = Number(values, "--every", 1, std::numeric_limits<std::int64_t>::max());
    }
    if (values.contains("--inputs") || values.contains("--outputs"))
        throw Mistake("--inputs and --outputs go with --run");
    RefuseOverwritingInput(order.file, order.savePath, "--save");
    RefuseOverwritingInput(order.file, order.errorsPath, "--errors");
    if (!order.savePath.empty() && SameFile(order.savePath, order.errorsPath))
        throw Mistake("--save and --errors name the same file");
    return order;
}

ExecutionOrder ReadExecution(std::map<std::string, std::string>& values) {
    for (const char* option : {"--cycles", "--max-error", "--min-error", "--seed", "--save", "--errors", "--every"}) {
        if (values.contains(option)) throw Mistake(std::string(option) + " goes with --train");
    }
    if (!values.contains("--inputs")) throw Mistake("--run needs --inputs");
    ExecutionOrder order{values["--run"], values["--inputs"], values["--outputs"]};
    RefuseOverwritingInput(order.network, order.outputs, "--outputs");
    RefuseOverwritingInput(order.inputs, order.outputs, "--outputs");
    return order;
}

}  // namespace

bool AsksForBatch(const std::vector<std::string>& arguments) {
    const auto end = std::find(arguments.begin(), arguments.end(), "--");
    return std::any_of(arguments.begin(), end, [](const std::string& argument) {
        const std::string_view name = std::string_view(argument).substr(0, argument.find('='));
        return name == "--train" || name == "--run";
    });
}

BatchRequest ReadBatchRequest(const std::vector<std::string>& arguments) {
    BatchRequest request;
    try {
        std::map<std::string, std::string> values = OptionValues(arguments);
        const bool train = values.contains("--train");
        const bool run = values.contains("--run");
        if (train == run) throw Mistake("either --train or --run");
        if (train) {
            request.training = ReadTraining(values);
            request.mode = BatchRequest::Mode::Train;
        } else {
            request.execution = ReadExecution(values);
            request.mode = BatchRequest::Mode::Run;
        }
    } catch (const Mistake& mistake) {
        request.mode = BatchRequest::Mode::Mistake;
        request.mistake = mistake.text;
    }
    return request;
}
