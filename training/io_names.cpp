// SPDX-License-Identifier: GPL-3.0-or-later
#include "io_names.h"

#include "integer_text.h"
#include "program_error.h"

#include <algorithm>
#include <vector>

namespace {

bool IsLineBreak(char32_t c) {
    return c == U'\n' || c == U'\r' || c == U'\v' || c == U'\f' || c == 0x85 || c == 0x2028 || c == 0x2029;
}

// A tab, or a C0 or C1 control character other than the line breaks.
bool IsControl(char32_t c) { return !IsLineBreak(c) && (c < 0x20 || (c >= 0x7F && c <= 0x9F)); }

const std::string& ShownName(const std::vector<std::string>& names, std::int32_t index, const std::string& fallback) {
    const auto i = static_cast<std::size_t>(index - 1);
    return index >= 1 && i < names.size() && !names[i].empty() ? names[i] : fallback;
}

}  // namespace

std::string InputName(const WorkState& state, std::int32_t i) {
    return ShownName(state.InputNames, i, DefaultInputName(i));
}

std::string OutputName(const WorkState& state, std::int32_t k) {
    return ShownName(state.OutputNames, k, DefaultOutputName(k));
}

bool HasOwnNames(const WorkState& state, std::int32_t inputs, std::int32_t outputs) {
    return HasOwnNames(state.InputNames, inputs, state.OutputNames, outputs);
}

void CheckTypedName(std::string_view name) {
    std::size_t count = 0;
    for (std::size_t at = 0; at < name.size(); ++count) {
        const auto c = NextUtf8Character(name, at);
        if (!c) throw ProgramError("El nombre no es texto UTF-8 válido");
        if (IsLineBreak(*c)) throw ProgramError("Un nombre no puede tener saltos de línea");
        if (*c == U'\t') throw ProgramError("Un nombre no puede tener tabuladores");
        if (IsControl(*c)) throw ProgramError("Un nombre no puede tener caracteres de control");
    }
    if (count > kMaxNameLength)
        throw ProgramError("Un nombre tiene como mucho " + IntegerText(kMaxNameLength) + " caracteres y este tiene " +
                           IntegerText(static_cast<std::int64_t>(count)));
}

void RenameColumn(WorkState& state, std::int32_t inputs, std::int32_t column, std::string_view typed) {
    CheckTypedName(typed);
    std::vector<std::string>& names = column <= inputs ? state.InputNames : state.OutputNames;
    const auto index = static_cast<std::size_t>(column <= inputs ? column : column - inputs);
    if (names.size() < index) names.resize(index);
    names[index - 1] = typed;
}

HeaderName NameFromHeader(std::string_view cell, std::int32_t column) {
    const std::string where = "Columna " + IntegerText(column) + ": el nombre ";
    if (!Utf8Characters(cell)) return {{}, where + "no es texto UTF-8 válido y se deja el de siempre"};
    // The first line, character by character, controls turned into spaces.
    std::vector<std::string> line;
    bool secondLine = false, controls = false;
    for (std::size_t at = 0; at < cell.size();) {
        const std::size_t start = at;
        const char32_t c = *NextUtf8Character(cell, at);
        if (IsLineBreak(c)) {
            // Only a line with more than blanks after it was cut off.
            secondLine = cell.find_first_not_of(" \t\r\n\v\f", at) != std::string_view::npos;
            break;
        }
        controls = controls || IsControl(c);
        line.emplace_back(IsControl(c) ? std::string_view(" ") : cell.substr(start, at - start));
    }
    const auto blank = [](const std::string& c) { return c == " "; };
    const auto trimTail = [&] {
        while (!line.empty() && blank(line.back())) line.pop_back();
    };
    trimTail();
    line.erase(line.begin(), std::find_if_not(line.begin(), line.end(), blank));
    const bool tooLong = line.size() > kMaxNameLength;
    if (tooLong) {
        line.resize(kMaxNameLength);
        trimTail();
    }
    HeaderName header;
    for (const std::string& c : line) header.name += c;

    const std::string length = IntegerText(kMaxNameLength) + " caracteres";
    std::string change;
    if (secondLine && tooLong) change = "se ha cortado a su primera línea y a " + length;
    else if (secondLine) change = "se ha cortado a su primera línea";
    else if (tooLong) change = "se ha cortado a " + length;
    if (controls) change += std::string(change.empty() ? "" : " y ") + "tiene espacios en lugar de tabuladores y caracteres de control";
    if (!change.empty()) header.note = where + change;
    return header;
}

HeaderRowNames NamesFromHeaderRow(const std::vector<std::string>& cells, std::int32_t inputs) {
    HeaderRowNames names;
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const auto column = static_cast<std::int32_t>(c + 1);
        HeaderName header = NameFromHeader(cells[c], column);
        (column <= inputs ? names.inputs : names.outputs).push_back(std::move(header.name));
        if (header.note.empty()) continue;
        if (!names.notes.empty()) names.notes += '\n';
        names.notes += header.note;
    }
    return names;
}
