// The argument rules over real command lines of child processes.
#include "WinTestSupport.h"
#include "core/CommandLine.h"
#include "platform/Arguments.h"
#include "platform/Locale.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tovimar::platform;
using tovimar::wintest::AsciiLower;
using tovimar::wintest::TempFolder;

namespace {

struct Echo {
    int count = -1;
    std::vector<std::string> arguments; // 0 .. count + 1
    std::vector<bool> utf8;             // the argument needs UTF-8
};

std::optional<Echo> ParseEcho(const std::string &text) {
    Echo echo;
    size_t pos = 0;
    auto readNumber = [&](char end) -> std::optional<size_t> {
        size_t stop = text.find(end, pos);
        if (stop == std::string::npos || stop == pos) return std::nullopt;
        size_t value = std::stoul(text.substr(pos, stop - pos));
        pos = stop + 1;
        return value;
    };
    auto count = readNumber('\n');
    if (!count) return std::nullopt;
    echo.count = static_cast<int>(*count);
    for (size_t i = 0; i <= *count + 1; ++i) {
        auto utf8 = readNumber(' ');
        auto length = readNumber('\n');
        if (!utf8 || !length || pos + *length + 1 > text.size()) return std::nullopt;
        echo.utf8.push_back(*utf8 != 0);
        echo.arguments.push_back(text.substr(pos, *length));
        pos += *length + 1;
    }
    return echo;
}

class ArgumentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(::SetEnvironmentVariableA("TOVIMAR_ECHO_OUT", out.c_str()));
    }
    void TearDown() override { ::SetEnvironmentVariableA("TOVIMAR_ECHO_OUT", nullptr); }

    std::optional<Echo> Run(const std::string &tail) {
        ::DeleteFileA(out.c_str());
        if (tovimar::wintest::RunAndWait("\"" + echoExe + "\" " + tail) != 0) return std::nullopt;
        auto text = tovimar::wintest::ReadWholeFile(out);
        return text ? ParseEcho(*text) : std::nullopt;
    }
    std::optional<Echo> RunWide(const std::wstring &tail) {
        ::DeleteFileA(out.c_str());
        if (tovimar::wintest::RunAndWaitWide(L"\"" + FromAnsi(echoExe) + L"\" " + tail) != 0)
            return std::nullopt;
        auto text = tovimar::wintest::ReadWholeFile(out);
        return text ? ParseEcho(*text) : std::nullopt;
    }

    TempFolder temp;
    std::string out = temp / "echo.out";
    std::string echoExe = tovimar::wintest::HelperPath("EchoArgs.exe");
};

TEST_F(ArgumentsTest, ReadsTheCommandLineOfAChild) {
    struct Row {
        UINT codePage; // 0: any
        std::string tail;
        std::vector<std::string> expected;
    };
    const std::vector<Row> rows = {
        {0, "\"C:\\My Files\\a b.txt\" C:\\x.txt", {"C:\\My Files\\a b.txt", "C:\\x.txt"}},
        {0, "C:\\My\" \"Files\\a.txt", {"C:\\My Files\\a.txt"}},
        {0, "\"\" x", {"x"}},
        {0, "x \"", {"x"}},
        {0, "a\tb", {"a", "b"}},
        {0, "a\\\"b c\"", {"a\\b c"}},
        {0, "", {}},
        {932, "\"C:\\\x95\x5C\\a.txt\" \x95\x5C", {"C:\\\x95\x5C\\a.txt", "\x95\x5C"}},
        {1252, "\"C:\\\xE9t\xE9\\a.txt\"", {"C:\\\xE9t\xE9\\a.txt"}},
    };
    for (const auto &row : rows) {
        if (row.codePage != 0 && row.codePage != ::GetACP()) continue;
        auto echo = Run(row.tail);
        ASSERT_TRUE(echo) << row.tail;
        ASSERT_EQ(echo->count, static_cast<int>(row.expected.size())) << row.tail;
        EXPECT_EQ(AsciiLower(echo->arguments[0]), AsciiLower(echoExe)) << row.tail;
        for (size_t i = 0; i < row.expected.size(); ++i) {
            EXPECT_EQ(echo->arguments[i + 1], row.expected[i]) << row.tail;
            EXPECT_FALSE(echo->utf8[i + 1]) << row.tail;
        }
        EXPECT_EQ(echo->arguments.back(), "") << "past the last argument";
    }
}

TEST_F(ArgumentsTest, TellsWhichArgumentNeedsUtf8) {
    struct Row {
        std::wstring argument;
        bool utf8In932;
        bool utf8In1252;
    };
    const std::vector<Row> rows = {
        {L"plain.txt", false, false},        {L"C:\\\xD55C\\a.txt", true, true}, // Hangul
        {L"\x0E01x.txt", true, true},                                            // Thai
        {L"\x8868.txt", false, true},                                            // kanji
        {L"\x00E9t\x00E9.txt", true, false},                                     // accented Latin
    };
    UINT codePage = ::GetACP();
    if (codePage != 932 && codePage != 1252) GTEST_SKIP() << "needs code page 932 or 1252";
    std::wstring tail;
    for (const auto &row : rows)
        tail += L"\"" + row.argument + L"\" ";
    auto echo = RunWide(tail);
    ASSERT_TRUE(echo);
    ASSERT_EQ(echo->count, static_cast<int>(rows.size()));
    EXPECT_FALSE(echo->utf8[0]);
    for (size_t i = 0; i < rows.size(); ++i) {
        const bool utf8 = codePage == 932 ? rows[i].utf8In932 : rows[i].utf8In1252;
        EXPECT_EQ(echo->utf8[i + 1], utf8) << i;
        // Every character arrives, in whichever code page it needs.
        EXPECT_EQ(ToWide(utf8 ? CP_UTF8 : CP_ACP, echo->arguments[i + 1]), rows[i].argument) << i;
    }
}

// A program folder the code page cannot name is still the program's own path.
TEST_F(ArgumentsTest, ProgramOutsideTheCodePageFindsItself) {
    const std::wstring folder = FromAnsi(temp.Path()) + L"\\\U0001F600 prog";
    const std::wstring copy = folder + L"\\EchoArgs.exe";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(::CopyFileW(FromAnsi(echoExe).c_str(), copy.c_str(), TRUE));
    ::DeleteFileA(out.c_str());
    const int exitCode = tovimar::wintest::RunAndWaitWide(L"\"" + copy + L"\" x");
    auto text = tovimar::wintest::ReadWholeFile(out);
    auto echo = text ? ParseEcho(*text) : std::nullopt;
    EXPECT_EQ(exitCode, 0);
    if (echo) {
        EXPECT_TRUE(echo->utf8[0]);
        EXPECT_EQ(AsciiLower(echo->arguments[0]), AsciiLower(FromWide(CP_UTF8, copy)));
    } else {
        ADD_FAILURE() << "no echo";
    }
    ::DeleteFileW(copy.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

TEST(WideArguments, FollowTheAnsiRules) {
    struct Row {
        std::wstring line;
        int index;
        std::wstring expected;
    };
    const std::vector<Row> rows = {
        {L"p \"C:\\My Files\\a b.txt\" C:\\x.txt", 1, L"C:\\My Files\\a b.txt"},
        {L"p \"C:\\My Files\\a b.txt\" C:\\x.txt", 2, L"C:\\x.txt"},
        {L"p C:\\My\" \"Files\\a.txt", 1, L"C:\\My Files\\a.txt"},
        {L"p \"\" x", 1, L"x"},
        {L"p x \"", 2, L""},
        {L"p\ta\tb", 2, L"b"},
        {L"\"C:\\Program Files\\p.exe\" a", 1, L"a"},
        {L"p a\\\"b c\"", 1, L"a\\b c"},
        {L"p a\"\"b", 1, L"ab"},
        {L"p a", 3, L""},
        {L"p a", 0, L""},
    };
    for (const auto &row : rows) {
        std::wstring wide = WideArgumentAt(row.line, row.index);
        EXPECT_EQ(wide, row.expected) << row.index;
        // The ANSI reading of the same line must agree, or the comparison means nothing.
        if (row.index >= 1) {
            EXPECT_EQ(tovimar::ArgumentAt(AnsiCharacterRule(), ToAnsi(row.line), row.index),
                      ToAnsi(row.expected));
        }
    }
    if (::GetACP() == 932) {
        EXPECT_EQ(WideArgumentAt(L"p \x8868 \x8868\\a", 2), L"\x8868\\a");
        EXPECT_EQ(tovimar::ArgumentAt(AnsiCharacterRule(), "p \x95\x5C \x95\x5C\\a", 2),
                  "\x95\x5C\\a");
    }
}

} // namespace
