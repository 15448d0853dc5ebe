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
                             "Ext2= '\x8E\xCA\x90\x5E' \x1A\r\n[Other]\r\nFront=1\r\n"
                             "[Tovimar]\r\nCursor=1\r\n";
    const std::pair<const char *, const char *> rows[] = {
        {"Execute", "7"}, // blanks trimmed, the first line wins, not the one before the section
        {"TimeFormat", "\"IMG_\"yymmdd\"_x\""},
        {"Ext0", ""},
        {"Ext1", "(no value)"},
        {"Ext2", "'\x8E\xCA\x90\x5E'"},
        {"Front", nullptr},  // another section
        {"Cursor", nullptr}, // the second section of the name
    };
    const auto entries = ReadIniSection(file, "Tovimar");
    EXPECT_EQ(entries.size(), 5u);
    for (const auto &[key, expected] : rows) {
        std::optional<std::string> found;
        for (const IniEntry &e : entries)
            if (e.Key == key) found = e.Value.value_or("(no value)");
        EXPECT_EQ(found, expected ? std::optional<std::string>(expected) : std::nullopt) << key;
    }
}

TEST(IniText, WritingChangesOnlyTheLinesOfChangedValues) {
    const std::tuple<std::string, std::string, std::string, std::string> rows[] = {
        // file, key, value, file afterwards
        {"", "Left", "0", "[Tovimar]\r\nLeft=0\r\n"},
        {"[Tovimar]\r\n execute = 5 \r\n", "Execute", "5", "[Tovimar]\r\n execute = 5 \r\n"},
        {"[Tovimar]\r\n execute = 5 \r\n", "Execute", "6", "[Tovimar]\r\n execute=6 \r\n"},
        {"[Tovimar]\nA=1\n\n[B]\n", "T", "'x'yy", "[Tovimar]\nA=1\nT='x'yy\n\n[B]\n"},
        {"[Tovimar]\r\nA=1", "C", "2\n[B]", "[Tovimar]\r\nA=1\r\nC=2\r\n"},
        {"[B]\r\nA=2", "A", "1", "[B]\r\nA=2\r\n[Tovimar]\r\nA=1\r\n"},
        {"[Tovimar]\r\nA\r\nA=1\r\n", "A", "1", "[Tovimar]\r\nA=1\r\nA=1\r\n"},
    };
    for (const auto &[text, key, value, expected] : rows)
        EXPECT_EQ(SetIniValues(text, "Tovimar", {{key, value}}), expected) << text;
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
        IniSettings settings("Tovimar", crossing);
        settings.Load(file);
        EXPECT_EQ(settings.Read("T", "d"), read) << name;
        settings.Write("T", written);
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
        IniSettings saved("Tovimar", crossing), read("Tovimar", crossing);
        saved.Write("T", value);
        read.Load(saved.Apply("[Tovimar]\r\nT=d\r\n").value_or(""));
        if (fault == F::None) EXPECT_EQ(read.Read("T", "d"), value);
    }
}

} // namespace
} // namespace tovimar
