#include "core/NameEditing.h"

#include "TableScope.h"

#include <gtest/gtest.h>

#include <vector>

namespace tovimar {
namespace {

TEST(ReplaceAll, Table) {
    struct Row {
        bool DoubleByte;
        std::string Text;
        std::string_view Pattern, Replacement;
        std::string Expected;
    };
    const std::string A = "\x82\xA0"; // あ
    const std::vector<Row> rows = {
        {true,
         "a b\x81\x40"
         "c",
         Blank, "",
         "ab\x81\x40"
         "c"},
        {true,
         "a b\x81\x40"
         "c",
         WideBlank, "", "a bc"},
        {true, " a b ", Blank, Underscore, "_a_b_"},
        {true, "\x81\x40\x81\x40", WideBlank, WideUnderscore, "\x81\x51\x81\x51"},
        // a trail byte 0x81 followed by 0x40 is no full-width blank
        {true, "\x81\x81\x40", WideBlank, "", "\x81\x81\x40"},
        {true, A + "\x82\x81\x40", WideBlank, "", A + "\x82\x81\x40"},
        {true, "\x82\x81\x81\x40", WideBlank, "", "\x82\x81"},
        {false, "\x81\x81\x40", WideBlank, "", "\x81"},
        // no overlaps; the replacement is not searched again; an empty pattern does nothing
        {true, "aaa", "aa", "b", "ba"},
        {true, "a b", Blank, "  ", "a  b"},
        {true, "a b", "", "x", "a b"},
        {true, "", Blank, "x", ""},
    };
    for (const Row &row : rows) {
        TableScope scope(row.DoubleByte ? ShiftJisTable() : DoubleByteTable{});
        EXPECT_EQ(ReplaceAll(row.Text, row.Pattern, row.Replacement), row.Expected) << row.Text;
    }
}

TEST(CaretCommands, Table) {
    enum class Command { Left, Right, Paste };
    struct Row {
        Command Do;
        NameSelection Before;
        NameSelection After;
    };
    const std::string Long = std::string(300, 'x');
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
        // the stamp replaces the selection; the caret stands before it
        {Command::Paste, {"abcd", 1, 2}, {"a050515013048d", 1, 0}},
        {Command::Paste, {"abcd", 4, 0}, {"abcd050515013048", 4, 0}},
        {Command::Paste, {"", 0, 0}, {"050515013048", 0, 0}},
        {Command::Paste, {Long, 0, 300}, {"050515013048", 0, 0}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.Before.Text + " " + std::to_string(row.Before.SelStart));
        NameSelection after = row.Do == Command::Left    ? DeleteLeft(row.Before)
                              : row.Do == Command::Right ? DeleteRight(row.Before)
                                                         : PasteOver(row.Before, "050515013048");
        EXPECT_EQ(after.Text, row.After.Text);
        EXPECT_EQ(after.SelStart, row.After.SelStart);
        EXPECT_EQ(after.SelLength, row.After.SelLength);
    }
    EXPECT_EQ(PasteOver({"abcd", 1, 2}, ""), (NameSelection{"ad", 1, 0}));
}

} // namespace
} // namespace tovimar
