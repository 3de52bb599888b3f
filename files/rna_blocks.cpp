// SPDX-License-Identifier: GPL-3.0-or-later
#include "rna_blocks.h"

#include "column_names.h"
#include "file_patterns.h"
#include "integer_text.h"
#include "line_reader.h"
#include "program_error.h"
#include "read_messages.h"
#include "real_text.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

constexpr std::string_view kTestMarker = "[prueba]";
constexpr std::string_view kLearningMarker = "[aprendizaje]";
constexpr std::string_view kNamesMarker = "[nombres]";

enum class Block : std::uint8_t { Test, Learning, Names };

struct BlockKind {
    Block block;
    std::string_view marker;
    std::string_view what;  // in the note about a block not read
};

constexpr std::array<BlockKind, 3> kBlocks = {{
    {Block::Test, kTestMarker, "patrones de prueba"},
    {Block::Learning, kLearningMarker, "tasa de aprendizaje y momento"},
    {Block::Names, kNamesMarker, "nombres de entradas y salidas"},
}};

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

const BlockKind* KindOf(std::string_view marker) {
    const auto* found = std::find_if(kBlocks.begin(), kBlocks.end(), [&](const BlockKind& k) { return k.marker == marker; });
    return found == kBlocks.end() ? nullptr : found;
}

// Why a block was not read, and whether what follows it can still be found.
struct Fault {
    std::string reason;
    bool restUnread = false;
};

class BlockReader {
public:
    BlockReader(LineReader& reader, std::int32_t lastLine, std::int32_t inputs, std::int32_t outputs,
                NetworkDescription& description)
        : reader_(reader), line_(lastLine), inputs_(inputs), outputs_(outputs), description_(description) {}

    void ReadAll() {
        std::array<bool, kBlocks.size()> seen{};
        bool markerMet = false;
        for (;;) {
            std::optional<std::string_view> text = NextLine();
            while (text && Trimmed(*text).empty()) text = NextLine();
            if (!text) return;
            const BlockKind* kind = KindOf(*text);
            if (kind == nullptr) {
                if (const BlockKind* blank = KindOf(Trimmed(*text))) {
                    AddWarning(description_, BlockNotReadNote(blank->marker, blank->what, MarkerBlanksReason(line_), true));
                } else if (markerMet || Trimmed(*text).starts_with('[')) {
                    AddWarning(description_, UnknownBlockNote(line_, *text));
                }
                return;
            }
            markerMet = true;
            bool& once = seen[static_cast<std::size_t>(kind->block)];
            if (once) {
                AddWarning(description_, BlockRepeatedNote(kind->marker, line_));
                return;
            }
            once = true;
            const std::optional<Fault> fault = Read(kind->block);
            if (fault) {
                AddWarning(description_, BlockNotReadNote(kind->marker, kind->what, fault->reason, fault->restUnread));
                if (fault->restUnread) return;
            }
        }
    }

private:
    // The next line, numbered in line_; none at the end of the text.
    std::optional<std::string_view> NextLine() {
        const LineReader::Following next = reader_.Next();
        if (next.end == LineEnd::EndOfText) {
            ended_ = true;
            return std::nullopt;
        }
        ++line_;
        tooLong_ = next.end == LineEnd::TooLong;
        return next.text;
    }

    std::optional<Fault> Read(Block block) {
        switch (block) {
        case Block::Test:
            return ReadTest();
        case Block::Learning:
            return ReadLearning();
        case Block::Names:
            return ReadNames();
        }
        return std::nullopt;
    }

    // The real on `text`, line `line`, or why it is none; `tooLong`: the
    // text is the start of a longer line.
    static std::optional<Fault> RealOf(std::string_view text, std::int32_t line, bool tooLong, double& value) {
        if (tooLong) return Fault{BlockLongLineReason(line)};
        const RealReading reading = ReadLineReal(text);
        switch (reading.status) {
        case RealStatus::Valid:
            value = reading.value;
            return std::nullopt;
        case RealStatus::Overflow:
            return Fault{BlockOverflowReason(line, text)};
        case RealStatus::NotANumber:
            break;
        }
        return Fault{BlockNotANumberReason(line, text)};
    }

    // Reads `count` reals; after a bad one the rest are still passed over,
    // so that the next block is found.
    std::optional<Fault> ReadReals(std::int32_t count, std::vector<double>& values) {
        std::optional<Fault> fault;
        values.resize(static_cast<std::size_t>(count));
        for (double& value : values) {
            const std::optional<std::string_view> text = NextLine();
            if (!text) return Fault{BlockEndsEarlyReason()};
            if (!fault) fault = RealOf(*text, line_, tooLong_, value);
        }
        return fault;
    }

    std::optional<Fault> ReadTest() {
        const std::optional<std::string_view> text = NextLine();
        if (!text) return Fault{BlockEndsEarlyReason()};
        const std::optional<std::int32_t> count = ReadInteger(*text, IntegerForms::DecimalOrHexadecimal);
        if (tooLong_ || !count || *count < 0 || *count > kMaxPatterns) return Fault{TestCountReason(line_, *text), true};
        FilePatterns patterns;
        patterns.NumeroPatrones = *count;
        const std::optional<Fault> inputs = ReadReals(*count * inputs_, patterns.Entradas);
        if (ended_) return inputs;
        const std::optional<Fault> outputs = ReadReals(*count * outputs_, patterns.Salidas);
        if (inputs) return inputs;
        if (!outputs) description_.TestPatterns = std::move(patterns);
        return outputs;
    }

    std::optional<Fault> ReadLearning() {
        std::array<std::string, 2> texts;
        for (std::string& text : texts) {
            const std::optional<std::string_view> line = NextLine();
            if (!line) return Fault{BlockEndsEarlyReason()};
            text = *line;
        }
        // A line too long ends the text, so only α's can be one.
        const std::int32_t rateLine = line_ - 1;
        LearningSettings settings;
        if (std::optional<Fault> fault = RealOf(texts[0], rateLine, false, settings.LearningRate)) return fault;
        if (std::optional<Fault> fault = RealOf(texts[1], line_, tooLong_, settings.Momentum)) return fault;
        if (!ValidLearningRate(settings.LearningRate)) return Fault{LearningRateReason(rateLine, texts[0])};
        if (!ValidMomentum(settings.Momentum)) return Fault{MomentumReason(line_, texts[1])};
        description_.Learning = settings;
        return std::nullopt;
    }

    std::optional<Fault> ReadNames() {
        std::vector<std::string> names;
        std::optional<Fault> fault;
        for (std::int32_t n = 0; n < inputs_ + outputs_; ++n) {
            const std::optional<std::string_view> text = NextLine();
            if (!text) return Fault{BlockEndsEarlyReason()};
            if (fault) continue;
            const std::string nameFault = NameFault(*text);
            if (tooLong_) {
                fault = Fault{BlockLongLineReason(line_)};
            } else if (!nameFault.empty()) {
                fault = Fault{NameReason(line_, nameFault)};
            } else {
                names.emplace_back(*text);
            }
        }
        if (fault) return fault;
        description_.InputNames.assign(names.begin(), names.begin() + inputs_);
        description_.OutputNames.assign(names.begin() + inputs_, names.end());
        return std::nullopt;
    }

    LineReader& reader_;
    std::int32_t line_;  // the number of the last line read
    std::int32_t inputs_;
    std::int32_t outputs_;
    NetworkDescription& description_;
    bool tooLong_ = false;  // the last line read is the start of a longer one
    bool ended_ = false;    // the text has no more lines
};

// α just below 1 rounds to "1" in fifteen digits, which no reader takes:
// the largest fifteen-digit text below 1 stands for it.
std::string MomentumText(double momentum, char separator) {
    std::string text = RealText(momentum, separator);
    if (momentum >= 1.0 || ReadLineReal(text).value < 1.0) return text;
    return "0" + std::string(1, separator) + "999999999999999";
}

std::string NameLine(const std::string& name) {
    const std::string fault = NameFault(name);
    if (!fault.empty()) throw ProgramError(UnsavableNameMessage(name, fault));
    return name;
}

}  // namespace

void AddWarning(NetworkDescription& description, const std::string& note) {
    if (!description.Warning.empty()) description.Warning += "\n";
    description.Warning += note;
}

void ReadBlocks(LineReader& reader, std::int32_t lastLine, std::int32_t inputs, std::int32_t outputs,
                NetworkDescription& description) {
    BlockReader(reader, lastLine, inputs, outputs, description).ReadAll();
}

void AddBlockLines(std::vector<std::string>& lines, const RnaBlocks& blocks, std::int32_t inputs, std::int32_t outputs,
                   char separator) {
    if (blocks.TestPatterns.NumeroPatrones > 0) {
        lines.emplace_back(kTestMarker);
        AddPatternLines(lines, blocks.TestPatterns, separator);
    }
    if (blocks.Learning != LearningSettings{}) {
        lines.emplace_back(kLearningMarker);
        lines.push_back(RealText(blocks.Learning.LearningRate, separator));
        lines.push_back(MomentumText(blocks.Learning.Momentum, separator));
    }
    if (HasOwnNames(blocks.InputNames, inputs, blocks.OutputNames, outputs)) {
        lines.emplace_back(kNamesMarker);
        for (const std::string& name : NamesOrDefaults(blocks.InputNames, inputs, DefaultInputName)) lines.push_back(NameLine(name));
        for (const std::string& name : NamesOrDefaults(blocks.OutputNames, outputs, DefaultOutputName)) lines.push_back(NameLine(name));
    }
}
