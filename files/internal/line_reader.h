// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the values of a network file by line number, with the messages the
// user sees for a missing or malformed line. Lines are read from the source
// only as far as the highest line asked for, so what lies after the last
// line a file needs is never read.

#include "line_splitter.h"
#include "real_reading.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class LineReader {
public:
    explicit LineReader(ByteSource source);
    // Reads `text`, which must outlive the reader: a temporary string is
    // refused, since the reader would keep views into it.
    explicit LineReader(std::string_view text);
    explicit LineReader(std::string&&) = delete;

    // Integer and Real refuse a line longer than kMaxLineLength, the one
    // asked for or one passed over on the way to it, with the message of
    // their kind (read_messages.h).

    // Line `number` (from 1) as an integer; throws "'<line>' is not a valid
    // integer value", or "List index out of bounds (<numero - 1>)" when the
    // text has no such line.
    std::int32_t Integer(std::int32_t number);
    // Line `number` as a real, with "." or "," as the decimal separator;
    // throws "'<line>' is not a valid floating point value", "Floating point
    // overflow", or the missing-line message.
    double Real(std::int32_t number);
    // Line `number`, already read.
    std::string_view Line(std::int32_t number) const;

    // What may follow the last line a file needs, read one line at a time
    // after the last line reached and held only until the next call, so a
    // long tail costs no memory; nothing is thrown. Once it is called, only
    // lines already reached may be asked for by number.
    struct Following {
        LineEnd end = LineEnd::EndOfText;  // TooLong: the line's start, and the text ends after it
        std::string_view text;
    };
    Following Next();

private:
    using NotValidMessage = std::string (*)(std::string_view line);
    std::string_view Reach(std::int32_t number, NotValidMessage notValid);
    std::string_view LineText(std::size_t index) const;

    LineSplitter splitter_;
    std::string text_;                 // the lines read so far, one after another
    std::vector<std::size_t> lineEnds_;  // where each of them ends in text_
    std::string following_;             // the line Next read last
    bool tooLong_ = false;                // the last line read is too long: nothing follows it
    bool end_ = false;
};

// A file line as a real, with "." or "," as the decimal separator: a line
// holds one number and the form has no group separator.
RealReading ReadLineReal(std::string_view line);
