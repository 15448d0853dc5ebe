// ANSI crossings, case mapping and the lead-byte table, under the locale the tests run in.
#include "core/DoubleByte.h"
#include "platform/Locale.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace tovimar;
using namespace tovimar::platform;

namespace {

// Rows apply under one ANSI code page only (0: every code page).
struct CodePageRow {
    UINT codePage;
    bool Applies() const { return codePage == 0 || codePage == ::GetACP(); }
};

TEST(LeadByteTable, MatchesTheCodePage) {
    LoadCharacterRule();
    const CharacterRule &table = AnsiCharacterRule();
    std::bitset<256> expected;
    if (::GetACP() == 932) {
        for (int b = 0x81; b <= 0x9F; ++b)
            expected.set(b);
        for (int b = 0xE0; b <= 0xFC; ++b)
            expected.set(b);
    } else if (::GetACP() != 1252) {
        GTEST_SKIP() << "needs code page 932 or 1252";
    }
    EXPECT_EQ(table.LeadByteSet, expected);
    EXPECT_EQ(table.DoubleByteMode, expected.any());
}

struct CrossingRow : CodePageRow {
    std::wstring text;
    std::string bytes;
    bool fits;
};

TEST(AnsiCrossing, ConvertsAndTellsWhatFits) {
    const std::vector<CrossingRow> rows = {
        {{0}, L"abc 123.txt", "abc 123.txt", true},
        {{0}, L"", "", true},
        {{932}, L"\x30D5\x30A1\x30A4\x30EB", "\x83\x74\x83\x40\x83\x43\x83\x8B", true},
        {{932}, L"\x8868", "\x95\x5C", true}, // ends in a 0x5C trail byte
        {{932}, L"\x0416", "\x84\x47", true}, // Cyrillic is in 932
        {{1252}, L"\x00E9t\x00E9", "\xE9t\xE9", true},
        {{1252}, L"\x20AC", "\x80", true},
    };
    for (const auto &row : rows) {
        if (!row.Applies()) continue;
        EXPECT_EQ(ToAnsi(row.text), row.bytes);
        EXPECT_EQ(FromAnsi(row.bytes), row.text);
        EXPECT_EQ(FitsAnsiCodePage(row.text), row.fits);
        // How wide the window takes it to look: its bytes, as they were always counted.
        EXPECT_EQ(AnsiLookBytes(row.text), row.bytes.size());
    }
}

// Each row with how wide it looks: a character outside the code page as one wide character.
TEST(AnsiCrossing, RejectsCharactersOutsideTheCodePage) {
    const std::vector<std::tuple<UINT, std::wstring, size_t>> rows = {
        {0, L"a\xD55C.txt", 7},   // Hangul
        {0, L"\x0E01", 2},        // Thai
        {0, L"x\xD83D\xDE00", 3}, // outside the BMP, two units
        {932, L"caf\x00E9", 5},   // would best-fit to e
        {932, L"\x20AC", 2},      {1252, L"\x8868\x00E9", 3}, {1252, L"\x0416", 2},
    };
    for (const auto &[codePage, text, look] : rows) {
        if (codePage != 0 && codePage != ::GetACP()) continue;
        EXPECT_FALSE(FitsAnsiCodePage(text)) << "U+" << std::hex << unsigned(text.back());
        EXPECT_EQ(AnsiLookBytes(text), look) << "U+" << std::hex << unsigned(text.back());
    }
}

// Conversions by the code page given, whatever the ANSI one; exact: valid text of that code
// page (the text of the others is not compared: systems differ in what they make of them).
struct CodePageConversionRow {
    UINT codePage;
    std::string bytes;
    std::wstring text;
    bool exact;
};

TEST(CodePageConversion, ConvertsByTheCodePageGiven) {
    const std::vector<CodePageConversionRow> rows = {
        {CP_UTF8, "caf\xC3\xA9", L"caf\x00E9", true},
        {CP_UTF8, "\xF0\x9F\x98\x80", L"\xD83D\xDE00", true}, // a pair from four bytes
        {CP_UTF8, "", L"", true},
        {CP_UTF8, "a\xC3", L"", false},        // cut inside a character
        {CP_UTF8, "\xED\xA0\x80", L"", false}, // a lone surrogate's bytes
        {ProgramCodePage, "\x81", L"", false}, // a lead byte alone
        {ProgramCodePage, "\x95\x5C", L"\x8868", true},
        {1252, "\xE9\x80", L"\x00E9\x20AC", true},
    };
    for (const auto &row : rows) {
        if (!::IsValidCodePage(row.codePage)) continue;
        const std::optional<std::wstring> exact = ToWideExactly(row.codePage, row.bytes);
        EXPECT_EQ(exact.has_value(), row.exact) << row.bytes;
        if (!row.exact) continue;
        EXPECT_EQ(*exact, row.text) << row.bytes;
        EXPECT_EQ(ToWide(row.codePage, row.bytes), row.text) << row.bytes;
        EXPECT_EQ(FromWide(row.codePage, row.text), row.bytes) << row.bytes;
    }
}

struct CaseRow : CodePageRow {
    std::string text;
    std::string upper;
    std::string lower;
};

TEST(AnsiCase, MapsTheWholeByteLength) {
    const std::vector<CaseRow> rows = {
        {{0}, "readme.Txt", "README.TXT", "readme.txt"},
        {{0}, std::string("a\0b", 3), std::string("A\0B", 3), std::string("a\0b", 3)},
        {{0}, "", "", ""},
        // trail bytes in the letter range stay: 0x83 0x74 is a katakana, not "t"
        {{932}, "\x83\x74x\x83\x74", "\x83\x74X\x83\x74", "\x83\x74x\x83\x74"},
        {{932}, "\x95\x5Cz", "\x95\x5CZ", "\x95\x5Cz"},
        // full-width letters: U+FF41 and U+FF21
        {{932}, "\x82\x81", "\x82\x60", "\x82\x81"},
        {{932}, "\x82\x60", "\x82\x60", "\x82\x81"},
        // a lone lead byte at the end is kept, the rest still mapped
        {{932}, "ab\x83", "AB\x83", "ab\x83"},
        // an invalid pair is kept as it is, not turned into another character
        {{932}, "a\x81 z", "A\x81 Z", "a\x81 z"},
        {{932}, "\x81 \x82\x81", "\x81 \x82\x60", "\x81 \x82\x81"},
        {{1252}, "\xE9t\xC9", "\xC9T\xC9", "\xE9t\xE9"},
    };
    for (const auto &row : rows) {
        if (!row.Applies()) continue;
        EXPECT_EQ(AnsiUpper(row.text), row.upper) << row.text;
        EXPECT_EQ(AnsiLower(row.text), row.lower) << row.text;
    }
}

} // namespace

namespace {

using Source = tovimar::ShownText::Source;
// A piece expected: its source and bytes; Reason stands for the system's words for the error.
using ExpectedPiece = std::pair<Source, std::string>;
const std::string Reason = "<reason>";

struct FailureTextRow {
    std::wstring path;
    DWORD error;
    std::vector<ExpectedPiece> pieces;
};

// The box text: the message, the path's line where there is a path, the system's reason where
// it has words for the error; the path and the reason as the system's own text.
TEST(FailureText, MessagePathAndReasonEachOnALine) {
    const std::vector<FailureTextRow> rows = {
        {L"C:\\a b.txt",
         ERROR_FILE_NOT_FOUND,
         {{Source::Program, "Cannot open\r\n"},
          {Source::System, "C:\\a b.txt"},
          {Source::Program, "\r\n"},
          {Source::System, Reason}}},
        {L"",
         ERROR_ACCESS_DENIED,
         {{Source::Program, "Cannot open\r\n"}, {Source::System, Reason}}},
        // A code no system has words for.
        {L"C:\\x", 0x2000ABCD, {{Source::Program, "Cannot open\r\n"}, {Source::System, "C:\\x"}}},
        // Hangul and an emoji, which neither 932 nor 1252 holds: UTF-8, never a '?'.
        {L"C:\\\uD55C\U0001F600.txt",
         0x2000ABCD,
         {{Source::Program, "Cannot open\r\n"},
          {Source::Utf8, "C:\\\xED\x95\x9C\xF0\x9F\x98\x80.txt"}}},
    };
    for (const auto &row : rows) {
        const tovimar::ShownText text = FailureText("Cannot open", row.path, row.error);
        const auto &pieces = text.Pieces();
        const std::string path = FromWide(CP_UTF8, row.path);
        ASSERT_EQ(pieces.size(), row.pieces.size()) << path;
        for (size_t i = 0; i < pieces.size(); ++i) {
            const auto &[from, bytes] = row.pieces[i];
            EXPECT_EQ(pieces[i].From, from) << path << " " << i;
            if (bytes != Reason) {
                EXPECT_EQ(pieces[i].Bytes, bytes) << path << " " << i;
                continue;
            }
            // The system's sentence without its line break.
            EXPECT_FALSE(pieces[i].Bytes.empty());
            EXPECT_EQ(pieces[i].Bytes.find_last_of("\r\n"), std::string::npos) << pieces[i].Bytes;
        }
        // The path's piece read back in its own code page is the path, character for character.
        if (!row.path.empty()) {
            const auto &shown = pieces[1];
            const UINT codePage = shown.From == Source::Utf8 ? CP_UTF8 : CP_ACP;
            EXPECT_EQ(ToWide(codePage, shown.Bytes), row.path) << path;
        }
    }
}

} // namespace
