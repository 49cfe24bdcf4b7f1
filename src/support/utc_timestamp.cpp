#include "support/utc_timestamp.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace audiogram {

std::string FormatUtcTimestamp(std::chrono::system_clock::time_point moment) {
    using namespace std::chrono;
    // calendar arithmetic of <chrono>: thread-safe, unlike gmtime's shared result
    const auto day = floor<days>(moment);
    const year_month_day date(day);
    const hh_mm_ss time(floor<seconds>(moment - day));
    std::array<char, 64> text{};
    const int length =
        std::snprintf(text.data(), text.size(), "%4.4d-%2.2d-%2.2d %2.2d:%2.2d:%2.2d",
                      static_cast<int>(date.year()), static_cast<int>(unsigned(date.month())),
                      static_cast<int>(unsigned(date.day())), static_cast<int>(time.hours().count()),
                      static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()));
    if (length <= 0) return {};
    return std::string(text.data(), std::min(static_cast<std::size_t>(length), text.size() - 1));
}

}  // namespace audiogram
