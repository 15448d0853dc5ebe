#include "platform/LocaleData.h"

#include "platform/Locale.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace tovimar::platform {

namespace {

constexpr size_t ResultBuffer = 256;

LCTYPE ItemType(LocaleItem item, int index) {
    switch (item) {
    case LocaleItem::DateSeparator:
        return LOCALE_SDATE;
    case LocaleItem::TimeSeparator:
        return LOCALE_STIME;
    case LocaleItem::ShortDate:
        return LOCALE_SSHORTDATE;
    case LocaleItem::LongDate:
        return LOCALE_SLONGDATE;
    case LocaleItem::AmDesignator:
        return LOCALE_S1159;
    case LocaleItem::PmDesignator:
        return LOCALE_S2359;
    case LocaleItem::HourLeadingZero:
        return LOCALE_ITLZERO;
    case LocaleItem::TimeFormat:
        return LOCALE_ITIME;
    case LocaleItem::TimeMarkerPosition:
        return LOCALE_ITIMEMARKPOSN;
    case LocaleItem::CalendarType:
        return LOCALE_ICALENDARTYPE;
    case LocaleItem::MonthAbbreviation:
        return LOCALE_SABBREVMONTHNAME1 + LCTYPE(index);
    case LocaleItem::MonthName:
        return LOCALE_SMONTHNAME1 + LCTYPE(index);
    case LocaleItem::DayAbbreviation:
        return LOCALE_SABBREVDAYNAME1 + LCTYPE(index);
    case LocaleItem::DayName:
        return LOCALE_SDAYNAME1 + LCTYPE(index);
    }
    return 0;
}

class SystemLocaleSource final : public LocaleSource {
public:
    uint32_t ThreadLocale() override { return ::GetThreadLocale(); }

    std::optional<std::string> Info(LocaleItem item, int index, size_t bufferSize) override {
        std::vector<char> buffer(bufferSize, '\0');
        int length = ::GetLocaleInfoA(::GetThreadLocale(), ItemType(item, index), buffer.data(),
                                      int(buffer.size()));
        if (length <= 0) return std::nullopt;
        return std::string(buffer.data(), strnlen(buffer.data(), buffer.size()));
    }
};

} // namespace

LocaleFormats ReadSystemLocaleFormats() {
    SystemLocaleSource source;
    return ReadLocaleFormats(AnsiCharacterRule(), source);
}

void LoadLocaleValues() {
    // The double-byte table first: the date patterns are converted by it.
    LoadCharacterRule();
    SetLocaleFormats(ReadSystemLocaleFormats());
}

void ReloadLocaleValues() {
    ::SetThreadLocale(LOCALE_USER_DEFAULT);
    LoadLocaleValues();
}

std::optional<std::string> EraText(int year, int month, int day, std::string_view picture) {
    SYSTEMTIME date{};
    date.wYear = WORD(year);
    date.wMonth = WORD(month);
    date.wDay = WORD(day);
    char buffer[ResultBuffer] = {};
    // Windows renders g and gg alike; Wine writes the era name once per g.
    std::string format(picture == "gg" ? std::string_view("g") : picture);
    int length = ::GetDateFormatA(::GetThreadLocale(), DATE_USE_ALT_CALENDAR, &date, format.c_str(),
                                  buffer, int(sizeof buffer));
    if (length <= 0) return std::nullopt;
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

double CurrentLocalTime() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return EncodeDateTime(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                          now.wMilliseconds);
}

std::optional<std::string> MapWidth(const std::string &text, bool fullWidth) {
    char buffer[ResultBuffer] = {};
    // The source includes its terminating zero, so the result carries one too.
    int length =
        ::LCMapStringA(::GetUserDefaultLCID(), fullWidth ? LCMAP_FULLWIDTH : LCMAP_HALFWIDTH,
                       text.c_str(), int(text.size() + 1), buffer, int(sizeof buffer));
    if (length <= 0) return std::nullopt;
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

} // namespace tovimar::platform
