// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What "Paso a paso" gives away: the whole step as text for "Copiar", and as
// one picture for "Guardar Imagen", every row of every table in both.

#include <QImage>
#include <QList>
#include <QString>

#include <cstdint>
#include <vector>

class QLabel;
class QPalette;
class ValueTable;

// The outputs and iteration error of an applied step's pattern, before and after it.
struct AppliedValues {
    std::vector<double> before, after;
    double errorBefore = 0, errorAfter = 0;
};

// The pattern's x and d, each table with its title and one header line, and
// what an applied step did (when `applied.after` is not empty); values in
// full, cells separated by tabs.
QString StepText(std::int32_t pattern, const std::vector<double>& inputs, const std::vector<double>& expected,
                 const QList<ValueTable*>& tables, const AppliedValues& applied);

// The visible lines, then the tables at their whole size, one under another.
QImage StepImage(const QList<const QLabel*>& lines, const QList<ValueTable*>& tables, const QPalette& palette);
