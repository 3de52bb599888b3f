// SPDX-License-Identifier: GPL-3.0-or-later
#include "value_text.h"

#include "number_texts.h"
#include "worked_rows.h"

#include <cmath>

QString RoundedText(double value, int decimals) {
    if (!std::isfinite(value) || std::fabs(value) >= 1e9) return FileNumberText(value);
    return FixedNumberText(value, decimals);
}

QString TermsText(const std::vector<WorkedTerm>& terms, int decimals) {
    QString text;
    for (const WorkedTerm& t : terms) switch (t.kind) {
        case WorkedTerm::Kind::Text: text += QString::fromStdString(t.text); break;
        case WorkedTerm::Kind::Value: text += RoundedText(t.value, decimals); break;
        case WorkedTerm::Kind::Factor:
            text += t.value < 0 ? "(" + RoundedText(t.value, decimals) + ")" : RoundedText(t.value, decimals);
            break;
        case WorkedTerm::Kind::Full: text += FileNumberText(t.value); break;
        }
    return text;
}
