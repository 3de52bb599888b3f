#include "time_of_day.h"

#include <chrono>

TimeOfDay GetSystemTime() {
    using namespace std::chrono;
    const auto ahora = floor<milliseconds>(system_clock::now());
    const hh_mm_ss hora{ahora - floor<days>(ahora)};
    return {static_cast<int>(hora.hours().count()), static_cast<int>(hora.minutes().count()),
            static_cast<int>(hora.seconds().count()), static_cast<int>(hora.subseconds().count())};
}
