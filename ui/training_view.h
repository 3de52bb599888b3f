// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The training tab as a training run sees it.

#include "epoch_chart_sink.h"
#include "error_chart_sink.h"
#include "float_grid_view.h"
#include "training_tab_view.h"

#include <QElapsedTimer>
#include <QMetaObject>

class TForm1;

class TrainingView : public TrainingTabView {
public:
    explicit TrainingView(TForm1& form);
    ~TrainingView() override;
    TrainingView(const TrainingView&) = delete;
    TrainingView& operator=(const TrainingView&) = delete;

    StopCriterion Criterion() const override;
    std::int32_t CycleCount() const override;
    std::int32_t LargestErrorThreshold() const override;
    std::int32_t SmallestErrorThreshold() const override;
    void SetCycleCount(std::int32_t value) override;
    void SetLargestErrorThreshold(std::int32_t value) override;
    void SetSmallestErrorThreshold(std::int32_t value) override;
    std::int64_t TotalCycles() const override;
    void SetTotalCycles(std::int64_t value) override;
    std::int64_t TrainingTime() const override;
    void SetTrainingTime(std::int64_t value) override;
    void SetLargestError(double value) override;
    void SetSmallestError(double value) override;
    NumberTableView& SalidasEsperadas() override { return expected_; }
    NumberTableView& SalidasObtenidas() override { return obtained_; }
    ErrorSeries& Chart() override { return chart_; }
    std::int32_t EarlyStopEpochs() const override;
    EpochErrorSeries* EpochErrors() override;
    void OpenProgress() override;
    void CloseProgress() noexcept override;
    void ProcessMessages() override;

private:
    TForm1& form_;
    FloatGridView expected_;
    FloatGridView obtained_;
    ErrorChartSink chart_;
    EpochChartSink epochs_;
    // The cycle count as last parsed from its field; parsed again only after
    // the field's text changed, which during a run happens only while
    // messages are processed.
    mutable std::int32_t cycleCount_ = 0;
    mutable bool cycleCountRead_ = false;
    QMetaObject::Connection cycleCountChange_;
    // The progress window shows how far the run is, as often as the chart
    // repaints: the points the run has appended, counted from its start.
    void ShowProgress();
    std::int64_t pointsAtStart_ = 0;
    QElapsedTimer sinceProgress_;
};
