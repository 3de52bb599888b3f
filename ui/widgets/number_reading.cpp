#include "number_reading.h"

#include "numero_texto.h"

#include <QString>

#include <limits>

namespace {

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

}  // namespace

std::optional<double> ReadNumber(QStringView text, QChar decimal) {
    if (decimal.unicode() >= 0x80) return std::nullopt;
    return LeerReal(text.toString().toStdString(), static_cast<char>(decimal.unicode()));
}

std::optional<std::int32_t> ReadInteger(QStringView text) {
    qsizetype at = 0;
    while (at < text.size() && text[at] == QLatin1Char(' ')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == QLatin1Char('+') || text[at] == QLatin1Char('-'))) {
        negative = text[at] == QLatin1Char('-');
        ++at;
    }
    if (at == text.size()) return std::nullopt;
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        if (!IsAsciiDigit(text[at])) return std::nullopt;
        magnitude = magnitude * 10 + (text[at].unicode() - '0');
        if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}
