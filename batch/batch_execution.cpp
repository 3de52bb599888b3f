// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch_execution.h"

#include "csv_patterns.h"
#include "csv_row_reader.h"
#include "file_access.h"
#include "network.h"
#include "network_files.h"
#include "program_error.h"
#include "ren_file.h"
#include "work_state.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// Rows run before their text is written.
constexpr std::size_t kRowsPerPiece = 1024;

// Where the text goes: the outputs file, put in place at the end, or the
// standard output as it comes.
class OutputText {
public:
    OutputText(const std::string& path, std::FILE* standardOutput) : standardOutput_(standardOutput) {
        if (!path.empty()) file_.emplace(path);
    }
    void Write(std::string_view text) {
        if (file_) {
            file_->Write(text);
        } else if (std::fwrite(text.data(), 1, text.size(), standardOutput_) != text.size()) {
            throw ProgramError("Cannot create file -");
        }
    }
    void Finish() {
        if (file_) file_->Commit();
        else if (std::fflush(standardOutput_) != 0) throw ProgramError("Cannot create file -");
    }

private:
    std::optional<SafeFileWriter> file_;
    std::FILE* standardOutput_;
};

}  // namespace

std::int64_t ExecuteCsv(const ExecutionOrder& order, char decimalSeparator, std::FILE* standardOutput) {
    const NetworkDescription description = ReadRen(order.network);
    auto network = std::make_unique<TRedNeuronal>();
    PrepareStartUpNetwork(*network);
    auto state = std::make_unique<WorkState>();
    ClearWorkState(*state);
    ApplyDescription(description, *network, *state);
    const std::int32_t inputs = network->NumeroEntradas();
    const std::int32_t outputs = network->NeuronasCapaSalida();

    FileForReading file(order.inputs);
    CsvRowReader reader(file.Source(), inputs, 0, decimalSeparator);
    OutputText out(order.outputs, standardOutput);
    PatternRows rows;
    std::vector<double> row;
    std::int64_t done = 0;
    bool header = true;
    // The export's text of the rows; its header only at the top.
    const auto writeRows = [&] {
        const std::string text = CsvPatternText(rows, inputs, outputs, decimalSeparator);
        out.Write(header ? std::string_view(text) : std::string_view(text).substr(text.find("\r\n") + 2));
        header = false;
        rows.clear();
    };
    while (reader.Next(row)) {
        for (std::int32_t i = 1; i <= inputs; ++i) network->Entradas[i] = row[static_cast<std::size_t>(i - 1)];
        network->Propagar();
        for (std::int32_t k = 1; k <= outputs; ++k) row.push_back(network->SalidasObtenidas[k]);
        rows.push_back(row);
        ++done;
        if (rows.size() == kRowsPerPiece) writeRows();
    }
    if (header || !rows.empty()) writeRows();
    out.Finish();
    return done;
}
