#include "core/TimeFormat.h"

#include "core/AsciiCase.h"
#include "core/DoubleByte.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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

// A double-byte character outside quotes is dropped; UTF-8 has no lead-byte set, so its
// characters are copied.
bool IsLeadByte(char c) {
    const DoubleByteTable &table = CurrentDoubleByteTable();
    return table.DoubleByteMode && table.IsLead(static_cast<unsigned char>(c));
}

bool StartsTwelveHourMarker(std::string_view s) {
    return StartsWithIgnoringAsciiCase(s, "AM/PM") || StartsWithIgnoringAsciiCase(s, "A/P") ||
           StartsWithIgnoringAsciiCase(s, "AMPM");
}

std::string Number(int64_t value, int digits) {
    std::string text = std::to_string(value);
    if (text.size() < size_t(digits)) text.insert(0, size_t(digits) - text.size(), '0');
    return text;
}

// Everything appended past the limit is dropped; a character that does not fit whole is dropped
// with it, so the result never ends in part of one.
class Output {
public:
    void Append(std::string_view bytes) {
        if (full_) return;
        const size_t room = RenderedTimeFormatLimit - text_.size();
        if (bytes.size() <= room) {
            text_ += bytes;
            return;
        }
        text_ += bytes.substr(0, FitCharacters(bytes, room));
        full_ = true;
    }
    void Append(char c) { Append(std::string_view(&c, 1)); }
    std::string Take() { return std::move(text_); }

private:
    std::string text_;
    bool full_ = false;
};

// Whether the text after an h run asks for the twelve-hour clock: the first a outside quotes,
// unless an h comes first.
bool LooksTwelveHour(std::string_view p, size_t j) {
    bool quoted = false;
    while (j < p.size()) {
        const char c = p[j];
        if (const size_t length = CharLength(p, j); length > 1) {
            j += length;
            continue;
        }
        if (c == '"' || c == '\'') {
            quoted = !quoted;
        } else if (c == 'h' || c == 'H') {
            return false;
        } else if (!quoted && (c == 'a' || c == 'A')) {
            return StartsTwelveHourMarker(p.substr(j));
        }
        ++j;
    }
    return false;
}

std::string ShortEraName(const std::string &name, uint32_t locale) {
    const uint32_t language = locale & 0x3FF;
    const uint32_t sublanguage = (locale & 0xFFFF) >> 10;
    if (language == 0x11) return name.substr(0, CharLength(name, 0));
    if (language == 0x04 && sublanguage == 1) {
        std::vector<size_t> starts;
        for (size_t i = 0; i < name.size(); i += CharLength(name, i))
            starts.push_back(i);
        if (starts.size() == 4) return name.substr(starts[2]);
    }
    return name;
}

class Renderer {
public:
    Renderer(const DateTimeParts &time, const LocaleFormats &formats, const EraFormatter &era)
        : t_(time), f_(formats), era_(era) {}

    void Render(std::string_view pattern, int level);
    std::string Take() { return out_.Take(); }

private:
    void Nested(const std::string &pattern, int level) {
        if (level == 1) Render(pattern, 2);
    }
    void Era(size_t run);
    void EraYear(size_t run);

    const DateTimeParts t_;
    const LocaleFormats &f_;
    const EraFormatter &era_;
    Output out_;
};

void Renderer::Era(size_t run) {
    if (!era_) return;
    std::optional<std::string> name = era_(t_.Year, t_.Month, t_.Day, "gg");
    if (!name) return;
    out_.Append(run == 1 ? ShortEraName(*name, f_.Locale) : *name);
}

void Renderer::EraYear(size_t run) {
    if (!era_) return;
    std::optional<std::string> year = era_(t_.Year, t_.Month, t_.Day, run <= 2 ? "yy" : "yyyy");
    if (!year) return;
    if (run == 1 && !year->empty() && year->front() == '0') year->erase(0, 1);
    out_.Append(*year);
}

void Renderer::Render(std::string_view pattern, int level) {
    const std::string_view p = pattern.substr(0, pattern.find('\0'));
    char previous = 0;
    bool twelveHour = false;
    const bool beforeNoon = t_.Hour < 12;
    size_t i = 0;
    while (i < p.size()) {
        const char starter = p[i];
        const bool lead = IsLeadByte(starter);
        const std::string_view character = p.substr(i, CharLength(p, i));
        i += character.size();
        if (lead) {
            previous = 0;
            continue;
        }
        char token = AsciiUpper(starter);
        if (token >= 'A' && token <= 'Z') {
            if (token == 'M' && previous == 'H') token = 'N';
            previous = token;
        }
        auto run = [&] {
            size_t n = 1;
            for (; i < p.size() && p[i] == starter; ++i)
                ++n;
            return n;
        };
        switch (token) {
        case 'Y': {
            const size_t n = run();
            out_.Append(n <= 2 ? Number(t_.Year % 100, 2) : Number(t_.Year, 4));
            break;
        }
        case 'M': {
            const size_t n = run();
            if (n <= 2)
                out_.Append(Number(t_.Month, int(n)));
            else if (n == 3)
                out_.Append(f_.MonthAbbreviations[size_t(t_.Month - 1)]);
            else
                out_.Append(f_.MonthFullNames[size_t(t_.Month - 1)]);
            break;
        }
        case 'N':
            out_.Append(Number(t_.Minute, run() == 1 ? 1 : 2));
            break;
        case 'D': {
            const size_t n = run();
            if (n <= 2)
                out_.Append(Number(t_.Day, int(n)));
            else if (n == 3)
                out_.Append(f_.DayAbbreviations[size_t(t_.DayOfWeek - 1)]);
            else if (n == 4)
                out_.Append(f_.DayFullNames[size_t(t_.DayOfWeek - 1)]);
            else
                Nested(n == 5 ? f_.ShortDatePattern : f_.LongDatePattern, level);
            break;
        }
        case 'H': {
            const size_t n = run();
            if (LooksTwelveHour(p, i)) twelveHour = true;
            int hour = t_.Hour;
            if (twelveHour && hour == 0) hour = 12;
            if (twelveHour && hour > 12) hour -= 12;
            out_.Append(Number(hour, n == 1 ? 1 : 2));
            break;
        }
        case 'S':
            out_.Append(Number(t_.Second, run() == 1 ? 1 : 2));
            break;
        case 'Z':
            out_.Append(Number(t_.Millisecond, int(std::min<size_t>(run(), 3))));
            break;
        case 'T':
            Nested(run() == 1 ? f_.ShortTimePattern : f_.LongTimePattern, level);
            break;
        case 'C':
            run();
            Nested(f_.ShortDatePattern, level);
            if (t_.Hour != 0 || t_.Minute != 0 || t_.Second != 0) {
                out_.Append(' ');
                Nested(f_.LongTimePattern, level);
            }
            break;
        case 'G':
            Era(run());
            break;
        case 'E':
            EraYear(run());
            break;
        case 'A': {
            const std::string_view marker = p.substr(i - 1);
            if (StartsWithIgnoringAsciiCase(marker, "AM/PM")) {
                out_.Append(marker.substr(beforeNoon ? 0 : 3, 2));
                i += 4;
                twelveHour = true;
            } else if (StartsWithIgnoringAsciiCase(marker, "A/P")) {
                out_.Append(marker.substr(beforeNoon ? 0 : 2, 1));
                i += 2;
                twelveHour = true;
            } else if (StartsWithIgnoringAsciiCase(marker, "AMPM")) {
                out_.Append(beforeNoon ? f_.AmDesignator : f_.PmDesignator);
                i += 3;
                twelveHour = true;
            } else if (StartsWithIgnoringAsciiCase(marker, "AAAA")) {
                out_.Append(f_.DayFullNames[size_t(t_.DayOfWeek - 1)]);
                i += 3;
            } else if (StartsWithIgnoringAsciiCase(marker, "AAA")) {
                out_.Append(f_.DayAbbreviations[size_t(t_.DayOfWeek - 1)]);
                i += 2;
            } else {
                out_.Append(starter);
            }
            break;
        }
        case '/':
            if (f_.DateSeparatorChar != 0) out_.Append(f_.DateSeparatorChar);
            break;
        case ':':
            if (f_.TimeSeparatorChar != 0) out_.Append(f_.TimeSeparatorChar);
            break;
        case '"':
        case '\'': {
            // A trail byte never closes the quote: characters are stepped over whole.
            size_t end = i;
            while (end < p.size() && p[end] != starter)
                end += CharLength(p, end);
            end = std::min(end, p.size());
            out_.Append(p.substr(i, end - i));
            i = std::min(end + 1, p.size());
            break;
        }
        default:
            // Under UTF-8 a character of several bytes is copied whole.
            out_.Append(character);
            break;
        }
    }
}

std::optional<int> ParseNumber(const std::optional<std::string> &text) {
    if (!text || text->empty()) return std::nullopt;
    size_t i = (*text)[0] == '-' ? 1 : 0;
    if (i == text->size() || text->size() > 10) return std::nullopt;
    int64_t value = 0;
    for (; i < text->size(); ++i) {
        const char c = (*text)[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if ((*text)[0] == '-') value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return int(value);
}

LocaleFormats &ProcessFormats() {
    static LocaleFormats formats;
    return formats;
}

constexpr size_t InfoBuffer = 256;
// A separator is read into two bytes: one byte and the zero.
constexpr size_t SeparatorBuffer = 2;

} // namespace

LocaleFormats::LocaleFormats() {
    // One run of zero-ended texts: no table of pointers to relocate.
    const char *next = "m/d/yy\0mmmm d, yyyy\0am\0pm\0h:mm AMPM\0h:mm:ss AMPM\0"
                       "Jan\0Feb\0Mar\0Apr\0May\0Jun\0Jul\0Aug\0Sep\0Oct\0Nov\0Dec\0"
                       "January\0February\0March\0April\0May\0June\0July\0August\0"
                       "September\0October\0November\0December\0"
                       "Sun\0Mon\0Tue\0Wed\0Thu\0Fri\0Sat\0"
                       "Sunday\0Monday\0Tuesday\0Wednesday\0Thursday\0Friday\0Saturday";
    const auto take = [&next](std::string &field) {
        field = next;
        next += field.size() + 1;
    };
    for (std::string *field : {&ShortDatePattern, &LongDatePattern, &AmDesignator, &PmDesignator,
                               &ShortTimePattern, &LongTimePattern})
        take(*field);
    for (std::string &name : MonthAbbreviations)
        take(name);
    for (std::string &name : MonthFullNames)
        take(name);
    for (std::string &name : DayAbbreviations)
        take(name);
    for (std::string &name : DayFullNames)
        take(name);
}

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

std::string ConvertLocaleDatePattern(std::string_view text, int calendarType,
                                     uint32_t primaryLanguage) {
    std::string result;
    if (calendarType == 3 || calendarType == 4 || calendarType == 5) {
        for (size_t i = 0; i < text.size();) {
            const std::string_view rest = text.substr(i);
            if (const size_t length = CharLength(text, i); length > 1) {
                result += text.substr(i, length);
                i += length;
            } else if (StartsWithIgnoringAsciiCase(rest, "GG")) {
                result += "ggg";
                i += 2;
            } else if (StartsWithIgnoringAsciiCase(rest, "YYYY")) {
                result += "eeee";
                i += 4;
            } else if (StartsWithIgnoringAsciiCase(rest, "YY")) {
                result += "ee";
                i += 2;
            } else if (StartsWithIgnoringAsciiCase(rest, "Y")) {
                result += "e";
                i += 1;
            } else {
                result += text[i++];
            }
        }
        return result;
    }
    if (primaryLanguage == 0x04 || primaryLanguage == 0x11 || primaryLanguage == 0x12) {
        // Characters of several bytes are copied whole: a trail byte may equal g.
        for (size_t i = 0; i < text.size();) {
            const size_t length = CharLength(text, i);
            if (length > 1 || AsciiUpper(text[i]) != 'G') result += text.substr(i, length);
            i += length;
        }
        return result;
    }
    return std::string(text);
}

LocaleFormats ReadLocaleFormats(LocaleSource &source) {
    LocaleFormats f;
    f.Locale = source.ThreadLocale();
    const uint32_t language = f.Locale & 0x3FF;
    auto text = [&](LocaleItem item, int index = 0) {
        return source.Info(item, index, InfoBuffer);
    };
    auto number = [&](LocaleItem item, int fallback) {
        return ParseNumber(text(item)).value_or(fallback);
    };
    auto separator = [&](LocaleItem item, char &target) {
        if (auto s = source.Info(item, 0, SeparatorBuffer); s && s->size() < SeparatorBuffer)
            target = s->empty() ? '\0' : (*s)[0];
    };
    separator(LocaleItem::DateSeparator, f.DateSeparatorChar);
    separator(LocaleItem::TimeSeparator, f.TimeSeparatorChar);

    const int calendar = number(LocaleItem::CalendarType, 1);
    f.ShortDatePattern = ConvertLocaleDatePattern(
        text(LocaleItem::ShortDate).value_or(f.ShortDatePattern), calendar, language);
    f.LongDatePattern = ConvertLocaleDatePattern(
        text(LocaleItem::LongDate).value_or(f.LongDatePattern), calendar, language);
    f.AmDesignator = text(LocaleItem::AmDesignator).value_or(f.AmDesignator);
    f.PmDesignator = text(LocaleItem::PmDesignator).value_or(f.PmDesignator);

    const std::string hour = number(LocaleItem::HourLeadingZero, 0) != 0 ? "hh" : "h";
    std::string prefix, suffix;
    if (number(LocaleItem::TimeFormat, 0) == 0) {
        if (number(LocaleItem::TimeMarkerPosition, 0) == 0)
            suffix = " AMPM";
        else
            prefix = "AMPM ";
    }
    f.ShortTimePattern = prefix + hour + ":mm" + suffix;
    f.LongTimePattern = prefix + hour + ":mm:ss" + suffix;

    auto name = [&](LocaleItem item, int index, std::string &target) {
        if (auto s = text(item, index); s && !s->empty()) target = *s;
    };
    for (int m = 0; m < 12; ++m) {
        name(LocaleItem::MonthAbbreviation, m, f.MonthAbbreviations[size_t(m)]);
        name(LocaleItem::MonthName, m, f.MonthFullNames[size_t(m)]);
    }
    // Sunday first here, Monday first in the locale data.
    for (int d = 0; d < 7; ++d) {
        name(LocaleItem::DayAbbreviation, (d + 6) % 7, f.DayAbbreviations[size_t(d)]);
        name(LocaleItem::DayName, (d + 6) % 7, f.DayFullNames[size_t(d)]);
    }
    return f;
}

std::string RenderTimeFormat(std::string_view timeFormat, double value,
                             const LocaleFormats &formats, const EraFormatter &era) {
    Renderer renderer(DecodeDateTime(value), formats, era);
    renderer.Render(timeFormat.empty() ? std::string_view("C") : timeFormat, 1);
    return renderer.Take();
}

const LocaleFormats &CurrentLocaleFormats() {
    return ProcessFormats();
}

void SetLocaleFormats(const LocaleFormats &formats) {
    ProcessFormats() = formats;
}

} // namespace tovimar
