// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which of the twenty entry fields can be typed into: input field k when the
// network has at least k inputs, output field k when it has at least k
// output neurons. A disabled field keeps its value.

class TRedNeuronal;
class DataTabView;

void EnableEntryFields(DataTabView& view, const TRedNeuronal& network);
