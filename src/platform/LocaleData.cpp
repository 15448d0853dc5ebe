#include "platform/LocaleData.h"

#include "platform/Locale.h"
#include "platform/Text.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace tovimar::platform {

namespace {

constexpr size_t ResultBuffer = 256;

// LCMapStringW of a whole run, the mapping's own length, no terminating zero.
std::optional<std::wstring> MapRunWidth(const std::wstring &run, bool fullWidth) {
    const DWORD flags = fullWidth ? LCMAP_FULLWIDTH : LCMAP_HALFWIDTH;
    const LCID locale = ::GetUserDefaultLCID();
    const int size = ::LCMapStringW(locale, flags, run.c_str(), int(run.size()), nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::wstring mapped(size_t(size), L'\0');
    if (::LCMapStringW(locale, flags, run.c_str(), int(run.size()), mapped.data(), size) != size)
        return std::nullopt;
    return mapped;
}

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

std::optional<std::wstring> MapWidth(const std::wstring &text, bool fullWidth) {
    // Runs the ANSI code page holds map as an ANSI name's would (ｶﾞ to ガ takes the run); a
    // character outside it stays itself (ㄱ is not made ﾡ, nor ¢ ￠), and so does a run whose
    // result the code page cannot hold, where the ANSI mapping would give a best fit or '?'.
    std::wstring mapped;
    for (size_t i = 0; i < text.size();) {
        const bool fits = FitsAnsiCodePage(text.substr(i, CharacterUnitsAt(text, i)));
        size_t end = i;
        while (end < text.size() &&
               FitsAnsiCodePage(text.substr(end, CharacterUnitsAt(text, end))) == fits)
            end += CharacterUnitsAt(text, end);
        const std::wstring run = text.substr(i, end - i);
        i = end;
        if (!fits) {
            mapped += run;
            continue;
        }
        std::optional<std::wstring> widths = MapRunWidth(run, fullWidth);
        if (!widths) return std::nullopt;
        mapped += FitsAnsiCodePage(*widths) ? *widths : run;
    }
    if (mapped.size() >= ResultBuffer) return std::nullopt;
    return mapped;
}

} // namespace tovimar::platform
