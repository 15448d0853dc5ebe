#include "core/TimeFormat.h"

#include "CodePageRule.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace tovimar {
namespace {

// 7 March 2026 (a Saturday) 14:05:09.042, midnight and noon of the same day.
const double Afternoon = EncodeDateTime(2026, 3, 7, 14, 5, 9, 42);
const double Midnight = EncodeDateTime(2026, 3, 7, 0, 0, 0, 0);
const double Noon = EncodeDateTime(2026, 3, 7, 12, 0, 0, 0);
const double LastMs = EncodeDateTime(2026, 3, 7, 23, 59, 59, 999);
const double MsFraction = 1.0 / 86400000;

// 令和, 中華民國, and the characters of the double-byte rows.
const std::string Reiwa = "\x97\xDF\x98\x61";
const std::string Taiwan = "\x92\x86\x89\xD8\x96\xAF\x9A\xA0";
const std::string A = "\x82\xA0"; // あ

std::optional<std::string> FakeEra(int year, int, int, std::string_view picture) {
    if (picture == "gg") return year == 2026 ? std::optional(Reiwa) : std::nullopt;
    return picture == "yy" ? "08" : "0008";
}

enum class Variant { Fallback, Japanese, Taiwan, NoEra };

LocaleFormats Formats(Variant setup) {
    LocaleFormats f;
    if (setup == Variant::Japanese) {
        f.Locale = 0x0411;
        f.DateSeparatorChar = '.';
        f.TimeSeparatorChar = 0;
        f.ShortDatePattern = "[dd t tt ddddd dddddd c]";
    }
    if (setup == Variant::Taiwan) f.Locale = 0x0404;
    return f;
}

std::string Repeat(const std::string &s, size_t n) {
    std::string r;
    for (size_t i = 0; i < n; ++i)
        r += s;
    return r;
}

TEST(RenderTimeFormat, Table) {
    struct Row {
        std::string Pattern;
        double Value;
        Variant With;
        std::string Expected;
        uint32_t CodePage = 932;
    };
    const std::string E = "\xC3\xA9", Smile = "\xF0\x9F\x98\x80"; // UTF-8 é and 😀
    const Variant F = Variant::Fallback, J = Variant::Japanese;
    const std::vector<Row> rows = {
        {"yymmddhhnnss", Afternoon, F, "260307140509"},
        {"yyyymmdd_hhnnss", Afternoon, F, "20260307_140509"},
        {"yyyy-mm-dd hh:mm", Afternoon, F, "2026-03-07 14:05"},
        {"y ; yyy", Afternoon, F, "26 ; 2026"},
        {"yyYY", Afternoon, F, "2626"},
        {"m/d", Afternoon, F, "3/7"},
        {"hh:mm am/pm", Afternoon, F, "02:05 pm"},
        {"h:nn A/P", Afternoon, F, "2:05 P"},
        {"hh hh am/pm", Afternoon, F, "14 02 pm"},
        {"z ; zz ; zzzz", Afternoon, F, "42 ; 42 ; 042"},
        {"hh x mm", Afternoon, F, "14 x 03"},
        {"'It''s'", Afternoon, F, "Its"},
        {"\"'\"", Afternoon, F, "'"},
        {"", Afternoon, F, "3/7/26 2:05:09 pm"},
        {"Photo_yymmdd", Afternoon, F, "P14o2:05 pmo_260307"},
        {"'Photo_'yymmdd", Afternoon, F, "Photo_260307"},
        // every other token
        {"m mm mmm mmmm", Afternoon, F, "3 03 Mar March"},
        {"d dd ddd dddd", Afternoon, F, "7 07 Sat Saturday"},
        {"ddddd|dddddd", Afternoon, F, "3/7/26|March 7, 2026"},
        {"t|tt|AMPM|aaa|aaaa|a", Afternoon, F, "2:05 pm|2:05:09 pm|pm|Sat|Saturday|a"},
        {"h:n:s hh:nn:ss", Afternoon, F, "14:5:9 14:05:09"},
        {std::string("yy\0mm", 5), Afternoon, F, "26"},
        // the clock around midnight and noon
        {"", Midnight, F, "3/7/26"},
        {"h:nn am/pm AM/PM a/p AMPM", Midnight, F, "12:00 am AM a am"},
        {"hh:nn", Midnight, F, "00:00"},
        {"hh AMPM h A/P", Noon, F, "12 pm 12 P"},
        {"am/pm hh", Afternoon, F, "pm 02"},      // a marker earlier in the level
        {"tt hh", Afternoon, F, "2:05:09 pm 14"}, // the nested level keeps its flag
        {"hh 'am/pm'", Afternoon, F, "14 am/pm"}, // quoted markers are not looked at
        {"yyyymmdd hhnnsszzz", LastMs, F, "20260307 235959999"},
        {"yyyymmdd hhnnsszzz", LastMs + 0.6 * MsFraction, F, "20260308 000000000"},
        // separators and nested patterns of the locale
        {"m/d h:n", Afternoon, J, "3.7 145"},
        {"ddddd", Afternoon, J, "[07      ]"},
        {"ddddd", Midnight, J, "[07     ]"},
        // era names and years
        {"g|gg|e|ee|eee", Afternoon, J, "\x97\xDF|" + Reiwa + "|8|08|0008"},
        {"[g e]", Afternoon, Variant::NoEra, "[ ]"},
        {"[g|gg]", EncodeDateTime(1999, 1, 1, 0, 0, 0, 0), J, "[|]"},
        // unclosed quotes copy to the end
        {"yy'abc", Afternoon, F, "26abc"},
        // double-byte characters outside quotes are dropped and clear the previous letter
        {"yyyy\x94\x4Emm\x8C\x8E"
         "dd\x93\xFA",
         Afternoon, F, "20260307"},
        {"hh\x8E\x9Emm\x95\xAA", Afternoon, F, "1403"},
        {"hh\"\x8E\x9E\"mm\"\x95\xAA\"", Afternoon, F,
         "14\x8E\x9E"
         "05\x95\xAA"},
        // a trail byte equal to h neither starts a token nor stops the look-ahead
        {"h\x83\x68"
         "am/pm",
         Afternoon, F, "2pm"},
        // the output limit, and never half a character at it
        {"'" + std::string(300, 'x'), Afternoon, F, std::string(256, 'x')},
        {"'x" + Repeat(A, 200), Afternoon, F, "x" + Repeat(A, 127)},
        {Repeat("yyyy-", 100), Afternoon, F, Repeat("2026-", 51) + "2"},
        {"x'" + Repeat(E, 200) + "'", Afternoon, F, "x" + Repeat(E, 127), 65001},
        {Repeat("yy" + Smile, 70), Afternoon, F, Repeat("26" + Smile, 42) + "26", 65001},
        // UTF-8 has no lead-byte set: characters outside quotes are copied whole
        {"yyyy\xE5\xB9\xB4mm", Afternoon, F,
         "2026\xE5\xB9\xB4"
         "03",
         65001},
        // a single-byte code page: every byte is a character, 4E an n
        {"yyyy\x94\x4Emm", Afternoon, F,
         "2026\x94"
         "503",
         1252},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.Pattern);
        EraFormatter era = row.With == Variant::NoEra ? EraFormatter() : EraFormatter(FakeEra);
        EXPECT_EQ(
            RenderTimeFormat(RuleFor(row.CodePage), row.Pattern, row.Value, Formats(row.With), era),
            row.Expected);
    }
    // 中華民國 shortens to its last two characters under Traditional Chinese only.
    auto taiwanEra = [](int, int, int, std::string_view) { return std::optional(Taiwan); };
    EXPECT_EQ(RenderTimeFormat(ShiftJisRule(), "g", Afternoon, Formats(Variant::Taiwan), taiwanEra),
              "\x96\xAF\x9A\xA0");
}

// A locale source answering from a map; missing items fail.
class FakeLocale : public LocaleSource {
public:
    uint32_t locale = 0x0409;
    std::map<std::pair<LocaleItem, int>, std::string> items;

    uint32_t ThreadLocale() override { return locale; }
    std::optional<std::string> Info(LocaleItem item, int index, size_t bufferSize) override {
        auto it = items.find({item, index});
        if (it == items.end() || it->second.size() >= bufferSize) return std::nullopt;
        return it->second;
    }
};

TEST(ReadLocaleFormats, SourcesAndFallbacks) {
    const CharacterRule sjis = ShiftJisRule();
    // Nothing readable: the defaults, which the renderer's rows above spell out.
    FakeLocale none;
    EXPECT_TRUE(ReadLocaleFormats(sjis, none) == LocaleFormats{});

    FakeLocale ja;
    ja.locale = 0x0411;
    ja.items = {
        {{LocaleItem::DateSeparator, 0}, "--"}, // too long for its buffer
        {{LocaleItem::TimeSeparator, 0}, ""},
        {{LocaleItem::ShortDate, 0}, "gg yy/M/d"},
        {{LocaleItem::LongDate, 0}, "gg yyyy'\x94\x4E'"},
        {{LocaleItem::CalendarType, 0}, "3"},
        {{LocaleItem::AmDesignator, 0}, ""},
        {{LocaleItem::HourLeadingZero, 0}, "1"},
        {{LocaleItem::TimeFormat, 0}, "0"},
        {{LocaleItem::TimeMarkerPosition, 0}, "1"},
        {{LocaleItem::MonthName, 0}, "1\x8C\x8E"},
        {{LocaleItem::MonthName, 1}, ""},
        {{LocaleItem::DayName, 6}, "\x93\xFA"}, // the locale lists Sunday last
        {{LocaleItem::DayAbbreviation, 0}, "M"},
    };
    LocaleFormats read = ReadLocaleFormats(sjis, ja);
    EXPECT_EQ(read.DateSeparatorChar, '/');
    EXPECT_EQ(read.TimeSeparatorChar, '\0');
    EXPECT_EQ(read.ShortDatePattern, "ggg ee/M/d");
    EXPECT_EQ(read.LongDatePattern, "ggg eeee'\x94\x4E'");
    EXPECT_EQ(read.AmDesignator, "");
    EXPECT_EQ(read.PmDesignator, "pm");
    EXPECT_EQ(read.ShortTimePattern, "AMPM hh:mm");
    EXPECT_EQ(read.LongTimePattern, "AMPM hh:mm:ss");
    EXPECT_EQ(read.MonthFullNames[0], "1\x8C\x8E");
    EXPECT_EQ(read.MonthFullNames[1], "February");
    EXPECT_EQ(read.DayFullNames[0], "\x93\xFA");
    EXPECT_EQ(read.DayAbbreviations[1], "M");
    EXPECT_EQ(read.Locale, 0x0411u);

    FakeLocale en;
    en.items = {{{LocaleItem::TimeFormat, 0}, "1"}};
    EXPECT_EQ(ReadLocaleFormats(sjis, en).LongTimePattern, "h:mm:ss");
}

TEST(ConvertLocaleDatePattern, Table) {
    struct Row {
        std::string Text;
        int Calendar;
        uint32_t Language;
        std::string Expected;
    };
    const std::vector<Row> rows = {
        {"Gg Y/yY/YYyy g", 3, 0x11, "ggg e/ee/eeee g"},
        {"gy\x82\x79", 5, 0x09, "ge\x82\x79"}, // a trail byte equal to y is no letter
        {"gg yyyy/M/d", 1, 0x11, " yyyy/M/d"},
        {"Gg y\x82\x67", 1, 0x04, " y\x82\x67"},
        {"gg yyyy", 1, 0x09, "gg yyyy"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ConvertLocaleDatePattern(ShiftJisRule(), row.Text, row.Calendar, row.Language),
                  row.Expected)
            << row.Text;
}

} // namespace
} // namespace tovimar
