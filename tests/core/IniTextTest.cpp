#include "core/IniText.h"

#include <gtest/gtest.h>

#include <string>

namespace tovimar {
namespace {

using namespace std::string_literals;

TEST(IniText, ValuesOfTheSection) {
    const std::string file = "Execute=1\r\n[tovimar] ; mine\r\n  Execute =  7 \r\n"
                             "TimeFormat=\"IMG_\"yymmdd\"_x\"\r\nEXECUTE=8\r\nExt0=\r\nExt1\r\n"
                             "Ext2= '\x8E\xCA\x90\x5E' \x1A\r\nExt1=1\r\n[Other]\r\nFront=1\r\n"
                             "[Tovimar]\r\nCursor=1\r\n";
    const std::pair<const char *, const char *> rows[] = {
        {"Execute", "7"}, // blanks trimmed, the first line wins, not the one before the section
        {"TimeFormat", "\"IMG_\"yymmdd\"_x\""},
        {"Ext0", ""},
        {"Ext1", nullptr}, // its first line has no equals sign
        {"Ext2", "'\x8E\xCA\x90\x5E'"},
        {"Front", nullptr},  // another section
        {"Cursor", nullptr}, // the second section of the name
    };
    const auto body = FindIniSection(file, "Tovimar", ShiftJisRule());
    ASSERT_TRUE(body);
    for (const auto &[key, expected] : rows) {
        const auto found = FindIniValue(*body, key);
        EXPECT_EQ(found, expected ? std::optional<std::string_view>(expected) : std::nullopt)
            << key;
    }
}

TEST(IniText, WritingChangesOnlyTheLinesOfChangedValues) {
    const std::tuple<std::string, std::string, std::string, std::string> rows[] = {
        // file, key, value, file afterwards
        {"", "Left", "0", "[Tovimar]\r\nLeft=0\r\n"},
        {"[Tovimar]\r\n execute = 5 \r\n", "Execute", "5", "[Tovimar]\r\n execute = 5 \r\n"},
        {"[Tovimar]\r\n execute = 5 \r\n", "Execute", "6", "[Tovimar]\r\nexecute=6\r\n"},
        {"[Tovimar]\nA=1\n\n[B]\n", "T", "'x'yy", "[Tovimar]\nA=1\nT='x'yy\n\n[B]\n"},
        {"[Tovimar]\r\nA=1", "C", "2\n[B]", "[Tovimar]\r\nA=1\r\nC=2\r\n"},
        {"[B]\r\nA=2", "A", "1", "[B]\r\nA=2\r\n[Tovimar]\r\nA=1\r\n"},
        {"[Tovimar]\r\nA\r\nA=1\r\n", "A", "1", "[Tovimar]\r\nA=1\r\nA=1\r\n"},
    };
    for (const auto &[text, key, value, expected] : rows)
        EXPECT_EQ(SetIniValues(text, "Tovimar", {{key, value}}, Utf8Rule()), expected) << text;
}

// The program's code page in these tests is Latin-1.
class Latin1 : public CodePageCrossing {
public:
    std::optional<std::string> FromUtf8(std::string_view text) const override {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c >= 0x80 && ((c != 0xC2 && c != 0xC3) || ++i == text.size())) return std::nullopt;
            out += c < 0x80 ? char(c) : char((c & 3) << 6 | (text[i] & 0x3F));
        }
        return out;
    }
    std::optional<std::string> ToUtf8(std::string_view text) const override {
        std::string out;
        for (const char ch : text) {
            const auto c = static_cast<unsigned char>(ch);
            out += c < 0x80 ? std::string(1, ch)
                            : std::string{char(0xC0 | c >> 6), char(0x80 | (c & 0x3F))};
        }
        return out;
    }
};

std::string Utf16Le(std::string_view latin1) {
    std::string out = "\xFF\xFE";
    for (char c : latin1)
        out += std::string{c, '\0'};
    return out;
}

// Files as people and other tools leave them; the hand-edited ones read as the profile reader
// reads them under code page 932.
TEST(IniText, SettingsKeepWhatTheProgramDidNotChange) {
    const Latin1 crossing;
    const std::string head = "[Tovimar]\r\nT=", longValue(3000, 'y');
    const std::tuple<const char *, std::string, std::string, std::string, std::string> rows[] = {
        // file, T as read (default d), T as written, file afterwards
        {"UTF-8 kept", head + "'\xC3\xA9'", "'\xE9'", "'\xE9'", head + "'\xC3\xA9'"},
        {"UTF-8 written", head + "\xC3\xA9", "\xE9", "\xE0", head + "\xC3\xA0"},
        {"not in the code page", head + "\xE5\xB9\xB4", "d", "d", head + "\xE5\xB9\xB4"},
        {"UTF-16", Utf16Le("[Tovimar]\nT=\xE9"), "\xE9", "\xE0", Utf16Le("[Tovimar]\nT=\xE0")},
        {"ANSI", head + "\xE9", "\xE9", "\xE0\xE0", head + "\xE0\xE0"},
        {"ANSI read as UTF-8 later", "", "d", "\xC3\xA0",
         "\xEF\xBB\xBF[Tovimar]\r\nT=\xC3\x83\xC2\xA0\r\n"},
        {"cut short", head + longValue, std::string(2047, 'y'), std::string(2047, 'y'),
         head + longValue},
        {"CR alone ends a line", "[Tovimar]\r\nT=5\rV=1\r\n", "5", "6",
         "[Tovimar]\r\nT=6\rV=1\r\n"},
        {"CR only, key added", "[Tovimar]\rV=1", "d", "x", "[Tovimar]\rV=1\rT=x\r"},
        {"CR only, section added", "; mine\r", "d", "x", "; mine\r[Tovimar]\rT=x\r"},
        {"new line takes the break before it", "[Tovimar]\rV=1\r\n\n", "d", "x",
         "[Tovimar]\rV=1\r\nT=x\r\n\n"},
        {"blanks in the brackets", "[ tovimar\t]\r\nT=5\r\n", "5", "6", "[ tovimar\t]\r\nT=6\r\n"},
        {"trail byte 0x5D after the header", "[Tovimar] ;\x83\x5D\nT=5\n", "5", "6",
         "[Tovimar] ;\x83\x5D\nT=6\n"},
        {"UTF-8 by its own rule", "\xEF\xBB\xBF[Tovimar]\xE3\x81\x81]\nT=5\n", "d", "6",
         "\xEF\xBB\xBF[Tovimar]\xE3\x81\x81]\nT=5\n[Tovimar]\nT=6\n"},
        {"a lead byte takes no CR", "[Tovimar]\rV=x\x83\rT=y\r", "y", "z",
         "[Tovimar]\rV=x\x83\rT=z\r"},
        {"old blanks go", "[Tovimar]\r\n  T= 41 \r\n", "41", "42", "[Tovimar]\r\nT=42\r\n"},
        {"first section of the name", "[Tovimar]\nV=1\n[tovimar]\nT=5\n", "d", "6",
         "[Tovimar]\nV=1\nT=6\n[tovimar]\nT=5\n"},
    };
    for (const auto &[name, file, read, written, expected] : rows) {
        IniSettings settings("Tovimar", crossing, ShiftJisRule());
        settings.Load(file);
        // The crossing hands values out in Latin-1, a single-byte code page.
        EXPECT_EQ(settings.Read(CharacterRule{}, "T", "d"), read) << name;
        settings.Write("T", written);
        EXPECT_EQ(settings.Apply(file), expected) << name;
    }
}

// The history's values in UTF-8: any text from a Unicode file; an ANSI file never takes text
// of no code page and never changes its encoding for it.
TEST(IniText, Utf8ValuesWhateverTheCodePage) {
    const Latin1 crossing;
    const std::string head = "[Tovimar]\r\nT=", bom = "\xEF\xBB\xBF";
    const std::string nen = "\xE5\xB9\xB4"; // 年: in no Latin-1
    const std::tuple<const char *, std::string, std::optional<std::string>, std::string, bool,
                     std::string>
        rows[] = {
            // file, T as read, T as written, written taken, file afterwards
            {"UTF-8 kept", head + nen, nen, nen, true, head + nen},
            {"UTF-8 written", bom + head + "a", "a", "." + nen, true, bom + head + "." + nen},
            {"UTF-16 written", Utf16Le("[Tovimar]\nT=a"), "a", "\xC3\xA9", true,
             Utf16Le("[Tovimar]\nT=\xE9")},
            {"ANSI read as UTF-8", head + "\xA9", "\xC2\xA9", "\xC3\xA0", true, head + "\xE0"},
            {"ANSI refuses", head + "a", "a", nen, false, head + "a"},
            {"no file refuses", "", std::nullopt, nen, false, ""},
            {"missing key", bom + "[Tovimar]\r\n", std::nullopt, nen, true,
             bom + "[Tovimar]\r\nT=" + nen + "\r\n"},
        };
    for (const auto &[name, file, read, written, taken, expected] : rows) {
        IniSettings settings("Tovimar", crossing, ShiftJisRule());
        settings.Load(file);
        EXPECT_EQ(settings.ReadUtf8("T"), read) << name;
        EXPECT_EQ(settings.WriteUtf8("T", written), taken) << name;
        EXPECT_EQ(settings.Apply(file), expected) << name;
    }
}

// What the check lets through comes back from a saved file as it was, quotes included.
TEST(IniText, ValuesThatComeBackAsWritten) {
    using F = IniValueFault;
    const Latin1 crossing;
    const std::pair<std::string, F> rows[] = {{"\"a\" yy\t'b'", F::None},
                                              {std::string(2047, 'y'), F::None},
                                              {std::string(2048, 'y'), F::TooLong},
                                              {" yy", F::BlankAtEnd},
                                              {"yy\x1A", F::BlankAtEnd},
                                              {"yy\rmm", F::LineBreak}};
    for (const auto &[value, fault] : rows) {
        EXPECT_EQ(CheckIniValue(value), fault) << value;
        IniSettings saved("Tovimar", crossing, ShiftJisRule()),
            read("Tovimar", crossing, ShiftJisRule());
        saved.Write("T", value);
        read.Load(saved.Apply("[Tovimar]\r\nT=d\r\n").value_or(""));
        if (fault == F::None) EXPECT_EQ(read.Read(CharacterRule{}, "T", "d"), value);
    }
}

} // namespace
} // namespace tovimar
