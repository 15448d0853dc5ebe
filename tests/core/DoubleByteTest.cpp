#include "core/DoubleByte.h"
#include "CodePageRule.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace tovimar {
namespace {

class FakeSource : public DoubleByteSource {
public:
    uint32_t Locale = 0x0411;
    std::optional<bool> NT = true;
    std::optional<std::string> LocaleCodePageText = "932";
    uint32_t Acp = 1252;
    std::map<uint32_t, std::string> Ranges{{932, std::string("\x81\x9F\xE0\xFC\0\0", 6)}};
    bool Dbcs = false;
    std::vector<uint32_t> AskedLocales, AskedCodePages;

    uint32_t ThreadLocale() override { return Locale; }
    std::optional<bool> PlatformIsNT() override { return NT; }
    std::optional<std::string> LocaleAnsiCodePage(uint32_t locale) override {
        AskedLocales.push_back(locale);
        return LocaleCodePageText;
    }
    uint32_t AnsiCodePage() override { return Acp; }
    std::optional<std::string> LeadByteRanges(uint32_t codePage) override {
        AskedCodePages.push_back(codePage);
        auto it = Ranges.find(codePage);
        if (it == Ranges.end()) return std::nullopt;
        return it->second;
    }
    bool DbcsEnabled() override { return Dbcs; }
};

std::bitset<256> Bytes(std::initializer_list<std::pair<unsigned, unsigned>> ranges) {
    std::bitset<256> set;
    for (auto [low, high] : ranges)
        for (unsigned b = low; b <= high; ++b)
            set.set(b);
    return set;
}

TEST(CharacterRule, ShiftJisTableHasTheTwoLeadRanges) {
    CharacterRule table = ShiftJisRule();
    EXPECT_TRUE(table.DoubleByteMode);
    EXPECT_EQ(table.LeadByteSet, Bytes({{0x81, 0x9F}, {0xE0, 0xFC}}));
}

TEST(CharacterRule, JapaneseOnNtGivesShiftJisLeadBytes) {
    FakeSource source;
    CharacterRule table = BuildAnsiCharacterRule(source);
    EXPECT_TRUE(table.DoubleByteMode);
    EXPECT_EQ(table.LeadByteSet, ShiftJisRule().LeadByteSet);
    EXPECT_EQ(source.AskedLocales, std::vector<uint32_t>{0x0411});
    EXPECT_EQ(source.AskedCodePages, std::vector<uint32_t>{932});
}

TEST(CharacterRule, Utf8AnsiCodePageWinsOverTheLocalesOwn) {
    FakeSource source; // Japanese, whose default code page is 932
    source.Acp = Utf8CodePage;
    CharacterRule table = BuildAnsiCharacterRule(source);
    EXPECT_TRUE(table.Utf8Mode);
    EXPECT_FALSE(table.DoubleByteMode);
    EXPECT_TRUE(table.LeadByteSet.none());
}

TEST(CharacterRule, SingleByteLanguagesOnNtNeverAskForRanges) {
    const uint32_t locales[] = {0x0000, 0x0406, 0x0407, 0x0409, 0x0809, 0x040A, 0x040B, 0x040C,
                                0x0410, 0x0413, 0x0414, 0x0416, 0x041D,
                                // higher bits of the low word belong to the sublanguage
                                0x7C09, 0x12340409};
    for (uint32_t locale : locales) {
        FakeSource source;
        source.Locale = locale;
        source.LocaleCodePageText = "932"; // would give lead bytes if it were asked
        CharacterRule table = BuildAnsiCharacterRule(source);
        EXPECT_FALSE(table.DoubleByteMode) << std::hex << locale;
        EXPECT_TRUE(table.LeadByteSet.none()) << std::hex << locale;
        EXPECT_TRUE(source.AskedCodePages.empty()) << std::hex << locale;
    }
}

TEST(CharacterRule, ZeroThreadLocaleMeansUsEnglish) {
    FakeSource source;
    source.Locale = 0;
    CharacterRule table = BuildAnsiCharacterRule(source);
    EXPECT_FALSE(table.DoubleByteMode);
    EXPECT_TRUE(source.AskedCodePages.empty());
}

TEST(CharacterRule, CodePageTextFallsBackToAcp) {
    struct Row {
        std::optional<std::string> Text;
        uint32_t Expected;
    };
    const Row rows[] = {
        {"932", 932},
        {"936", 936},
        {std::string("932\0xx", 6), 932}, // the text ends at its zero
        {"000932", 932},                  // six digits still fit the buffer
        {"0000932", 1252},                // seven do not: the query fails
        {"", 1252},
        {"93a", 1252},
        {"-932", 1252},
        {" 932", 1252},
        {std::nullopt, 1252},
    };
    for (const Row &row : rows) {
        FakeSource source;
        source.Locale = 0x0804;
        source.LocaleCodePageText = row.Text;
        BuildAnsiCharacterRule(source);
        ASSERT_EQ(source.AskedCodePages.size(), 1u);
        EXPECT_EQ(source.AskedCodePages[0], row.Expected) << row.Text.value_or("(failed)");
    }
}

TEST(CharacterRule, LeadByteRangesAreReadUpToTheZeroPair) {
    struct Row {
        std::string Ranges;
        std::bitset<256> Expected;
    };
    const Row rows[] = {
        {std::string("\x81\x9F\xE0\xFC\0\0", 6), Bytes({{0x81, 0x9F}, {0xE0, 0xFC}})},
        {std::string("\x81\x9F\0\0\xE0\xFC", 6), Bytes({{0x81, 0x9F}})},
        {std::string("\x81\x81", 2), Bytes({{0x81, 0x81}})},
        {std::string("\xA0\x90\xB0\xB1", 4), Bytes({{0xB0, 0xB1}})}, // high below low adds nothing
        {std::string("\0\x02", 2), Bytes({{0x00, 0x02}})},           // only 0, 0 ends the list
        {std::string("\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E", 14),
         Bytes({{0x81, 0x8C}})},                                 // at most six ranges
        {std::string("\xF0\xFF\xE0", 3), Bytes({{0xF0, 0xFF}})}, // a half pair is ignored
        {"", {}},
    };
    for (const Row &row : rows) {
        FakeSource source;
        source.Ranges = {{932, row.Ranges}};
        CharacterRule table = BuildAnsiCharacterRule(source);
        EXPECT_EQ(table.LeadByteSet, row.Expected);
        EXPECT_EQ(table.DoubleByteMode, row.Expected.any());
    }
}

TEST(CharacterRule, UnknownCodePageLeavesTheSetEmpty) {
    FakeSource source;
    source.LocaleCodePageText = "50000";
    CharacterRule table = BuildAnsiCharacterRule(source);
    EXPECT_FALSE(table.DoubleByteMode);
    EXPECT_TRUE(table.LeadByteSet.none());
}

TEST(CharacterRule, OtherPlatformsFollowTheDbcsMetric) {
    struct Row {
        std::optional<bool> NT;
        bool Dbcs;
        uint32_t Locale;
        bool ExpectedMode;
        std::bitset<256> ExpectedSet;
    };
    const auto sjis = ShiftJisRule().LeadByteSet;
    const Row rows[] = {
        {false, true, 0x0411, true, sjis},
        {false, false, 0x0411, false, {}},
        {std::nullopt, true, 0x0411, true, sjis},
        // no language test off NT: English with the metric on still reads the ranges
        {false, true, 0x0409, true, sjis},
    };
    for (const Row &row : rows) {
        FakeSource source;
        source.NT = row.NT;
        source.Dbcs = row.Dbcs;
        source.Locale = row.Locale;
        CharacterRule table = BuildAnsiCharacterRule(source);
        EXPECT_EQ(table.DoubleByteMode, row.ExpectedMode);
        EXPECT_EQ(table.LeadByteSet, row.ExpectedSet);
    }
}

TEST(CharacterRule, DbcsMetricOnWithoutRangesKeepsModeOn) {
    FakeSource source;
    source.NT = false;
    source.Dbcs = true;
    source.Ranges.clear();
    CharacterRule table = BuildAnsiCharacterRule(source);
    EXPECT_TRUE(table.DoubleByteMode);
    EXPECT_TRUE(table.LeadByteSet.none());
}

// Kinds written one letter per byte: s single, L lead, t trail.
std::string Kinds(const CharacterRule &rule, std::string_view s) {
    std::string kinds;
    for (size_t i = 0; i < s.size(); ++i) {
        switch (ByteKind(rule, s, i)) {
        case ByteKindValue::Single:
            kinds += 's';
            break;
        case ByteKindValue::Lead:
            kinds += 'L';
            break;
        case ByteKindValue::Trail:
            kinds += 't';
            break;
        }
    }
    return kinds;
}

TEST(ByteKind, ParityOfTheLeadRunBeforeEachByte) {
    struct Row {
        std::string Text;
        std::string Expected;
        uint32_t CodePage = 932;
    };
    const Row rows[] = {
        {"abc", "sss"},
        {"\x95\x5C", "Lt"},
        {"a\x95\x5C\\", "sLts"},
        {"\x81", "L"},                                   // a lone lead at the end
        {"\x81\x81\x81\x81", "LtLt"},                    // trails in the lead range
        {"\x81\x81\x81\x41", "LtLt"},                    // odd run: 0x41 is a trail
        {"\x81\x81\x41", "Lts"},                         // even run: 0x41 is single
        {"\xE0\x9F\xE0\x5C\\", "LtLts"},                 // 0x5C after the pair is single
        {std::string("\x81\0\x5C", 3), "Lss"},           // a zero byte is always single
        {std::string("\x81\x81\0\x81\x5C", 5), "LtsLt"}, // the run stops at the zero
        {"\xA0\xB0\xDF", "sss"},                         // half-width kana are single
        {"\xFC\xFC\xFC", "LtL"},
        // UTF-8: a character is its whole valid sequence; any other byte stands alone
        {"a\xC3\xA9", "sLt", 65001},
        {"\xE3\x83\x81@", "Ltts", 65001}, // チ@ holds 81 40
        {"\xF0\x9F\x98\x80", "Lttt", 65001},
        {"\xE3\xE3\x80\x80\x80", "sLtts", 65001},                     // cut short, whole, stray
        {"\xC0\xAF\xED\xA0\x80\xF4\x90\x80\x80", "sssssssss", 65001}, // no characters
        // a single-byte code page: every byte is a character
        {"\x95\x5C\xC3\xA9", "ssss", 1252},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(Kinds(RuleFor(row.CodePage), row.Text), row.Expected)
            << testing::PrintToString(row.Text);
    }
}

TEST(ByteKind, EverythingIsSingleWithDoubleByteModeOff) {
    EXPECT_EQ(Kinds(CharacterRule{}, "\x95\x5C\x81\x81"), "ssss");
    // the set alone does not count: the mode decides
    CharacterRule setOnly = ShiftJisRule();
    setOnly.DoubleByteMode = false;
    EXPECT_EQ(Kinds(setOnly, "\x95\x5C"), "ss");
}

TEST(ByteKind, PositionsOutsideTheStringAreSingle) {
    const CharacterRule sjis = ShiftJisRule();
    // npos: what a position before the start wraps to.
    EXPECT_EQ(ByteKind(sjis, "\x81\x81", std::string_view::npos), ByteKindValue::Single);
    EXPECT_EQ(ByteKind(sjis, "\x81\x81", 2), ByteKindValue::Single);
    EXPECT_EQ(ByteKind(sjis, "", 0), ByteKindValue::Single);
}

TEST(CharLength, StepsLikeCharNext) {
    struct Row {
        std::string Text;
        size_t Pos;
        size_t Expected;
        uint32_t CodePage = 932;
    };
    const Row rows[] = {
        {"a\x95\x5C", 0, 1},
        {"a\x95\x5C", 1, 2},
        {"a\x95\x5C", 2, 1}, // mid-character offsets step one byte
        {"\x81", 0, 1},      // a lead byte at the end steps alone
        {std::string("\x81\0", 2), 0, 1},
        {"\x81 ", 0, 2}, // any non-zero byte completes the pair
        {"ab", 2, 1},
        {"ab", 99, 1},
        {"a\xC3\xA9", 1, 2, 65001},
        {"\xF0\x9F\x98\x80", 0, 4, 65001},
        {"\xF0\x9F\x98", 0, 1, 65001},
        {"\x95\x5C", 0, 1, 1252},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(CharLength(RuleFor(row.CodePage), row.Text, row.Pos), row.Expected)
            << testing::PrintToString(row.Text) << " at " << row.Pos;
    }
}

} // namespace
} // namespace tovimar
