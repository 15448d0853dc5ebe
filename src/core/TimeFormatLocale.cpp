#include "core/TimeFormat.h"

#include "core/AsciiCase.h"
#include "core/DoubleByte.h"

#include <cstdint>

namespace tovimar {

namespace {

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

std::string ConvertLocaleDatePattern(const CharacterRule &rule, std::string_view text,
                                     int calendarType, uint32_t primaryLanguage) {
    std::string result;
    if (calendarType == 3 || calendarType == 4 || calendarType == 5) {
        for (size_t i = 0; i < text.size();) {
            const std::string_view rest = text.substr(i);
            if (const size_t length = CharLength(rule, text, i); length > 1) {
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
            const size_t length = CharLength(rule, text, i);
            if (length > 1 || AsciiUpper(text[i]) != 'G') result += text.substr(i, length);
            i += length;
        }
        return result;
    }
    return std::string(text);
}

LocaleFormats ReadLocaleFormats(const CharacterRule &rule, LocaleSource &source) {
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
        rule, text(LocaleItem::ShortDate).value_or(f.ShortDatePattern), calendar, language);
    f.LongDatePattern = ConvertLocaleDatePattern(
        rule, text(LocaleItem::LongDate).value_or(f.LongDatePattern), calendar, language);
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

const LocaleFormats &CurrentLocaleFormats() {
    return ProcessFormats();
}

void SetLocaleFormats(const LocaleFormats &formats) {
    ProcessFormats() = formats;
}

} // namespace tovimar
