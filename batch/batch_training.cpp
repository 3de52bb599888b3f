// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch_training.h"

#include "csv_patterns.h"
#include "file_access.h"
#include "integer_text.h"
#include "network.h"
#include "network_snapshot.h"
#include "network_files.h"
#include "program_error.h"
#include "random_generator.h"
#include "real_text.h"
#include "pattern_set.h"
#include "ren_file.h"
#include "set_error.h"
#include "rna_file.h"
#include "training_run.h"
#include "work_state.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

// The errors of a run as rows (iteration from 1, error) of the data tab's
// series export, every K-th, written as they come in pieces of bounded size.
class ErrorFile : public ErrorSeries {
public:
    ErrorFile(const std::string& path, std::int64_t every, char decimalSeparator)
        : writer_(path), every_(every), next_(every), decimal_(decimalSeparator) {}

    std::int64_t PointCount() const override { return count_; }
    // Only the points written are looked at, so --every costs nothing per iteration.
    void AddPoints(std::span<const double> ys) override {
        const std::int64_t end = count_ + static_cast<std::int64_t>(ys.size());
        for (; next_ <= end; next_ += every_) {
            points_.emplace_back(next_, ys[static_cast<std::size_t>(next_ - count_ - 1)]);
            if (points_.size() == kPiecePoints) Flush();
        }
        count_ = end;
    }
    void Clear() override {
        count_ = 0;
        next_ = every_;
    }

    void Commit() {
        Flush();
        writer_.Commit();
    }

private:
    static constexpr std::size_t kPiecePoints = 4096;

    // The export's text of the points, its header only at the top.
    void Flush() {
        if (points_.empty() && !header_) return;
        const std::string text = CsvSeriesText(points_, 1, decimal_);
        writer_.Write(header_ ? std::string_view(text) : std::string_view(text).substr(text.find("\r\n") + 2));
        header_ = false;
        points_.clear();
    }

    SafeFileWriter writer_;
    std::int64_t every_;
    std::int64_t next_;  // the next iteration written
    std::int64_t count_ = 0;
    char decimal_;
    bool header_ = true;
    std::vector<std::pair<std::int64_t, double>> points_;
};

// The points of a run that writes no errors, only counted.
class ErrorCount : public ErrorSeries {
public:
    std::int64_t PointCount() const override { return count_; }
    void AddPoints(std::span<const double> ys) override { count_ += static_cast<std::int64_t>(ys.size()); }
    void Clear() override { count_ = 0; }

private:
    std::int64_t count_ = 0;
};

class UnseenTable : public NumberTableView {
public:
    void SetColCount(int) override {}
    void SetRowCount(int) override {}
    void SetCells(int, int, const std::string&) override {}
    void SetFloat(int, int, double) override {}
    double GetFloat(int, int) override { return 0.0; }
};

// The training tab as the order fills it in, with a terminal's progress in
// the place of the progress window.
class OrderedTrainingTab : public TrainingTabView {
public:
    OrderedTrainingTab(const TrainingOrder& order, ErrorSeries& chart, TrainingProgress* progress)
        : order_(order), chart_(chart), progress_(progress) {}

    StopCriterion Criterion() const override { return order_.criterion; }
    std::int32_t CycleCount() const override { return order_.cycles; }
    std::int32_t LargestErrorThreshold() const override { return order_.threshold; }
    std::int32_t SmallestErrorThreshold() const override { return order_.threshold; }
    void SetCycleCount(std::int32_t) override {}
    void SetLargestErrorThreshold(std::int32_t) override {}
    void SetSmallestErrorThreshold(std::int32_t) override {}
    std::int64_t TotalCycles() const override { return summary_.iterations; }
    void SetTotalCycles(std::int64_t value) override { summary_.iterations = value; }
    std::int64_t TrainingTime() const override { return summary_.milliseconds; }
    void SetTrainingTime(std::int64_t value) override { summary_.milliseconds = value; }
    void SetLargestError(double value) override { summary_.largest = value; }
    void SetSmallestError(double value) override { summary_.smallest = value; }
    NumberTableView& SalidasEsperadas() override { return table_; }
    NumberTableView& SalidasObtenidas() override { return table_; }
    ErrorSeries& Chart() override { return chart_; }
    void OpenProgress() override {
        if (progress_) progress_->Start(order_.criterion == StopCriterion::CycleCount ? order_.cycles : 0);
    }
    void CloseProgress() noexcept override {
        if (progress_) progress_->Finish(chart_.PointCount());
    }
    void ProcessMessages() override {
        if (progress_) progress_->Update(chart_.PointCount());
    }

    const TrainingSummary& Summary() const { return summary_; }

private:
    const TrainingOrder& order_;
    ErrorSeries& chart_;
    TrainingProgress* progress_;
    UnseenTable table_;
    TrainingSummary summary_;
};

// As the window opens a file named on its command line.
bool NamesTrainedFile(const std::string& path) {
    if (path.size() < 4) return false;
    std::string extension = path.substr(path.size() - 4);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return extension == ".ren";
}

}  // namespace

TrainingSummary TrainNetworkFile(const TrainingOrder& order, char decimalSeparator, TrainingProgress* progress) {
    RandomGenerator::SetFixedSeed(order.seed);
    const NetworkDescription description = NamesTrainedFile(order.file) ? ReadRen(order.file) : ReadRna(order.file);
    // A trained file's companion of another shape is left out with a warning, which then says why.
    if (!description.Patterns || description.Patterns->NumeroPatrones < 1)
        throw ProgramError(description.Warning.empty() ? "No hay ningún patrón" : description.Warning);

    // Refused now rather than after the run.
    std::optional<ErrorFile> errors;
    if (!order.errorsPath.empty()) errors.emplace(order.errorsPath, order.every, decimalSeparator);
    std::optional<SafeFileWriter> weights;
    if (!order.savePath.empty()) weights.emplace(order.savePath);

    auto network = std::make_unique<TRedNeuronal>();
    PrepareStartUpNetwork(*network);
    auto state = std::make_unique<WorkState>();
    ClearWorkState(*state);
    const LoadResult load = ApplyDescription(description, *network, *state);
    // η and α from an [aprendizaje] block, as the window takes them.
    if (load.Learning) network->SetLearning(*load.Learning);

    ErrorCount count;
    OrderedTrainingTab view(order, errors ? static_cast<ErrorSeries&>(*errors) : count, progress);
    Train(*state, *network, view);

    if (weights) {
        weights->Write(JoinLines(RenLines(*network, load.Header.RuleSelection, load.Header.FunctionSelection,
                                          decimalSeparator)));
    }
    if (errors) errors->Commit();
    if (weights) weights->Commit();
    TrainingSummary summary = view.Summary();
    if (state->TestPatternCount > 0) summary.testError = SetErrors().MeanSquaredError(TakeSnapshot(*network), TestPatterns(*state));
    return summary;
}

std::string SummaryText(const TrainingSummary& summary, char decimalSeparator) {
    return "iterations: " + IntegerText(summary.iterations) + "\n" +
           "milliseconds: " + IntegerText(summary.milliseconds) + "\n" +
           "largest error: " + ShortestText(summary.largest, decimalSeparator) + "\n" +
           "smallest error: " + ShortestText(summary.smallest, decimalSeparator) + "\n" +
           (summary.testError ? "test error: " + ShortestText(*summary.testError, decimalSeparator) + "\n" : "");
}
