#include "core/CommandLine.h"

#include "core/DoubleByte.h"

#include <gtest/gtest.h>

#include <vector>

namespace tovimar {
namespace {

class CommandLineSjis : public testing::Test {
protected:
    const CharacterRule rule_ = ShiftJisRule();
};

// Every argument after the program name, through ArgumentCount and ArgumentAt.
std::vector<std::string> Arguments(const CharacterRule &rule, std::string_view commandLine) {
    std::vector<std::string> arguments;
    int count = ArgumentCount(rule, commandLine);
    for (int i = 1; i <= count; ++i)
        arguments.push_back(ArgumentAt(rule, commandLine, i));
    return arguments;
}

const std::string Program = "\"C:\\Program Files\\Tovimar\\Tovimar.exe\" ";

TEST_F(CommandLineSjis, ArgumentsOfExampleLines) {
    using Args = std::vector<std::string>;
    struct Row {
        std::string Line;
        Args Expected;
    };
    const Row rows[] = {
        {"\"C:\\My Files\\a b.txt\" C:\\x.txt", Args{"C:\\My Files\\a b.txt", "C:\\x.txt"}},
        {"C:\\My\" \"Files\\a.txt", Args{"C:\\My Files\\a.txt"}},
        {"\"\" x", Args{"x"}},
        {"x \"", Args{"x"}},         // the lone quote gives an empty argument: the end
        {"x \" y", Args{"x", " y"}}, // an unclosed quote runs to the end
        {"a\tb\t\tc", Args{"a", "b", "c"}},
        {"a\r\nb\x01"
         "c",
         Args{"a", "b", "c"}}, // every control byte separates
        {"", Args{}},
        {"   ", Args{}},
        {"\"\"", Args{}},
        {"\"\"\"\" a", Args{"a"}},              // two empty pairs in a row
        {"a\"\"b", Args{"ab"}},                 // a pair inside an argument adds nothing
        {"C:\\dir\\\" x", Args{"C:\\dir\\ x"}}, // a backslash escapes nothing
        {"\"a\"b\"c d\"", Args{"abc d"}},       // quoted and plain stretches alternate
        {"\"C:\\c.txt\" \"C:\\d.txt\" ", Args{"C:\\c.txt", "C:\\d.txt"}},
        // bytes from 0x80 up belong to the argument
        {"\x83\x74\x83\x40\x83\x43\x83\x8B.txt \xA0\xB1",
         Args{"\x83\x74\x83\x40\x83\x43\x83\x8B.txt", "\xA0\xB1"}},
        // a double-byte character is taken whole, even when its trail byte is a blank; a quote
        // after a lead byte is still a quote
        {"\x81 x y", Args{"\x81 x", "y"}},
        {"\"\x81\" z\" w", Args{"\x81", "z w"}},
        // the line ends at its terminating zero
        {std::string("a b\0c", 5), Args{"a", "b"}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(Arguments(rule_, Program + row.Line), row.Expected)
            << testing::PrintToString(row.Line);
}

TEST_F(CommandLineSjis, ProgramNameIsNotCounted) {
    EXPECT_EQ(ArgumentCount(rule_, "Tovimar.exe"), 0);
    EXPECT_EQ(ArgumentCount(rule_, "\"C:\\a b\\Tovimar.exe\""), 0);
    EXPECT_EQ(ArgumentCount(rule_, "Tovimar.exe a"), 1);
    EXPECT_EQ(ArgumentCount(rule_, ""), 0);
}

TEST_F(CommandLineSjis, ArgumentAtOutsideTheListIsEmpty) {
    const std::string line = Program + "a b";
    const int indexes[] = {-1, 0, 3, 100};
    for (int i : indexes)
        EXPECT_EQ(ArgumentAt(rule_, line, i), "") << i;
    // an empty argument ends the walk even when text follows
    EXPECT_EQ(ArgumentAt(rule_, Program + "a \" b", 2), " b");
    EXPECT_EQ(ArgumentAt(rule_, Program + "a \"", 3), "");
}

TEST_F(CommandLineSjis, NextArgumentReportsWhereItStopped) {
    struct Row {
        std::string Text;
        size_t Pos;
        std::string Argument;
        size_t Next;
    };
    const Row rows[] = {
        {"ab cd", 0, "ab", 2}, {"ab cd", 2, "cd", 5},        {"ab cd", 5, "", 5},
        {"ab cd", 50, "", 5},  {"\"a b\"c d", 0, "a bc", 6}, {"\"\"  \"\" x", 0, "x", 8},
        {" \"", 0, "", 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.Text);
        ArgumentRead read = NextArgument(rule_, row.Text, row.Pos);
        EXPECT_EQ(read.Argument, row.Argument);
        EXPECT_EQ(read.Next, row.Next);
    }
}

TEST_F(CommandLineSjis, ChainParametersQuoteTheRemainingArguments) {
    struct Row {
        std::string Line;
        int From;
        std::string Expected;
    };
    const Row rows[] = {
        {"\"C:\\a b.txt\" C:\\c.txt C:\\d.txt", 2, "\"C:\\c.txt\" \"C:\\d.txt\" "},
        {"\"C:\\a b.txt\" C:\\c.txt C:\\d.txt", 3, "\"C:\\d.txt\" "},
        {"\"C:\\a b.txt\" C:\\c.txt C:\\d.txt", 4, ""},
        {"\"C:\\a b.txt\"", 2, ""},
        {"a \"b c\"", 1, "\"a\" \"b c\" "},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ChainParameters(rule_, Program + row.Line, row.From), row.Expected) << row.Line;
}

TEST_F(CommandLineSjis, ChainedArgumentsReadBackUnchanged) {
    const std::vector<std::string> arguments = {"C:\\a b.txt", "C:\\\x95\x5C\\x.txt", "\\\\s\\h\\",
                                                "x", "\x81\x40\x81\x40"};
    std::string line = Program;
    for (const std::string &argument : arguments)
        line += "\"" + argument + "\" ";
    EXPECT_EQ(Arguments(rule_, line), arguments);
    std::vector<std::string> passedOn(arguments.begin() + 1, arguments.end());
    EXPECT_EQ(Arguments(rule_, Program + ChainParameters(rule_, line, 2)), passedOn);
}

TEST(CommandLineSingleByte, TrailBytesAreOrdinaryWithDoubleByteModeOff) {
    const CharacterRule singleByte;
    EXPECT_EQ(Arguments(singleByte, Program + "\x81 x"), (std::vector<std::string>{"\x81", "x"}));
    EXPECT_EQ(Arguments(singleByte, Program + "\"\x81\" z\""),
              (std::vector<std::string>{"\x81", "z"}));
}

} // namespace
} // namespace tovimar
