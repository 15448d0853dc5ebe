#include "core/IniText.h"

#include <gtest/gtest.h>

#include <string>

namespace tovimar {
namespace {

using namespace std::string_literals;
using Enc = TextEncoding;

TEST(IniText, EncodingOfTheFile) {
    const std::pair<std::string, Enc> rows[] = {
        {"[Tovimar]\r\nExecute=1", Enc::Ansi}, {"T=\x94\x4E", Enc::Ansi}, // code page 932
        {"T=\xE5\xB9\xB4", Enc::Utf8},         {"T=\xC0\x80", Enc::Ansi}, // overlong
        {"T=\xED\xA0\x80", Enc::Ansi},         {"T=\xE5\xB9", Enc::Ansi}, // surrogate, cut
        {"\xEF\xBB\xBFT", Enc::Utf8Bom},       {"\xFF\xFET\0"s, Enc::Utf16Le},
        {"\xFE\xFF\0T"s, Enc::Utf16Be},        {"", Enc::Ansi},
    };
    for (const auto &[bytes, expected] : rows)
        EXPECT_EQ(DetectTextEncoding(bytes), expected) << bytes;
    // A pair and an unpaired surrogate, each back to its own bytes.
    EXPECT_EQ(DecodeText("\xFE\xFF\0a\xD8\x3D\xDE\x00\xDC\x00"s, Enc::Utf16Be),
              "a\xF0\x9F\x98\x80\xED\xB0\x80");
}

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
    const auto body = FindIniSection(file, "Tovimar", ShiftJisTable());
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
        EXPECT_EQ(SetIniValues(text, "Tovimar", {{key, value}}, Utf8Table()), expected) << text;
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
    };
    for (const auto &[name, file, read, written, expected] : rows) {
        IniSettings settings("Tovimar", crossing, DoubleByteTable());
        settings.Load(file);
        EXPECT_EQ(settings.Read("T", "d"), read) << name;
        settings.Write("T", written);
        EXPECT_EQ(settings.Apply(file), expected) << name;
    }
}

// Hand-edited files as the profile reader reads them under code page 932 (checked against it),
// and each file after the program changes one value.
TEST(IniText, FilesAsTheProfileReaderReadsThem) {
    struct Row {
        const char *name;
        std::string file;
        std::vector<std::pair<const char *, const char *>> reads; // nullptr: the default
        std::pair<const char *, const char *> write;
        std::string after;
    };
    const Row rows[] = {
        {"CR alone ends a line",
         "[Tovimar]\r\nExecute=5\rVar=1\r\n",
         {{"Execute", "5"}, {"Var", "1"}},
         {"Execute", "6"},
         "[Tovimar]\r\nExecute=6\rVar=1\r\n"},
        {"CR only",
         "[Tovimar]\rExecute=5\rVar=1",
         {{"Execute", "5"}, {"Var", "1"}},
         {"Cursor", "1"},
         "[Tovimar]\rExecute=5\rVar=1\rCursor=1\r"},
        {"CR only, no section",
         "; mine\r",
         {{"Execute", nullptr}},
         {"Execute", "1"},
         "; mine\r[Tovimar]\rExecute=1\r"},
        {"new lines take the break before them",
         "[Tovimar]\rA=1\r\n\n",
         {},
         {"B", "2"},
         "[Tovimar]\rA=1\r\nB=2\r\n\n"},
        {"blanks in the brackets",
         "[ tovimar\t]\r\nExecute=5\r\n",
         {{"Execute", "5"}},
         {"Execute", "6"},
         "[ tovimar\t]\r\nExecute=6\r\n"},
        {"trail byte 0x5D after the header",
         "[Tovimar] ;\x83\x5D\r\nExecute=5\r\n",
         {{"Execute", "5"}},
         {"Execute", "6"},
         "[Tovimar] ;\x83\x5D\r\nExecute=6\r\n"},
        {"UTF-8 by its own rule",
         "\xEF\xBB\xBF[Tovimar]\xE3\x81\x81]\nExecute=5\n",
         {{"Execute", nullptr}},
         {"Execute", "6"},
         "\xEF\xBB\xBF[Tovimar]\xE3\x81\x81]\nExecute=5\n[Tovimar]\nExecute=6\n"},
        {"a lead byte does not take the CR",
         "[Tovimar]\rExt0=x\x83\rExt1=y\r",
         {{"Ext1", "y"}},
         {"Ext1", "z"},
         "[Tovimar]\rExt0=x\x83\rExt1=z\r"},
        {"old blanks go",
         "[Tovimar]\r\n  Execute= 41 \r\n",
         {{"Execute", "41"}},
         {"Execute", "42"},
         "[Tovimar]\r\nExecute=42\r\n"},
        {"quotes kept",
         "[Tovimar]\nTimeFormat=\"yymmdd\"\n",
         {{"TimeFormat", "\"yymmdd\""}},
         {"TimeFormat", "'yy'"},
         "[Tovimar]\nTimeFormat='yy'\n"},
        {"first section, first line",
         "[Tovimar]\nExecute=1\nexecute=2\n[tovimar]\nVar=1\n",
         {{"Execute", "1"}, {"Var", nullptr}},
         {"Var", "1"},
         "[Tovimar]\nExecute=1\nexecute=2\nVar=1\n[tovimar]\nVar=1\n"},
        {"UTF-16, CR only",
         Utf16Le("[ Tovimar ]\rExecute=4\r"),
         {{"Execute", "4"}},
         {"Execute", "5"},
         Utf16Le("[ Tovimar ]\rExecute=5\r")},
    };
    const Latin1 crossing;
    for (const Row &row : rows) {
        IniSettings settings("Tovimar", crossing, ShiftJisTable());
        settings.Load(row.file);
        for (const auto &[key, value] : row.reads)
            EXPECT_EQ(settings.Read(key, "(default)"), value ? value : "(default)") << row.name;
        settings.Write(row.write.first, row.write.second);
        EXPECT_EQ(settings.Apply(row.file), row.after) << row.name;
    }
}

} // namespace
} // namespace tovimar
