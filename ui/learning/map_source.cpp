// SPDX-License-Identifier: GPL-3.0-or-later
#include "map_source.h"

#include "io_names.h"
#include "work_state.h"

MapSource ReadMapSource(const WorkState& state, int inputs, int outputs) {
    MapSource source;
    for (int i = 1; i <= inputs; ++i) {
        const std::string name = InputName(state, i);
        source.inputNames.push_back(QString::fromStdString(name));
        source.pointerNames.push_back(name != DefaultInputName(i) ? source.inputNames.back()
                                                                  : QStringLiteral("Entrada%1").arg(i));
    }
    for (int k = 1; k <= outputs; ++k) source.outputNames.push_back(QString::fromStdString(OutputName(state, k)));
    for (int p = 1; p <= state.NumeroPatrones; ++p) {
        const auto& x = state.EntradasPatrones[static_cast<std::size_t>(p)];
        const auto& d = state.SalidasPatrones[static_cast<std::size_t>(p)];
        source.patterns.push_back({std::vector<double>(x.begin() + 1, x.begin() + 1 + inputs),
                                   std::vector<double>(d.begin() + 1, d.begin() + 1 + outputs)});
    }
    std::vector<double> column;
    for (int i = 1; i <= inputs; ++i) {
        column.clear();
        for (const MapPattern& p : source.patterns) column.push_back(p.x[static_cast<std::size_t>(i - 1)]);
        source.inputRanges.push_back(MapAxisRange(column));
    }
    return source;
}
