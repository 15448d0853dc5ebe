#include "core/Errors.h"
#include "core/ShownText.h"

#include <gtest/gtest.h>

#include <vector>

namespace tovimar {
namespace {

using Source = ShownText::Source;

struct PieceRow {
    Source From;
    const char *Bytes;
};

void ExpectPieces(const ShownText &text, const std::vector<PieceRow> &expected) {
    ASSERT_EQ(text.Pieces().size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(text.Pieces()[i].From, expected[i].From) << i;
        EXPECT_EQ(text.Pieces()[i].Bytes, expected[i].Bytes) << i;
    }
}

TEST(ShownText, PiecesKeepTheirSource) {
    const struct {
        const char *Case;
        ShownText Text;
        std::vector<PieceRow> Expected;
    } rows[] = {
        {"plain bytes are the program's", ShownText("abc"), {{Source::Program, "abc"}}},
        {"empty has no piece", ShownText(""), {}},
        {"file name then message",
         ShownText::System("C:\\a.ini") + "\x82\xC9",
         {{Source::System, "C:\\a.ini"}, {Source::Program, "\x82\xC9"}}},
        {"neighbours of one source join",
         ShownText("x") + "y" + ShownText::System("p") + ShownText::System("q"),
         {{Source::Program, "xy"}, {Source::System, "pq"}}},
        {"a UTF-8 name stays apart from ANSI neighbours",
         ShownText::System("C:\\") + ShownText::Utf8("caf\xC3\xA9") + ShownText::System("x"),
         {{Source::System, "C:\\"}, {Source::Utf8, "caf\xC3\xA9"}, {Source::System, "x"}}},
        {"empty system piece dropped",
         ShownText("m") + ShownText::System(""),
         {{Source::Program, "m"}}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Case);
        ExpectPieces(row.Text, row.Expected);
    }
}

TEST(ShownText, ErrorBoxAddsTheProgramsPeriod) {
    const struct {
        ShownText Message;
        std::vector<PieceRow> Expected;
    } rows[] = {
        {ShownText::System("C:\\x"), {{Source::System, "C:\\x"}, {Source::Program, "."}}},
        {ShownText("done."), {{Source::Program, "done."}}},
        {ShownText("a,"), {{Source::Program, "a,"}}},
        {ShownText(""), {}},
    };
    for (const auto &row : rows)
        ExpectPieces(ErrorBoxText(row.Message), row.Expected);
}

TEST(TovimarError, WhatGivesAllBytes) {
    const TovimarError error(ShownText::System("C:\\t.ini") + " \x82\xC9");
    EXPECT_STREQ(error.what(), "C:\\t.ini \x82\xC9");
    EXPECT_EQ(error.Message().Pieces().size(), 2u);
}

} // namespace
} // namespace tovimar
