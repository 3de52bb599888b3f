// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_checks.h"

#include "column_names.h"
#include "csv_patterns.h"

#include "line_splitter.h"
#include "list_choices.h"
#include "network_files.h"
#include "random_generator.h"
#include "ren_file.h"
#include "rna_file.h"
#include "work_state.h"

#include "network.h"
#include "program_error.h"
#include "real_text.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr char kSeparators[] = {'.', ','};

// An export must read back under either regional separator: it says its own.
char OtherDecimal(char separator) { return separator == ',' ? '.' : ','; }

const std::string kCompanionPath = "companero.rna";

[[noreturn]] void Fail(const char* what) {
    std::fputs("files fuzz check failed: ", stderr);
    std::fputs(what, stderr);
    std::fputs("\n", stderr);
    std::abort();
}

// A fixed clock: the weights a load draws do not depend on the hour.
void FreezeClock() {
    static const bool doneOk = [] {
        RandomGenerator::SetClock([] { return TimeOfDay{12, 0, 0, 0}; });
        return true;
    }();
    (void)doneOk;
}

// What the main window owns and a load changes.
struct Window {
    TRedNeuronal network;
    WorkState state;
    Window() { PrepareStartUpNetwork(network); }
};

// Equal, or only as written: a saved value reads back as its 15-digit text.
enum class Equality : std::uint8_t { Exact, Written };

void CompareValues(const std::vector<double>& a, const std::vector<double>& b, Equality equality, const char* what) {
    if (a.size() != b.size()) Fail(what);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (equality == Equality::Exact ? a[i] != b[i] : RealText(a[i], '.') != RealText(b[i], '.')) Fail(what);
    }
}

void CompareHeaders(const NetworkHeader& a, const NetworkHeader& b) {
    if (a.NumeroEntradas != b.NumeroEntradas || a.NeuronasCapaOculta != b.NeuronasCapaOculta ||
        a.NeuronasCapaSalida != b.NeuronasCapaSalida || a.RuleSelection != b.RuleSelection ||
        a.FunctionSelection != b.FunctionSelection) {
        Fail("header");
    }
}

// The header as the window takes it: a list position that is no item of
// its list selects nothing.
NetworkHeader AsTaken(NetworkHeader header) {
    header.RuleSelection = ListPosition(header.RuleSelection, kRuleListItems);
    header.FunctionSelection = ListPosition(header.FunctionSelection, kFunctionListItems);
    return header;
}

void ComparePatterns(const FilePatterns& a, const FilePatterns& b, Equality equality) {
    if (a.NumeroPatrones != b.NumeroPatrones) Fail("pattern count");
    CompareValues(a.Entradas, b.Entradas, equality, "pattern inputs");
    CompareValues(a.Salidas, b.Salidas, equality, "pattern outputs");
}

// What the window holds, in the order the description keeps it.
std::vector<double> Pesos(const TCapaNeuronal& layer) {
    std::vector<double> weights;
    for (int j = 1; j <= layer.NumeroNeuronas(); ++j) {
        for (int k = 0; k <= layer.NumeroEntradas(); ++k) weights.push_back(layer.Neuronas[j].Pesos[static_cast<std::size_t>(k)]);
    }
    return weights;
}

FilePatterns Table(std::int32_t count, const PatternTable& entradas, const PatternTable& salidas, std::int32_t inputs,
                   std::int32_t outputs) {
    FilePatterns patterns;
    patterns.NumeroPatrones = count;
    for (std::int32_t p = 1; p <= count; ++p) {
        for (std::int32_t i = 1; i <= inputs; ++i) patterns.Entradas.push_back(entradas[p][i]);
        for (std::int32_t k = 1; k <= outputs; ++k) patterns.Salidas.push_back(salidas[p][k]);
    }
    return patterns;
}

// What the optional blocks read must be: names that fit a line, NE and NS
// of them; η and α in their ranges; a test set within the table.
void CheckBlocks(const NetworkDescription& read) {
    const NetworkHeader& header = read.Header;
    if (!read.InputNames.empty() || !read.OutputNames.empty()) {
        if (read.InputNames.size() != static_cast<std::size_t>(header.NumeroEntradas) ||
            read.OutputNames.size() != static_cast<std::size_t>(header.NeuronasCapaSalida)) {
            Fail("name count");
        }
        for (const auto* names : {&read.InputNames, &read.OutputNames}) {
            for (const std::string& name : *names) {
                if (!NameFault(name).empty()) Fail("name read that cannot be kept");
            }
        }
    }
    if (read.Learning) {
        const LearningSettings& l = *read.Learning;
        if (!(l.LearningRate > 0 && l.LearningRate <= 10 && l.Momentum >= 0 && l.Momentum < 1)) Fail("learning range");
    }
    if (read.TestPatterns) {
        const FilePatterns& t = *read.TestPatterns;
        if (t.NumeroPatrones < 0 || t.NumeroPatrones > kMaxPatterns ||
            t.Entradas.size() != static_cast<std::size_t>(t.NumeroPatrones * header.NumeroEntradas) ||
            t.Salidas.size() != static_cast<std::size_t>(t.NumeroPatrones * header.NeuronasCapaSalida)) {
            Fail("test set size");
        }
    }
}

std::optional<NetworkDescription> Describe(std::string_view text, std::optional<std::string_view> companion, bool trained) {
    try {
        if (!trained) return DescribeRna(text);
        NetworkDescription description = DescribeRen(text);
        if (companion) AddCompanion(description, *companion, kCompanionPath);
        return description;
    } catch (const ProgramError&) {
        return std::nullopt;
    }
}

void Check(std::string_view text, std::optional<std::string_view> companion, bool trained) {
    FreezeClock();
    std::optional<NetworkDescription> read = Describe(text, companion, trained);
    if (!read) return;

    // Kept from one input to the next, as the window keeps them from one
    // load to the next: a load must not depend on what came before.
    static Window window;
    TRedNeuronal& network = window.network;
    WorkState& state = window.state;
    LoadResult result = ApplyDescription(*read, network, state);
    if (result.PatternsTaken != read->Patterns.has_value()) Fail("result");
    const NetworkHeader& header = result.Header;
    CompareHeaders(AsTaken(read->Header), header);
    const std::int32_t ne = header.NumeroEntradas;
    const std::int32_t ns = header.NeuronasCapaSalida;
    const FilePatterns table = Table(state.NumeroPatrones, state.EntradasPatrones, state.SalidasPatrones, ne, ns);
    const FilePatterns testTable = Table(state.TestPatternCount, state.TestInputs, state.TestOutputs, ne, ns);
    CheckBlocks(*read);
    if (read->Patterns) {
        ComparePatterns(*read->Patterns, table, Equality::Exact);
        ComparePatterns(read->TestPatterns.value_or(FilePatterns{}), testTable, Equality::Exact);
        if (state.InputNames != read->InputNames || state.OutputNames != read->OutputNames) Fail("names taken");
        if (result.Learning != read->Learning.value_or(LearningSettings{})) Fail("learning taken");
    } else if (result.Learning) {
        Fail("learning without patterns");
    }
    const LearningSettings learning = result.Learning.value_or(LearningSettings{});
    if (trained) {
        CompareValues(read->HiddenWeights, Pesos(network.CapaOculta), Equality::Exact, "hidden weights taken");
        CompareValues(read->OutputWeights, Pesos(network.CapaSalida), Equality::Exact, "output weights taken");
    }

    // Both files the window would save now, under either separator, read
    // back to what it holds.
    for (char separator : kSeparators) {
        const std::string rna = JoinLines(RnaLines(network, PatternsToSave(state, network), BlocksToSave(state, network, learning),
                                                   header.RuleSelection, header.FunctionSelection, separator));
        const std::string ren = JoinLines(RenLines(network, header.RuleSelection, header.FunctionSelection, separator));
        std::optional<NetworkDescription> untrained = Describe(rna, std::nullopt, false);
        std::optional<NetworkDescription> withWeights = Describe(ren, std::nullopt, true);
        if (!untrained || !withWeights) Fail("saved file does not read");
        CompareHeaders(header, untrained->Header);
        CompareHeaders(header, withWeights->Header);
        ComparePatterns(table, *untrained->Patterns, Equality::Written);
        if (!untrained->Warning.empty()) Fail("saved blocks do not read");
        ComparePatterns(testTable, untrained->TestPatterns.value_or(FilePatterns{}), Equality::Written);
        // Saved again from what it reads, the file is the same text.
        const RnaBlocks blocksRead{untrained->TestPatterns.value_or(FilePatterns{}), untrained->Learning.value_or(LearningSettings{}),
                                   untrained->InputNames, untrained->OutputNames};
        if (JoinLines(RnaLines(network, *untrained->Patterns, blocksRead, header.RuleSelection, header.FunctionSelection,
                               separator)) != rna) {
            Fail("saved file saves again otherwise");
        }
        if ((learning == LearningSettings{}) != !untrained->Learning) Fail("saved learning settings");
        const bool named = HasOwnNames(state.InputNames, ne, state.OutputNames, ns);
        if (untrained->InputNames != (named ? NamesOrDefaults(state.InputNames, ne, DefaultInputName) : std::vector<std::string>{}) ||
            untrained->OutputNames != (named ? NamesOrDefaults(state.OutputNames, ns, DefaultOutputName) : std::vector<std::string>{})) {
            Fail("saved names");
        }
        CompareValues(Pesos(network.CapaOculta), withWeights->HiddenWeights, Equality::Written, "hidden weights");
        CompareValues(Pesos(network.CapaSalida), withWeights->OutputWeights, Equality::Written, "output weights");
    }
}

std::string_view LineText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace

void CheckRnaFile(const std::uint8_t* data, std::size_t size) { Check(LineText(data, size), std::nullopt, false); }

void CheckRenFile(const std::uint8_t* data, std::size_t size) {
    std::string_view text = LineText(data, size);
    std::size_t cut = text.find('\f');
    if (cut == std::string_view::npos) {
        Check(text, std::nullopt, true);
    } else {
        Check(text.substr(0, cut), text.substr(cut + 1), true);
    }
}

void CheckCsvText(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return;
    const std::int32_t inputs = 1 + data[0] % 4;
    const std::int32_t outputs = 1 + data[1] % 3;
    const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);
    PatternRows rows;
    try {
        rows = ReadPatternText(text, inputs, outputs, data[0] & 0x80 ? ',' : '.');
    } catch (const ProgramError&) {
        return;
    }
    if (rows.empty() || rows.size() > 100) Fail("csv: row count");
    for (const std::vector<double>& row : rows) {
        if (row.size() != static_cast<std::size_t>(inputs + outputs)) Fail("csv: row width");
    }
    for (const char separator : kSeparators) {
        const PatternRows again =
            ReadPatternText(CsvPatternText(rows, inputs, outputs, separator), inputs, outputs, OtherDecimal(separator));
        if (again.size() != rows.size()) Fail("csv: round trip count");
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (std::memcmp(again[r].data(), rows[r].data(), rows[r].size() * sizeof(double)) != 0)
                Fail("csv: round trip bits");
        }
    }
}
