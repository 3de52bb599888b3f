// SPDX-License-Identifier: GPL-3.0-or-later
#include "time_of_day.h"

#include <chrono>

TimeOfDay GetSystemTime() {
    using namespace std::chrono;
    const auto now = floor<milliseconds>(system_clock::now());
    const hh_mm_ss hour{now - floor<days>(now)};
    return {static_cast<int>(hour.hours().count()), static_cast<int>(hour.minutes().count()),
            static_cast<int>(hour.seconds().count()), static_cast<int>(hour.subseconds().count())};
}
