// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The UTC time of day, as the random generator reads it to seed itself.

struct TimeOfDay {
    int hour, minute, second, millisecond;
};

// The current UTC time of day with milliseconds, from the system clock.
TimeOfDay GetSystemTime();
