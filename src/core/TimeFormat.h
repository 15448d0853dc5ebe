// The time format (the date pattern of the TimeFormat setting): the date value, the locale
// texts it draws on, and the renderer.
#pragma once

#include "core/DoubleByte.h"
#include "core/FunctionRef.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovimar {

// A date-time value is a number of days since 30 December 1899; the fraction is the time.
struct DateTimeParts {
    int Year = 1899, Month = 12, Day = 30;
    int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
    int DayOfWeek = 7; // 1 = Sunday ... 7 = Saturday
};

// Rounds to the nearest millisecond first, so a value a hair short of midnight is the next day.
DateTimeParts DecodeDateTime(double value);
double EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond);

// The locale's date and time texts. The defaults are the values used when a query fails.
struct LocaleFormats {
    char DateSeparatorChar = '/'; // 0: nothing is written
    char TimeSeparatorChar = ':';
    // The English defaults, filled in from one table rather than string by string.
    LocaleFormats();

    std::string ShortDatePattern;
    std::string LongDatePattern;
    std::string AmDesignator;
    std::string PmDesignator;
    std::string ShortTimePattern;
    std::string LongTimePattern;
    std::array<std::string, 12> MonthAbbreviations;
    std::array<std::string, 12> MonthFullNames;
    // Sunday first.
    std::array<std::string, 7> DayAbbreviations;
    std::array<std::string, 7> DayFullNames;
    // The locale the values were read for; its language decides how g shortens the era name.
    uint32_t Locale = 0x0409;

    bool operator==(const LocaleFormats &) const = default;
};

// The locale texts behind LocaleFormats, as the platform's locale data lists them.
enum class LocaleItem {
    DateSeparator,
    TimeSeparator,
    ShortDate,
    LongDate,
    AmDesignator,
    PmDesignator,
    HourLeadingZero,    // numeric: non-zero for "hh"
    TimeFormat,         // numeric: 0 for the twelve-hour clock
    TimeMarkerPosition, // numeric: 0 for the marker after the time
    CalendarType,       // numeric
    MonthAbbreviation,  // index 0 = January
    MonthName,
    DayAbbreviation, // index 0 = Monday ... 6 = Sunday
    DayName,
};

class LocaleSource {
public:
    virtual ~LocaleSource() = default;
    virtual uint32_t ThreadLocale() = 0;
    // The item's text for the thread locale read into a buffer of bufferSize bytes (the zero
    // included), up to its first zero; nullopt when the query fails or the text does not fit.
    virtual std::optional<std::string> Info(LocaleItem item, int index, size_t bufferSize) = 0;
};

// The locale's texts are in the code page of rule, which converts the date patterns.
LocaleFormats ReadLocaleFormats(const CharacterRule &rule, LocaleSource &source);

// A date format of the locale as a pattern of this language: era years under the Japanese,
// Taiwanese and Korean calendars, no era names for other Chinese, Japanese and Korean formats.
std::string ConvertLocaleDatePattern(const CharacterRule &rule, std::string_view text,
                                     int calendarType, uint32_t primaryLanguage);

// The platform's alternative-calendar rendering of a date with the picture "gg", "yy" or
// "yyyy"; nullopt when it fails.
using EraFormatter =
    FunctionRef<std::optional<std::string>(int year, int month, int day, std::string_view picture)>;

inline constexpr size_t RenderedTimeFormatLimit = 256;

// Renders value through the time format (an empty one is "C"); at most RenderedTimeFormatLimit
// bytes, never ending in part of a character by rule.
std::string RenderTimeFormat(const CharacterRule &rule, std::string_view timeFormat, double value,
                             const LocaleFormats &formats, const EraFormatter &era);

// The values in force for the process; replaced as a whole when the locale is read again.
const LocaleFormats &CurrentLocaleFormats();
void SetLocaleFormats(const LocaleFormats &formats);

} // namespace tovimar
