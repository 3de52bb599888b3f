// SPDX-License-Identifier: GPL-3.0-or-later
#include "progress_bar.h"

#include "integer_text.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBarWidth = 20;

// "12.1 M it/s", "850 k it/s", "40 it/s": a rate at a glance, one decimal
// at most. Digits only, whatever the locale.
std::string RateText(double perSecond) {
    const char* unit = "";
    if (perSecond >= 1e6) {
        perSecond /= 1e6;
        unit = " M";
    } else if (perSecond >= 1e3) {
        perSecond /= 1e3;
        unit = " k";
    }
    const auto tenths = static_cast<std::int64_t>(std::llround(perSecond * 10.0));
    std::string text = IntegerText(tenths / 10);
    if (tenths < 100 && tenths % 10 != 0) text += "." + IntegerText(tenths % 10);
    return text + unit + " it/s";
}

}  // namespace

std::string ProgressLine(std::int64_t done, std::int64_t total, double seconds) {
    const double rate = seconds > 0.0 ? static_cast<double>(done) / seconds : 0.0;
    if (total <= 0) return IntegerText(done) + " iterations  " + RateText(rate);
    const double share = std::clamp(static_cast<double>(done) / static_cast<double>(total), 0.0, 1.0);
    const int filled = static_cast<int>(share * kBarWidth);
    std::string line = "[" + std::string(static_cast<std::size_t>(filled), '#') +
                       std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] ";
    const std::string percent = IntegerText(static_cast<std::int64_t>(share * 100.0));
    line += std::string(3 - std::min<std::size_t>(3, percent.size()), ' ') + percent + "%  ";
    line += IntegerText(done) + "/" + IntegerText(total) + "  " + RateText(rate);
    if (rate > 0.0) line += "  " + IntegerText(std::llround(static_cast<double>(total - done) / rate)) + " s left";
    return line;
}

void ProgressBar::Start(std::int64_t total) {
    total_ = total;
    start_ = Clock::now();
    drawn_ = start_;
    Draw(0);
}

void ProgressBar::Update(std::int64_t done) {
    if (Clock::now() - drawn_ < std::chrono::milliseconds(100)) return;
    Draw(done);
}

void ProgressBar::Finish(std::int64_t done) {
    Draw(done);
    std::fputc('\n', terminal_);
    std::fflush(terminal_);
}

void ProgressBar::Draw(std::int64_t done) {
    drawn_ = Clock::now();
    const double seconds = std::chrono::duration<double>(drawn_ - start_).count();
    // Back to the line's start, the line, and whatever the last one left beyond it erased.
    std::fprintf(terminal_, "\r%s\033[K", ProgressLine(done, total_, seconds).c_str());
    std::fflush(terminal_);
}
