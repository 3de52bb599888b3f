#pragma once
// Reads the values of a network file by line number, with the messages the
// user sees for a missing or malformed line. Lines are read from the source
// only as far as the highest line asked for, so what lies after the last
// line a file needs is never read.

#include "line_splitter.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class LineReader {
public:
    explicit LineReader(ByteSource fuente);
    // Reads `texto`, which must outlive the reader.
    explicit LineReader(std::string_view texto);

    // Entero and Real quote a line as Cita does, and refuse a line longer
    // than kMaxLineLength, the one asked for or one passed over on the
    // way to it, with the message of their kind.

    // Line `numero` (from 1) as an integer; throws "'<line>' is not a valid
    // integer value", or "List index out of bounds (<numero - 1>)" when the
    // text has no such line.
    std::int32_t Integer(std::int32_t numero);
    // Line `numero` as a real, with "." or "," as the decimal separator;
    // throws "'<line>' is not a valid floating point value", "Floating point
    // overflow", or the missing-line message.
    double Real(std::int32_t numero);
    // Line `numero`, already read, as messages quote it: cut to its first 64
    // characters followed by "…" when longer.
    std::string Quote(std::int32_t numero) const;

private:
    std::string_view Reach(std::int32_t numero, std::string_view noEs);
    std::string_view LineText(std::size_t indice) const;

    LineSplitter splitter_;
    std::string text_;                 // the lines read so far, one after another
    std::vector<std::size_t> lineEnds_;  // where each of them ends in text_
    bool tooLong_ = false;                // the last line read is too long: nothing follows it
    bool end_ = false;
};
