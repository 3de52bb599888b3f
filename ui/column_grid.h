// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one-column float grids of the training and execution tabs: a label
// column and one value column, 11 rows at start.

#include <QRect>
#include <QString>

#include <string>
#include <vector>

class QWidget;
class TFloatGrid;

TFloatGrid* NewColumnGrid(QWidget* parent, const QString& name, QRect geometry, int valueWidth, bool editable,
                          const QString& accessible);

// `rows` numbered rows under the corner cell: "<word> i" and the value 0.
void ShapeColumnGrid(TFloatGrid& grid, const QString& corner, const QString& word, int rows);

// One row per label, each value 0; the label column shows the labels when
// `shown`, the row numbers otherwise.
void ShapeColumnGrid(TFloatGrid& grid, const QString& corner, const std::vector<std::string>& labels, bool shown);
