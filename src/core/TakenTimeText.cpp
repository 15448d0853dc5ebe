#include "core/TakenTimeFormats.h"

namespace tovimar::taken {

int Digits(const char *p, int n) {
    int value = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9') return -1;
        value = value * 10 + (p[i] - '0');
    }
    return value;
}

std::optional<TakenTime> ParseDateText(std::string_view s) {
    if (s.size() < 16) return std::nullopt;
    const char dateSeparator = s[4];
    if ((dateSeparator != '-' && dateSeparator != ':' && dateSeparator != '/') ||
        s[7] != dateSeparator || (s[10] != 'T' && s[10] != ' ') || s[13] != ':')
        return std::nullopt;
    const char *p = s.data();
    TakenTime t{Digits(p, 4),
                Digits(p + 5, 2),
                Digits(p + 8, 2),
                Digits(p + 11, 2),
                Digits(p + 14, 2),
                0,
                0,
                false};
    if (s.size() >= 19 && s[16] == ':') {
        t.Second = Digits(p + 17, 2);
        // The fraction of a second, to the millisecond; longer fractions are cut.
        if (s.size() > 20 && (s[19] == '.' || s[19] == ',')) {
            int scale = 100;
            for (size_t i = 20; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, scale /= 10)
                t.Millisecond += (s[i] - '0') * scale;
        }
    }
    if (!InRange(t)) return std::nullopt;
    return t;
}

namespace {

// The next word of s from at, blanks skipped.
std::string_view NextWord(std::string_view s, size_t &at) {
    while (at < s.size() && s[at] == ' ')
        ++at;
    const size_t begin = at;
    while (at < s.size() && s[at] != ' ')
        ++at;
    return s.substr(begin, at - begin);
}

int MonthOfName(std::string_view name) {
    static constexpr const char *Months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                             "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    if (name.size() != 3) return -1;
    for (int m = 0; m < 12; ++m) {
        bool same = true;
        for (int i = 0; i < 3; ++i)
            same = same && (name[i] & ~0x20) == Months[m][i];
        if (same) return m + 1;
    }
    return -1;
}

} // namespace

std::optional<TakenTime> ParseAsctimeDate(std::string_view s) {
    size_t at = 0;
    NextWord(s, at); // the day of the week says nothing the date does not
    const int month = MonthOfName(NextWord(s, at));
    const std::string_view day = NextWord(s, at), time = NextWord(s, at), year = NextWord(s, at);
    if (day.empty() || day.size() > 2 || time.size() != 8 || time[2] != ':' || time[5] != ':' ||
        year.size() != 4)
        return std::nullopt;
    TakenTime t{Digits(year.data(), 4),
                month,
                Digits(day.data(), int(day.size())),
                Digits(time.data(), 2),
                Digits(time.data() + 3, 2),
                Digits(time.data() + 6, 2),
                0,
                false};
    if (!InRange(t)) return std::nullopt;
    return t;
}

} // namespace tovimar::taken
