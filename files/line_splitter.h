// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The line structure of the network files: one value per line, CR LF after
// every line when written; CR LF, a lone CR or a lone LF when read.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Where the bytes of a file come from: puts up to `capacity` bytes at
// `target` and says how many, 0 at the end.
using ByteSource = std::function<std::size_t(char* target, std::size_t capacity)>;

// The bytes of `text`, which must outlive the source.
ByteSource TextSource(std::string_view text);

// Longer than any number the program needs: a longer line is none of its values.
constexpr std::size_t kMaxLineLength = 4096;

enum class LineEnd : std::uint8_t {
    Line,     // a whole line
    TooLong,     // the start of a line longer than kMaxLineLength
    EndOfText,  // no line left
};

// Splits the bytes of a source into lines, one at a time, reading no further
// than the lines asked for (give or take one block). A NUL ends the text, and
// a line break at the very end does not start another (empty) line. One
// UTF-8 byte-order mark at the start, which some editors write, is skipped;
// a UTF-16 one throws "El fichero no es texto UTF-8".
class LineSplitter {
public:
    explicit LineSplitter(ByteSource source);

    // Appends the next line, without its break, to `target`. Of a line
    // longer than kMaxLineLength only the first kMaxLineLength characters
    // are appended, and nothing after them is read: the text ends there.
    LineEnd Next(std::string& target);

private:
    // Refills the block; false at the end of the text.
    bool Refill();

    ByteSource source_;
    std::vector<char> block_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    bool finished_ = false;
    bool started_ = false;  // the first block has been read
    bool afterCR_ = false;  // the last break was a CR, which a LF may complete
};

// Each line followed by CR LF, the last one included.
std::string JoinLines(const std::vector<std::string>& lines);
