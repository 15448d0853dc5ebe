#include "core/TimeFormat.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace tovimar {

namespace {

constexpr int64_t MsPerDay = 86400000;
// Days from 1899-12-30 to 0001-01-01 and to 9999-12-31.
constexpr int64_t FirstDay = -693593;
constexpr int64_t LastDay = 2958465;
// Days from 1970-01-01 back to 1899-12-30.
constexpr int64_t EpochOffset = 25569;

int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, DateTimeParts &parts) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    parts.Day = int(doy - (153 * mp + 2) / 5 + 1);
    parts.Month = int(m);
    parts.Year = int(yoe + era * 400 + (m <= 2));
}

} // namespace

DateTimeParts DecodeDateTime(double value) {
    DateTimeParts parts;
    if (!std::isfinite(value)) value = 0;
    value = std::clamp(value, double(FirstDay), double(LastDay + 1));
    const int64_t total = std::llround(value * double(MsPerDay));
    int64_t days = total / MsPerDay;
    int64_t ms = total % MsPerDay;
    if (ms < 0) ms = -ms; // before 1899 the fraction still counts forward from midnight
    if (days > LastDay) {
        days = LastDay;
        ms = MsPerDay - 1;
    }
    CivilFromDays(days - EpochOffset, parts);
    parts.Hour = int(ms / 3600000);
    parts.Minute = int(ms / 60000 % 60);
    parts.Second = int(ms / 1000 % 60);
    parts.Millisecond = int(ms % 1000);
    // Day 0 was a Saturday.
    parts.DayOfWeek = int(((days % 7) + 7 + 6) % 7) + 1;
    return parts;
}

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond) {
    const int64_t days = DaysFromCivil(year, month, day) + EpochOffset;
    const int64_t ms = ((int64_t(hour) * 60 + minute) * 60 + second) * 1000 + millisecond;
    return double(days) + double(ms) / double(MsPerDay);
}

} // namespace tovimar
