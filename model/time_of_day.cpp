// SPDX-License-Identifier: GPL-3.0-or-later
#include "time_of_day.h"

#include <chrono>

TimeOfDay GetSystemTime() {
    using namespace std::chrono;
    const auto ahora = floor<milliseconds>(system_clock::now());
    const hh_mm_ss hour{ahora - floor<days>(ahora)};
    return {static_cast<int>(hour.hours().count()), static_cast<int>(hour.minutes().count()),
            static_cast<int>(hour.seconds().count()), static_cast<int>(hour.subseconds().count())};
}
