// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_reader.h"

#include "integer_text.h"
#include "program_error.h"
#include "read_messages.h"
#include "real_reading.h"

#include <algorithm>

LineReader::LineReader(ByteSource source) : splitter_(std::move(source)) {}

LineReader::LineReader(std::string_view text) : LineReader(TextSource(text)) {}

std::string_view LineReader::LineText(std::size_t index) const {
    const std::size_t start = index == 0 ? 0 : lineEnds_[index - 1];
    return std::string_view(text_).substr(start, lineEnds_[index] - start);
}

std::string_view LineReader::Line(std::int32_t number) const { return LineText(static_cast<std::size_t>(number - 1)); }

std::string_view LineReader::Reach(std::int32_t number, NotValidMessage notValid) {
    const auto wanted = static_cast<std::size_t>(std::max(number, 0));
    while (lineEnds_.size() < wanted && !end_ && !tooLong_) {
        const LineEnd result = splitter_.Next(text_);
        if (result == LineEnd::EndOfText) {
            end_ = true;
        } else {
            lineEnds_.push_back(text_.size());
            tooLong_ = result == LineEnd::TooLong;
        }
    }
    if (tooLong_ && lineEnds_.size() <= wanted) {
        throw ProgramError(notValid(LineText(lineEnds_.size() - 1)));
    }
    if (number < 1 || wanted > lineEnds_.size()) {
        throw ProgramError(MissingLineMessage(number - 1));
    }
    return LineText(wanted - 1);
}

std::int32_t LineReader::Integer(std::int32_t number) {
    std::string_view line = Reach(number, NotAnIntegerMessage);
    std::optional<std::int32_t> value = ReadInteger(line, IntegerForms::DecimalOrHexadecimal);
    if (!value) throw ProgramError(NotAnIntegerMessage(line));
    return *value;
}

LineReader::Following LineReader::Next() {
    if (end_ || tooLong_) return {};
    following_.clear();
    const LineEnd result = splitter_.Next(following_);
    end_ = result == LineEnd::EndOfText;
    tooLong_ = result == LineEnd::TooLong;
    return {result, following_};
}

RealReading ReadLineReal(std::string_view line) {
    // So a file saved under either decimal separator reads under the other.
    return ParseReal(line, line.find(',') == std::string_view::npos ? '.' : ',');
}

double LineReader::Real(std::int32_t number) {
    std::string_view line = Reach(number, NotARealMessage);
    const RealReading reading = ReadLineReal(line);
    switch (reading.status) {
    case RealStatus::Valid:
        return reading.value;
    case RealStatus::Overflow:
        throw ProgramError(kOverflowMessage);
    case RealStatus::NotANumber:
        break;
    }
    throw ProgramError(NotARealMessage(line));
}
