#include "core/NameEditing.h"

#include "CodePageRule.h"

#include <gtest/gtest.h>

#include <vector>

namespace tovimar {
namespace {

TEST(ReplaceAll, Table) {
    struct Row {
        uint32_t CodePage;
        std::string Text;
        std::string_view Pattern, Replacement;
        std::string Expected;
    };
    const std::string A = "\x82\xA0"; // あ
    const std::string Utf8WideBlank = "\xE3\x80\x80";
    const std::vector<Row> rows = {
        {932,
         "a b\x81\x40"
         "c",
         Blank, "",
         "ab\x81\x40"
         "c"},
        {932,
         "a b\x81\x40"
         "c",
         WideBlank, "", "a bc"},
        {932, " a b ", Blank, Underscore, "_a_b_"},
        {932, "\x81\x40\x81\x40", WideBlank, WideUnderscore, "\x81\x51\x81\x51"},
        // a trail byte 0x81 followed by 0x40 is no full-width blank
        {932, "\x81\x81\x40", WideBlank, "", "\x81\x81\x40"},
        {932, A + "\x82\x81\x40", WideBlank, "", A + "\x82\x81\x40"},
        {932, "\x82\x81\x81\x40", WideBlank, "", "\x82\x81"},
        {1252, "\x81\x81\x40", WideBlank, "", "\x81"},
        // no overlaps; the replacement is not searched again; an empty pattern does nothing
        {932, "aaa", "aa", "b", "ba"},
        {932, "a b", Blank, "  ", "a  b"},
        {932, "a b", "", "x", "a b"},
        {932, "", Blank, "x", ""},
        // UTF-8: the bytes 81 40 inside チ@ are no blank; U+3000 is one
        {65001, "icon \xE3\x83\x81@2x", Blank, "", "icon\xE3\x83\x81@2x"},
        {65001, "\xE3\x83\x81@", WideBlank, "", "\xE3\x83\x81@"},
        {65001,
         "a\xE3\x80\x80"
         "b",
         Utf8WideBlank, "\xEF\xBC\xBF",
         "a\xEF\xBC\xBF"
         "b"},
        {65001, "\xE3\xE3\x80\x80", Utf8WideBlank, "", "\xE3"}, // after a byte standing alone
        // a match must end on a character boundary too
        {65001, "\xC3\xA9", "\xC3", "", "\xC3\xA9"},
        {932, "\x82\xA0", "\x82", "", "\x82\xA0"},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(ReplaceAll(RuleFor(row.CodePage), row.Text, row.Pattern, row.Replacement),
                  row.Expected)
            << row.Text;
    }
}

TEST(CaretCommands, Table) {
    enum class Command { Left, Right, Paste };
    struct Row {
        Command Do;
        NameSelection Before;
        NameSelection After;
        uint32_t CodePage = 1252;
    };
    const std::string Long = std::string(300, 'x');
    auto repeat = [](std::string_view s, size_t n) {
        std::string r;
        for (size_t i = 0; i < n; ++i)
            r += s;
        return r;
    };
    const std::vector<Row> rows = {
        {Command::Left, {"abcdef", 3, 0}, {"def", 0, 0}},
        {Command::Right, {"abcdef", 3, 0}, {"abc", 3, 0}},
        {Command::Left, {"abcdef", 2, 2}, {"cdef", 0, 2}},
        {Command::Right, {"abcdef", 2, 2}, {"abcd", 2, 2}},
        {Command::Left, {"abcdef", 0, 0}, {"abcdef", 0, 0}},
        {Command::Right, {"abcdef", 6, 0}, {"abcdef", 6, 0}},
        {Command::Right, {"abcdef", 0, 6}, {"abcdef", 0, 6}},
        {Command::Left, {"", 0, 0}, {"", 0, 0}},
        // at most 255 bytes go right of the caret, and at most 255 are selected
        {Command::Right, {Long, 0, 0}, {std::string(45, 'x'), 0, 45}},
        {Command::Right, {Long, 1, 0}, {std::string(45, 'x'), 1, 44}},
        {Command::Left, {Long, 10, 0}, {std::string(290, 'x'), 0, 0}},
        // ... whole characters only
        {Command::Right, {repeat("\xC3\xA9", 150), 0, 0}, {repeat("\xC3\xA9", 23), 0, 46}, 65001},
        {Command::Right, {repeat("\x82\xA0", 150), 0, 0}, {repeat("\x82\xA0", 23), 0, 46}, 932},
        {Command::Right,
         {"x" + repeat("\xF0\x9F\x98\x80", 70), 1, 0},
         {"x" + repeat("\xF0\x9F\x98\x80", 7), 1, 28},
         65001},
        // the stamp replaces the selection; the caret stands before it
        {Command::Paste, {"abcd", 1, 2}, {"a050515013048d", 1, 0}},
        {Command::Paste, {"abcd", 4, 0}, {"abcd050515013048", 4, 0}},
        {Command::Paste, {"", 0, 0}, {"050515013048", 0, 0}},
        {Command::Paste, {Long, 0, 300}, {"050515013048", 0, 0}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.Before.Text + " " + std::to_string(row.Before.SelStart));
        NameSelection after = row.Do == Command::Left ? DeleteLeft(row.Before)
                              : row.Do == Command::Right
                                  ? DeleteRight(RuleFor(row.CodePage), row.Before)
                                  : PasteOver(row.Before, "050515013048");
        EXPECT_EQ(after.Text, row.After.Text);
        EXPECT_EQ(after.SelStart, row.After.SelStart);
        EXPECT_EQ(after.SelLength, row.After.SelLength);
    }
    EXPECT_EQ(PasteOver({"abcd", 1, 2}, ""), (NameSelection{"ad", 1, 0}));
}

} // namespace
} // namespace tovimar
