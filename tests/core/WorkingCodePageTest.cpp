#include "core/WorkingCodePage.h"

#include <gtest/gtest.h>

#include <string_view>

namespace tovimar {
namespace {

TEST(WorkingCodePage, AnsiWhileEveryStringFitsElseUtf8) {
    const struct {
        const char *Case;
        uint32_t Ansi;
        std::initializer_list<bool> Fits;
        uint32_t Expected;
    } rows[] = {
        {"name and extension fit 932", 932, {true, true}, 932},
        {"hangul extension", 932, {true, false}, Utf8CodePage},
        {"accented name", 932, {false, true}, Utf8CodePage},
        {"old path alone outside", 1252, {false, true, true}, Utf8CodePage},
        {"nothing to decide", 1252, {}, 1252},
        {"UTF-8 system stays UTF-8", Utf8CodePage, {true, true}, Utf8CodePage},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Case);
        EXPECT_EQ(WorkingCodePage(row.Ansi, row.Fits), row.Expected);
    }
}

TEST(WorkingCodePage, RuleFollowsTheCodePage) {
    const CharacterRule sjis = ShiftJisRule();
    // E3 81 82 is one character in UTF-8; Shift-JIS would pair E3 81 and make 82 a lead.
    const std::string_view hiragana = "\xE3\x81\x82";
    EXPECT_EQ(CharLength(RuleOfCodePage(Utf8CodePage, 932, sjis), hiragana, 0), 3u);
    EXPECT_EQ(CharLength(RuleOfCodePage(932, 932, sjis), hiragana, 0), 2u);
    EXPECT_EQ(&RuleOfCodePage(Utf8CodePage, Utf8CodePage, sjis), &sjis);
}

} // namespace
} // namespace tovimar
