// The locale values, the era, the width mapping and the locale reload, under the test's locale.
#include "core/DoubleByte.h"
#include "core/TimeFormat.h"
#include "platform/LocaleData.h"
#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <vector>

using namespace tovimar;
using namespace tovimar::platform;

namespace {

struct LocaleRow {
    UINT codePage;
    char dateSeparator, timeSeparator;
    std::string shortDate, longDate, am, pm, shortTime, longTime, january, sunday, saturday;
    std::string era;
};

TEST(LocaleValues, ReadFromTheThreadLocale) {
    // Wine's locale data; Windows words some of them differently.
    const std::vector<LocaleRow> rows = {
        {932, '/', ':', "yyyy/M/d",
         "yyyy\x94NM\x8C\x8E"
         "d\x93\xFA"
         "dddd",
         "\x8C\xDF\x91O", "\x8C\xDF\x8C\xE3", "h:mm", "h:mm:ss", "1\x8C\x8E",
         "\x93\xFA\x97j\x93\xFA", "\x93y\x97j\x93\xFA", "\x90\xBC\x97\xEF"},
        {1252, '/', ':', "M/d/yyyy", "dddd, MMMM d, yyyy", "AM", "PM", "h:mm AMPM", "h:mm:ss AMPM",
         "January", "Sunday", "Saturday", "AD"},
    };
    LoadLocaleValues();
    const LocaleFormats &f = CurrentLocaleFormats();
    for (const LocaleRow &row : rows) {
        if (row.codePage != ::GetACP()) continue;
        EXPECT_EQ(f.DateSeparatorChar, row.dateSeparator);
        EXPECT_EQ(f.TimeSeparatorChar, row.timeSeparator);
        EXPECT_EQ(f.ShortDatePattern, row.shortDate);
        EXPECT_EQ(f.LongDatePattern, row.longDate);
        EXPECT_EQ(f.AmDesignator, row.am);
        EXPECT_EQ(f.PmDesignator, row.pm);
        EXPECT_EQ(f.ShortTimePattern, row.shortTime);
        EXPECT_EQ(f.LongTimePattern, row.longTime);
        EXPECT_EQ(f.MonthFullNames[0], row.january);
        EXPECT_EQ(f.DayFullNames[0], row.sunday);
        EXPECT_EQ(f.DayFullNames[6], row.saturday);
        // One era name for gg, the era years as digits.
        const double day = EncodeDateTime(2026, 3, 7, 14, 5, 9, 42);
        EXPECT_EQ(RenderTimeFormat(AnsiCharacterRule(), "gg|ee|eee", day, f, EraText),
                  row.era + "|26|2026");
    }
}

TEST(LocaleValues, ReloadGoesBackToTheUsersLocale) {
    const LCID user = ::GetUserDefaultLCID();
    const UINT codePage = ::GetACP();
    ASSERT_TRUE(::SetThreadLocale(codePage == 932 ? 0x0409 : 0x0411));
    LoadLocaleValues();
    EXPECT_NE(CurrentLocaleFormats().Locale, user);
    ReloadLocaleValues();
    EXPECT_EQ(::GetThreadLocale(), user);
    EXPECT_EQ(CurrentLocaleFormats().Locale, user);
    EXPECT_EQ(AnsiCharacterRule().DoubleByteMode, codePage == 932);
}

struct WidthRow {
    UINT codePage;
    std::string half, full;
};

TEST(WidthMapping, FullAndHalfWidth) {
    const std::vector<WidthRow> rows = {
        {932, "abc123", "\x82\x81\x82\x82\x82\x83\x82P\x82Q\x82R"},
        {932, "\xB1 x", "\x83\x41\x81\x40\x82\x98"}, // half-width katakana, blank, letter
        {932, "\x95\x61x", "\x95\x61\x82\x98"},      // 病 keeps its trail byte 'a'
        {1252, "abc123", "abc123"},                  // no full-width forms in this code page
    };
    for (const WidthRow &row : rows) {
        if (row.codePage != ::GetACP()) continue;
        EXPECT_EQ(MapWidth(row.half, true), row.full) << row.half;
        EXPECT_EQ(MapWidth(row.full, false), row.half) << row.half;
    }
    if (::GetACP() == 932) {
        // 255 bytes of result fit, 256 do not: the caller keeps the name.
        EXPECT_EQ(MapWidth(std::string(127, 'a'), true)->size(), 254u);
        EXPECT_EQ(MapWidth(std::string(128, 'a'), true), std::nullopt);
    }
}

struct WideWidthRow {
    UINT codePage;
    std::wstring half, full;
};

TEST(WidthMapping, OutsideTheCodePageStaysItself) {
    const std::vector<WideWidthRow> rows = {
        // ｶﾞ a maps as in an ANSI name; ㄱ, ﾡ and ¢ have width forms but are not in 932.
        {932, L"\xFF76\xFF9E a\x3131\xFFA1\x00A2\xD83D\xDE00",
         L"\x30AC\x3000\xFF41\x3131\xFFA1\x00A2\xD83D\xDE00"},
        // A UTF-8 name on a Western system takes the Japanese width forms; ㄱ and ﾡ stay.
        {1252, L"ab \x00A2" L"A\xFF76\x3131\xFFA1",
         L"\xFF41\xFF42\x3000\xFFE0\xFF21\x30AB\x3131\xFFA1"},
    };
    for (const WideWidthRow &row : rows) {
        if (row.codePage != ::GetACP()) continue;
        EXPECT_EQ(MapWidth(row.half, true), row.full);
        EXPECT_EQ(MapWidth(row.full, false), row.half);
    }
}

} // namespace
