// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A run's progress on a terminal: one line redrawn in place, at most ten
// times a second, ended by a line break when the run ends.

#include "batch_training.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>

// The line after `done` iterations in `seconds`: the iterations, and with a
// known `total` the share done as a bar, the rate and the time left.
//   "[#######.............]  35%  3500000/10000000  12.1 M it/s  1 s left"
//   "1200000 iterations  2.4 M it/s" (total 0: the criterion does not say)
std::string ProgressLine(std::int64_t done, std::int64_t total, double seconds);

class ProgressBar : public TrainingProgress {
public:
    explicit ProgressBar(std::FILE* terminal) : terminal_(terminal) {}
    void Start(std::int64_t total) override;
    void Update(std::int64_t done) override;
    void Finish(std::int64_t done) override;

private:
    void Draw(std::int64_t done);

    using Clock = std::chrono::steady_clock;
    std::FILE* terminal_;
    std::int64_t total_ = 0;
    Clock::time_point start_;
    Clock::time_point drawn_;
};
