#include "core/IniText.h"

#include <gtest/gtest.h>

#include <string>

namespace tovimar {
namespace {

using namespace std::string_literals;

TEST(IniText, EncodingOfTheFile) {
    const struct {
        std::string Bytes;
        TextEncoding Expected;
    } rows[] = {
        {"", TextEncoding::Ansi},
        {"[Tovimar]\r\nExecute=1\r\n", TextEncoding::Ansi},
        {"TimeFormat=\x94\x4E", TextEncoding::Ansi},     // 年 in code page 932
        {"TimeFormat=\xE5\xB9\xB4", TextEncoding::Utf8}, // 年 in UTF-8
        {"x=\xC0\x80", TextEncoding::Ansi},              // overlong
        {"x=\xED\xA0\x80", TextEncoding::Ansi},          // surrogate
        {"x=\xE5\xB9", TextEncoding::Ansi},              // cut short
        {"\xEF\xBB\xBF[Tovimar]", TextEncoding::Utf8Bom},
        {"\xFF\xFE[\0"s, TextEncoding::Utf16Le},
        {"\xFE\xFF\0["s, TextEncoding::Utf16Be},
    };
    for (const auto &row : rows)
        EXPECT_EQ(DetectTextEncoding(row.Bytes), row.Expected) << row.Bytes;
}

TEST(IniText, Utf16ComesBackByteForByte) {
    const struct {
        std::string Bytes;
        std::string Text;
    } rows[] = {
        {"\xFF\xFE"
         "a\0=\0\x74\x5E\r\0\n\0"s,
         "a=\xE5\xB9\xB4\r\n"},
        {"\xFE\xFF\0a\xD8\x3D\xDE\x00"s, "a\xF0\x9F\x98\x80"},     // a pair
        {"\xFF\xFE\x00\xDC\x3D\xD8"s, "\xED\xB0\x80\xED\xA0\xBD"}, // unpaired, reversed
    };
    for (const auto &row : rows) {
        const TextEncoding encoding = DetectTextEncoding(row.Bytes);
        EXPECT_EQ(DecodeText(row.Bytes, encoding), row.Text);
        EXPECT_EQ(EncodeText(DecodeText(row.Bytes, encoding), encoding), row.Bytes);
    }
    // An odd last byte does not survive: such a file is not rewritten.
    EXPECT_NE(EncodeText(DecodeText("\xFF\xFEx\0y"s, TextEncoding::Utf16Le), TextEncoding::Utf16Le),
              "\xFF\xFEx\0y"s);
}

TEST(IniText, ValuesOfTheSection) {
    const std::string file = "Execute=1\r\n"        // before any section
                             "[tovimar] ; mine\r\n" // to the last bracket
                             "  Execute =  7 \r\n"
                             "TimeFormat=\"IMG_\"yymmdd\"_x\"\r\n"
                             "EXECUTE=8\r\n" // the first wins
                             "Ext0=\r\n"
                             "Ext1\r\n"
                             "Ext2= '\x8E\xCA\x90\x5E' \x1A\r\n"
                             "[Other]\r\nFront=1\r\n"
                             "[Tovimar]\r\nCursor=1\r\n"; // only the first section counts
    const auto entries = ReadIniSection(file, "Tovimar");
    const auto find = [&](std::string_view key) -> std::string {
        for (const IniEntry &e : entries)
            if (e.Key == key) return e.Value.value_or("(no value)");
        return "(missing)";
    };
    EXPECT_EQ(entries.size(), 5u);
    EXPECT_EQ(find("Execute"), "7");
    EXPECT_EQ(find("TimeFormat"), "\"IMG_\"yymmdd\"_x\"");
    EXPECT_EQ(find("Ext0"), "");
    EXPECT_EQ(find("Ext1"), "(no value)");
    EXPECT_EQ(find("Ext2"), "'\x8E\xCA\x90\x5E'");
    EXPECT_EQ(find("Front"), "(missing)");
    EXPECT_EQ(find("Cursor"), "(missing)");
}

TEST(IniText, WritingChangesOnlyTheLinesOfChangedValues) {
    const struct {
        const char *Case;
        std::string Text;
        std::vector<std::pair<std::string, std::string>> Values;
        std::string Expected;
    } rows[] = {
        {"no file", "", {{"Left", "0"}, {"Top", "0"}}, "[Tovimar]\r\nLeft=0\r\nTop=0\r\n"},
        {"same value, other spelling",
         "[Tovimar]\r\n execute = 5 \r\n",
         {{"Execute", "5"}},
         "[Tovimar]\r\n execute = 5 \r\n"},
        {"changed value",
         "[Tovimar]\r\n execute = 5 \r\n",
         {{"Execute", "6"}},
         "[Tovimar]\r\n execute=6 \r\n"},
        {"quotes kept",
         "[Tovimar]\nA=1\n",
         {{"TimeFormat", "'x'yy'x'"}},
         "[Tovimar]\nA=1\nTimeFormat='x'yy'x'\n"},
        {"added at the section's end",
         "[Tovimar]\r\nA=1\r\n\r\n[B]\r\nA=2\r\n",
         {{"A", "3"}, {"C", ""}},
         "[Tovimar]\r\nA=3\r\nC=\r\n\r\n[B]\r\nA=2\r\n"},
        {"no line break at the end",
         "[Tovimar]\r\nA=1",
         {{"C", "2"}},
         "[Tovimar]\r\nA=1\r\nC=2\r\n"},
        {"section missing", "[B]\r\nA=2", {{"A", "1"}}, "[B]\r\nA=2\r\n[Tovimar]\r\nA=1\r\n"},
        {"line break cut", "", {{"A", "2\n[B]"}}, "[Tovimar]\r\nA=2\r\n"},
        {"key without equals sign",
         "[Tovimar]\r\nA\r\nA=1\r\n",
         {{"A", "1"}},
         "[Tovimar]\r\nA=1\r\nA=1\r\n"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(SetIniValues(row.Text, "Tovimar", row.Values), row.Expected) << row.Case;
}

// Latin-1 text as UTF-16LE with its byte-order mark.
std::string Utf16Le(std::string_view latin1) {
    std::string out = "\xFF\xFE";
    for (char c : latin1)
        out += std::string{c, '\0'};
    return out;
}

// The program's code page in these tests is Latin-1: U+0100 and above do not fit.
class Latin1 : public CodePageCrossing {
public:
    std::optional<std::string> FromUtf8(std::string_view text) const override {
        std::string out;
        for (size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c < 0x80) {
                out += char(c);
            } else if ((c == 0xC2 || c == 0xC3) && i + 1 < text.size()) {
                out += char((c & 0x03) << 6 | (text[++i] & 0x3F));
            } else {
                return std::nullopt;
            }
        }
        return out;
    }
    std::optional<std::string> ToUtf8(std::string_view text) const override {
        std::string out;
        for (char ch : text) {
            const auto c = static_cast<unsigned char>(ch);
            if (c < 0x80) {
                out += ch;
            } else {
                out += char(0xC0 | c >> 6);
                out += char(0x80 | (c & 0x3F));
            }
        }
        return out;
    }
};

TEST(IniText, SettingsKeepWhatTheProgramDidNotChange) {
    const Latin1 crossing;
    const struct {
        const char *Case;
        std::string File;
        std::string Read;     // TimeFormat as the program gets it, default "d"
        std::string Written;  // what the program writes back
        std::string Expected; // the file afterwards
    } rows[] = {
        {"UTF-8 read and kept", "[Tovimar]\r\nTimeFormat=yy'\xC3\xA9t\xC3\xA9'\r\n",
         "yy'\xE9t\xE9'", "yy'\xE9t\xE9'", "[Tovimar]\r\nTimeFormat=yy'\xC3\xA9t\xC3\xA9'\r\n"},
        {"UTF-8 written", "[Tovimar]\r\nTimeFormat=\xC3\xA9\r\n", "\xE9", "\xE0",
         "[Tovimar]\r\nTimeFormat=\xC3\xA0\r\n"},
        {"outside the code page", "[Tovimar]\r\nTimeFormat=\xE5\xB9\xB4\r\n", "d", "d",
         "[Tovimar]\r\nTimeFormat=\xE5\xB9\xB4\r\n"},
        {"UTF-16 stays UTF-16", Utf16Le("[Tovimar]\nTimeFormat=\xE9"), "\xE9", "\xE0",
         Utf16Le("[Tovimar]\nTimeFormat=\xE0")},
        {"ANSI stays ANSI", "[Tovimar]\r\nTimeFormat=\xE9\r\n", "\xE9", "\xE0\xE0",
         "[Tovimar]\r\nTimeFormat=\xE0\xE0\r\n"},
        {"ANSI that would read as UTF-8", "[Tovimar]\r\n", "d", "\xC3\xA9",
         "\xEF\xBB\xBF[Tovimar]\r\nTimeFormat=\xC3\x83\xC2\xA9\r\n"},
        {"cut value kept whole", "[Tovimar]\r\nTimeFormat=" + std::string(3000, 'y'),
         std::string(2047, 'y'), std::string(2047, 'y'),
         "[Tovimar]\r\nTimeFormat=" + std::string(3000, 'y')},
    };
    for (const auto &row : rows) {
        const std::string key = "TimeFormat";
        IniSettings settings("Tovimar", crossing);
        settings.Load(row.File);
        EXPECT_EQ(settings.Read(key, "d"), row.Read) << row.Case;
        settings.Write(key, row.Written);
        EXPECT_EQ(settings.Apply(row.File), row.Expected) << row.Case;
    }
}

} // namespace
} // namespace tovimar
