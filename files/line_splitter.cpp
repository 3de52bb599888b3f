// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_splitter.h"

#include "program_error.h"
#include "read_messages.h"

#include <algorithm>
#include <cstring>
#include <string_view>

ByteSource TextSource(std::string_view text) {
    return [text](char* target, std::size_t capacity) mutable {
        const std::size_t n = std::min(capacity, text.size());
        std::memcpy(target, text.data(), n);
        text.remove_prefix(n);
        return n;
    };
}

LineSplitter::LineSplitter(ByteSource source) : source_(std::move(source)), block_(65536) {}

bool LineSplitter::Refill() {
    if (finished_) return false;
    position_ = 0;
    end_ = source_(block_.data(), block_.size());
    finished_ = end_ == 0;
    if (!started_) {
        started_ = true;
        const std::string_view first(block_.data(), end_);
        if (first.starts_with("\xFF\xFE") || first.starts_with("\xFE\xFF")) throw ProgramError(NotUtf8Message());
        constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
        if (first.starts_with(kByteOrderMark)) position_ = kByteOrderMark.size();
    }
    return !finished_;
}

LineEnd LineSplitter::Next(std::string& target) {
    if (afterCR_) {
        if (position_ == end_) Refill();
        if (position_ < end_ && block_[position_] == '\n') ++position_;
        afterCR_ = false;
    }
    std::size_t length = 0;
    bool started = false;
    for (;;) {
        if (position_ == end_ && !Refill()) return started ? LineEnd::Line : LineEnd::EndOfText;
        const char* start = block_.data() + position_;
        const char* final = block_.data() + end_;
        const char* cut = std::find_if(start, final, [](char c) { return c == '\r' || c == '\n' || c == '\0'; });
        const auto chunk = static_cast<std::size_t>(cut - start);
        if (length + chunk > kMaxLineLength) {
            target.append(start, kMaxLineLength - length);
            finished_ = true;
            position_ = end_ = 0;
            return LineEnd::TooLong;
        }
        target.append(start, chunk);
        length += chunk;
        started = started || chunk > 0;
        position_ += chunk;
        if (cut == final) continue;
        ++position_;
        if (*cut == '\0') {
            finished_ = true;
            position_ = end_ = 0;
            return started ? LineEnd::Line : LineEnd::EndOfText;
        }
        afterCR_ = *cut == '\r';
        return LineEnd::Line;
    }
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::size_t lengthValue = 0;
    for (const std::string& line : lines) lengthValue += line.size() + 2;
    std::string text;
    text.reserve(lengthValue);
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}
