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

namespace {

// Whether a character takes the locale's width mapping in a UTF-8 name: where an ANSI name's
// would (the ANSI code page holds it), and where it is one of the forms the width commands are
// about though that code page lacks it (full-width letters and signs, katakana of either width,
// Japanese punctuation). Any other (hangul and its jamo, ﾡ, emoji) stays itself.
bool TakesWidthMapping(std::wstring_view character) {
    if (FitsAnsiCodePage(character)) return true;
    const wchar_t c = character[0];
    return (c >= 0x3000 && c <= 0x303F) || (c >= 0x3099 && c <= 0x30FF) ||
           (c >= 0xFF01 && c <= 0xFF9F) || (c >= 0xFFE0 && c <= 0xFFE6);
}

} // namespace

std::optional<std::wstring> MapWidth(const std::wstring &text, bool fullWidth) {
    // A run maps as a whole: ｶﾞ is one character, ガ.
    const auto takes = [&text](size_t at) {
        return TakesWidthMapping(std::wstring_view(text).substr(at, CharacterUnitsAt(text, at)));
    };
    std::wstring mapped;
    for (size_t i = 0; i < text.size();) {
        const bool mapping = takes(i);
        size_t end = i;
        while (end < text.size() && takes(end) == mapping)
            end += CharacterUnitsAt(text, end);
        const std::wstring run = text.substr(i, end - i);
        i = end;
        if (!mapping) {
            mapped += run;
            continue;
        }
        std::optional<std::wstring> widths = MapRunWidth(run, fullWidth);
        if (!widths) return std::nullopt;
        mapped += *widths;
    }
    if (mapped.size() >= ResultBuffer) return std::nullopt;
    return mapped;
}

} // namespace tovimar::platform
