#include "core/DoubleByte.h"
#include "core/ExtensionHistory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tovimar {
namespace {

using Strings = std::vector<std::string>;

// Like the platform's under code page 932: ASCII letters change, double-byte characters are
// stepped over whole.
std::string Upper(std::string s) {
    for (size_t i = 0; i < s.size(); i += CharLength(ShiftJisRule(), s, i))
        if (s[i] >= 'a' && s[i] <= 'z') s[i] = static_cast<char>(s[i] - 'a' + 'A');
    return s;
}

class ExtensionHistoryTest : public ::testing::Test {
protected:
    static ExtensionHistory Make(const Strings &entries) {
        ExtensionHistory history(Upper);
        for (const std::string &e : entries)
            history.LoadValue(e);
        return history;
    }

    const CharacterRule rule_ = ShiftJisRule();
};

TEST_F(ExtensionHistoryTest, LoadSkipsEmptyValuesAndKeepsDuplicates) {
    EXPECT_EQ(Make({".txt", "", ".jpg", "", "", ".TXT", ".png"}).Entries(),
              (Strings{".txt", ".jpg", ".TXT", ".png"}));
    EXPECT_TRUE(Make({"", ""}).Entries().empty());
}

TEST_F(ExtensionHistoryTest, FindExact) {
    const ExtensionHistory history = Make({".txt", ".Jpg", ".JPG", ".jpeg"});
    const struct {
        const char *Text;
        std::optional<size_t> Expected;
    } rows[] = {
        {".txt", 0},        {".TXT", 0},           {".jpg", 1},
        {".JPG", 1},        {".jp", std::nullopt}, {".jpgx", std::nullopt},
        {"", std::nullopt}, {"txt", std::nullopt},
    };
    for (const auto &row : rows)
        EXPECT_EQ(history.FindExact(row.Text), row.Expected) << row.Text;
}

TEST_F(ExtensionHistoryTest, StartAndExecutionRules) {
    const struct {
        const char *Case;
        Strings Loaded;
        std::string AtStart;
        std::string AtExecution;
        Strings Expected;
    } rows[] = {
        {"target's spelling goes on top",
         {".txt", ".jpg", ".png"},
         ".JPG",
         ".jpg",
         {".JPG", ".txt", ".png"}},
        {"new extension at execution", {".txt", ".jpg"}, ".txt", ".md", {".md", ".txt", ".jpg"}},
        {"new extension at start", {".txt"}, ".doc", ".doc", {".doc", ".txt"}},
        {"no extension", {".txt", ".jpg"}, "", "", {"", ".txt", ".jpg"}},
        {"no extension, then one typed", {".txt"}, "", ".TXT", {"", ".txt"}},
        {"only the first duplicate moves", {".a", ".b", ".A"}, ".a", ".a", {".a", ".b", ".A"}},
        {"empty history", {}, ".x", ".y", {".y", ".x"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Case);
        ExtensionHistory history = Make(row.Loaded);
        history.MoveToTop(row.AtStart);
        history.AddIfNew(row.AtExecution);
        EXPECT_EQ(history.Entries(), row.Expected);
    }
}

TEST_F(ExtensionHistoryTest, EmptyEntryIsNeverDoubled) {
    ExtensionHistory history = Make({".txt"});
    history.MoveToTop("");
    history.MoveToTop("");
    history.AddIfNew("");
    EXPECT_EQ(history.Entries(), (Strings{"", ".txt"}));
}

// The box's list as the window holds it: the empty entry of a target without extension stays.
TEST_F(ExtensionHistoryTest, ListAsItStands) {
    const struct {
        Strings List;
        std::string AtExecution;
        Strings Expected;
    } rows[] = {
        {{"", ".txt", ".JPG"}, "", {"", ".txt", ".JPG"}},
        {{"", ".txt", ".JPG"}, ".jPG", {"", ".txt", ".JPG"}},
        {{"", ".txt", ".txt"}, ".md", {".md", "", ".txt", ".txt"}},
    };
    for (const auto &row : rows) {
        ExtensionHistory history(Upper, row.List);
        history.AddIfNew(row.AtExecution);
        EXPECT_EQ(history.Entries(), row.Expected) << row.AtExecution;
    }
    // Completion steps over the empty entry.
    const ExtensionHistory history(Upper, {"", ".txt"});
    EXPECT_EQ(history.FindPrefix(rule_, "."), std::optional<size_t>(1));
    EXPECT_EQ(history.SaveValues()[0], "");
}

TEST_F(ExtensionHistoryTest, SaveKeepsSixteen) {
    Strings full;
    for (int i = 0; i < 16; ++i)
        full.push_back(".e" + std::to_string(i));

    ExtensionHistory history = Make(full);
    history.MoveToTop(".new");
    history.AddIfNew(".md");
    ASSERT_EQ(history.Entries().size(), 18u);
    Strings expected = {".md", ".new"};
    expected.insert(expected.end(), full.begin(), full.begin() + 14);
    EXPECT_EQ(history.SaveValues(), expected);

    ExtensionHistory few = Make({".md", ".txt"});
    few.MoveToTop("");
    Strings saved = few.SaveValues();
    EXPECT_EQ(saved,
              (Strings{"", ".md", ".txt", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
    // The empty top entry is gone at the next load.
    ExtensionHistory reloaded(Upper);
    for (const std::string &value : saved)
        reloaded.LoadValue(value);
    EXPECT_EQ(reloaded.Entries(), (Strings{".md", ".txt"}));
}

const std::string Te = "\x83\x65"; // テ: its trail byte is the letter e
const std::string Ki = "\x83\x4C"; // キ: its trail byte is the letter L

TEST_F(ExtensionHistoryTest, Typing) {
    const struct {
        const char *Case;
        Strings History;
        ExtensionBoxState Before;
        std::string Typed;
        ExtensionBoxState After;
        bool Changed;
        bool Consumed;
    } rows[] = {
        {"full stop completes the first entry",
         {".txt", ".JPG"},
         {"", 0, 0, {}},
         ".",
         {".txt", 1, 3, 0},
         true,
         true},
        {"typed over the completion",
         {".txt", ".JPG"},
         {".txt", 1, 3, 0},
         "j",
         {".jPG", 2, 2, 1},
         true,
         true},
        {"same entry again: no change event",
         {".txt", ".JPG"},
         {".txt", 1, 3, 0},
         "T",
         {".Txt", 2, 2, 0},
         false,
         true},
        {"caret anywhere: the whole text counts",
         {".txt", ".JPG"},
         {".j", 1, 0, {}},
         "p",
         {".jpG", 3, 1, 1},
         true,
         true},
        {"whole entry typed", {".JPG"}, {".JP", 3, 0, {}}, "g", {".JPg", 4, 0, 0}, true, true},
        {"no entry fits", {".txt", ".JPG"}, {".t", 2, 0, {}}, "z", {".t", 2, 0, {}}, false, false},
        {"longer than every entry",
         {".txt"},
         {".txt", 4, 0, 0},
         "x",
         {".txt", 4, 0, 0},
         false,
         false},
        {"double-byte character taken whole",
         {"." + Te + Ki},
         {".", 1, 0, {}},
         Te,
         {"." + Te + Ki, 3, 2, 0},
         true,
         true},
        {"trail bytes are not letters",
         {"." + Te + Ki},
         {".", 1, 0, {}},
         "\x83\x45",
         {".", 1, 0, {}},
         false,
         false},
        {"never half a character",
         {Te + "x"},
         {"", 0, 0, {}},
         "\x83",
         {"", 0, 0, {}},
         false,
         false},
        {"selection past the end is clamped",
         {".txt"},
         {".t", 7, 9, {}},
         "x",
         {".txt", 3, 1, 0},
         true,
         true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Case);
        const ExtensionKeyResult result =
            TypeIntoExtensionBox(rule_, row.Before, row.Typed, Make(row.History));
        EXPECT_EQ(result.State.Text, row.After.Text);
        EXPECT_EQ(result.State.SelectionStart, row.After.SelectionStart);
        EXPECT_EQ(result.State.SelectionLength, row.After.SelectionLength);
        EXPECT_EQ(result.State.CurrentEntry, row.After.CurrentEntry);
        EXPECT_EQ(result.Changed, row.Changed);
        EXPECT_EQ(result.Consumed, row.Consumed);
    }
}

TEST_F(ExtensionHistoryTest, Backspace) {
    const struct {
        const char *Case;
        ExtensionBoxState Before;
        std::string Text;
        size_t Caret;
    } rows[] = {
        {"removes the selection", {".jPG", 2, 2, 1}, ".j", 2},
        {"character before the caret", {".txt", 2, 0, 0}, ".xt", 1},
        {"at the end", {".txt", 4, 0, {}}, ".tx", 3},
        {"at the start nothing goes", {".txt", 0, 0, 0}, ".txt", 0},
        {"double-byte character as a whole", {"." + Te + Ki, 5, 0, {}}, "." + Te, 3},
        {"double-byte before a single byte", {"." + Te + "x", 3, 0, {}}, ".x", 1},
        {"empty box", {"", 0, 0, {}}, "", 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Case);
        const ExtensionKeyResult result = BackspaceInExtensionBox(rule_, row.Before);
        EXPECT_EQ(result.State.Text, row.Text);
        EXPECT_EQ(result.State.SelectionStart, row.Caret);
        EXPECT_EQ(result.State.SelectionLength, 0u);
        EXPECT_EQ(result.State.CurrentEntry, std::nullopt);
        EXPECT_TRUE(result.Changed);
        EXPECT_TRUE(result.Consumed);
    }
}

// The sequence a user sees: ".", "j", Backspace.
TEST_F(ExtensionHistoryTest, CompletionSequence) {
    const ExtensionHistory history = Make({".txt", ".JPG"});
    ExtensionKeyResult step = TypeIntoExtensionBox(rule_, {}, ".", history);
    EXPECT_EQ(step.State.Text, ".txt");
    step = TypeIntoExtensionBox(rule_, step.State, "j", history);
    EXPECT_EQ(step.State.Text, ".jPG");
    EXPECT_EQ(step.State.Text.substr(step.State.SelectionStart, step.State.SelectionLength), "PG");
    step = BackspaceInExtensionBox(rule_, step.State);
    EXPECT_EQ(step.State.Text, ".j");
}

// Under UTF-8 (entries the ANSI code page cannot hold) completion and Backspace take whole
// characters of any length.
TEST_F(ExtensionHistoryTest, Utf8Entries) {
    const CharacterRule utf8 = Utf8Rule();
    const std::string e = "\xC3\xA9", smile = "\xF0\x9F\x98\x80", han = "\xED\x95\x9C";
    const ExtensionHistory history(Upper, {"." + e + smile, "." + han + "x"});
    const struct {
        const char *Case;
        ExtensionBoxState Before;
        std::string Typed;
        std::string Text;
        size_t SelectionStart, SelectionLength;
    } rows[] = {
        {"full stop completes an accent and an emoji", {"", 0, 0, {}}, ".", "." + e + smile, 1, 6},
        {"hangul typed completes its entry", {".", 1, 0, {}}, han, "." + han + "x", 4, 1},
        {"no match inside a character", {".", 1, 0, {}}, "\xC3", ".", 1, 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Case);
        const ExtensionKeyResult result =
            TypeIntoExtensionBox(utf8, row.Before, row.Typed, history);
        EXPECT_EQ(result.State.Text, row.Text);
        EXPECT_EQ(result.State.SelectionStart, row.SelectionStart);
        EXPECT_EQ(result.State.SelectionLength, row.SelectionLength);
    }
    const ExtensionKeyResult back =
        BackspaceInExtensionBox(utf8, {"." + e + smile, 1 + 2 + 4, 0, {}});
    EXPECT_EQ(back.State.Text, "." + e);
}

} // namespace
} // namespace tovimar
