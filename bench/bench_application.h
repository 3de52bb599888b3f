// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application a window benchmark runs in: offscreen, its report's numbers
// in the C locale (Qt takes the user's, and scripts read the report), and the
// same initial weights and pattern draws in every run.

#include "random_generator.h"

#include <QApplication>

#include <clocale>
#include <cstdlib>
#include <memory>

inline std::unique_ptr<QApplication> StartBenchApplication(int& argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    auto app = std::make_unique<QApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    RandomGenerator::SetClock([] { return TimeOfDay{12, 0, 0, 0}; });
    return app;
}
