#include "core/AsciiCase.h"
#include "core/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace tovimar {
namespace {

TEST(Utf8, CharacterAtTable) {
    const struct {
        std::string Bytes;
        Surrogates Mode;
        char32_t Code; // 0 with Length 0: no character
        size_t Length;
    } rows[] = {
        {"A", Surrogates::Refused, U'A', 1},
        {"\xC3\xA9", Surrogates::Refused, U'é', 2},
        {"\xE3\x81\x82", Surrogates::Refused, U'あ', 3},
        {"\xF0\x9F\x98\x80", Surrogates::Refused, 0x1F600, 4},
        {"\xF4\x8F\xBF\xBF", Surrogates::Refused, 0x10FFFF, 4},
        {"\xF4\x90\x80\x80", Surrogates::Refused, 0, 0}, // past U+10FFFF
        {"\xC0\xAF", Surrogates::Refused, 0, 0},         // overlong '/'
        {"\xE0\x9F\xBF", Surrogates::Refused, 0, 0},     // overlong
        {"\xF0\x8F\xBF\xBF", Surrogates::Refused, 0, 0}, // overlong
        {"\x80", Surrogates::Refused, 0, 0},             // a continuation byte alone
        {"\xE3\x81", Surrogates::Refused, 0, 0},         // cut short
        {"\xE3\x41\x82", Surrogates::Refused, 0, 0},
        {"\xED\xA0\x80", Surrogates::Refused, 0, 0}, // a lone high surrogate
        {"\xED\xA0\x80", Surrogates::Kept, 0xD800, 3},
        {"\xED\xBF\xBF", Surrogates::Kept, 0xDFFF, 3},
        {"\xED\x9F\xBF", Surrogates::Refused, 0xD7FF, 3},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Bytes);
        const auto found = Utf8CharacterAt(row.Bytes, 0, row.Mode);
        ASSERT_EQ(found.has_value(), row.Length != 0);
        if (!found) continue;
        EXPECT_EQ(found->Code, row.Code);
        EXPECT_EQ(found->Length, row.Length);
        std::string again;
        AppendUtf8(again, found->Code);
        EXPECT_EQ(again, row.Bytes.substr(0, row.Length));
    }
}

TEST(AsciiCase, SameIgnoringAsciiCaseTable) {
    const struct {
        std::string A, B;
        bool Expected;
    } rows[] = {
        {"Settings", "SETTINGS", true},
        {"con", "CON", true},
        {"a", "ab", false},
        {"@", "`", false}, // neighbours of the letters are no letters
        {"[", "{", false},
        {"\xC3\xA9", "\xC3\x89", false}, // é and É: beyond ASCII bytes compare as they are
        {"\x82\x60", "\x82\x81", false}, // Ａ and ａ in code page 932
    };
    for (const auto &row : rows)
        EXPECT_EQ(SameIgnoringAsciiCase(row.A, row.B), row.Expected) << row.A << " " << row.B;
}

} // namespace
} // namespace tovimar
