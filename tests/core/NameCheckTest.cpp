#include "core/NameCheck.h"

#include "core/DoubleByte.h"

#include <gtest/gtest.h>

#include <string>

namespace tovimar {
namespace {

TEST(NameCheck, Table) {
    const struct {
        std::string Name;
        NameFault Expected;
    } rows[] = {
        {"report.txt", NameFault::None},
        {"..\\up.txt", NameFault::ForbiddenCharacter},
        {"a/b", NameFault::ForbiddenCharacter},
        {"c:x", NameFault::ForbiddenCharacter},
        {"*", NameFault::ForbiddenCharacter},
        {"a?.txt", NameFault::ForbiddenCharacter},
        {"say \"hi\"", NameFault::ForbiddenCharacter},
        {"a<b", NameFault::ForbiddenCharacter},
        {"a>b", NameFault::ForbiddenCharacter},
        {"a|b", NameFault::ForbiddenCharacter},
        {"tab\there", NameFault::ForbiddenCharacter},
        {std::string("nul\0x", 5), NameFault::ForbiddenCharacter},
        {"\x1F", NameFault::ForbiddenCharacter},
        {"\x95\x5C.txt", NameFault::None},                     // 表: the trail byte is 0x5C
        {"\x83\x7C\x83\x43\x83\x93\x83\x67", NameFault::None}, // ポイント: trail 0x7C
        {"\x95\x5C\\x", NameFault::ForbiddenCharacter},        // a real delimiter after 表
        {"\x81\x3A", NameFault::ForbiddenCharacter},           // no character ends in ':'
        {"\x81", NameFault::None},                             // a lone lead byte is no delimiter
        {"CON", NameFault::DeviceName},
        {"con.txt", NameFault::DeviceName},
        {"Nul.tar.gz", NameFault::DeviceName},
        {"aux .txt", NameFault::DeviceName},
        {"PRN", NameFault::DeviceName},
        {"com1", NameFault::DeviceName},
        {"LPT9.log", NameFault::DeviceName},
        {"CONIN$", NameFault::DeviceName},
        {"conout$.txt", NameFault::DeviceName},
        {"CONOUT", NameFault::None},
        {"COM0", NameFault::None},
        {"LPT10", NameFault::None},
        {"CONSOLE", NameFault::None},
        {"my con.txt", NameFault::None},
        {".con", NameFault::None},
        {"name.", NameFault::TrailingDotOrBlank},
        {"name ", NameFault::TrailingDotOrBlank},
        {"..", NameFault::TrailingDotOrBlank},
        {"name.txt ", NameFault::TrailingDotOrBlank},
        {" name", NameFault::None},
        {"name\x81\x40", NameFault::None}, // a full-width blank stays as typed
    };
    for (const auto &row : rows)
        EXPECT_EQ(CheckName(ShiftJisRule(), row.Name), row.Expected) << row.Name;
}

TEST(NameCheck, ForbiddenByteWithoutDoubleByteMode) {
    // In a single-byte code page the byte after 0x95 is a character of its own.
    EXPECT_EQ(CheckName(CharacterRule{}, "\x95\x5C"), NameFault::ForbiddenCharacter);
}

TEST(NameCheck, PathLimitCountsCharacters) {
    std::string japanese;
    for (int i = 0; i < 259; ++i)
        japanese += "\x95\x5C";
    const struct {
        std::string Path;
        bool TooLong;
    } rows[] = {{std::string(259, 'a'), false},
                {std::string(260, 'a'), true},
                {japanese, false},
                {japanese + "a", true}};
    for (const auto &row : rows)
        EXPECT_EQ(PathTooLong(ShiftJisRule(), row.Path), row.TooLong) << row.Path.size();
}

// Under UTF-8 the limit counts UTF-16 units: an emoji is two, a kana one, however many bytes.
TEST(NameCheck, PathLimitCountsUtf16UnitsUnderUtf8) {
    const auto repeat = [](std::string_view s, int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += s;
        return out;
    };
    const std::string emoji = "\xF0\x9F\x98\x80", kana = "\xE3\x81\x82";
    const struct {
        std::string Path;
        bool TooLong;
    } rows[] = {{repeat(emoji, 129) + "a", false}, {repeat(emoji, 130), true},
                {repeat(kana, 259), false},        {repeat(kana, 260), true},
                {std::string(259, '\xFF'), false}, // a stray byte converts to one unit
                {std::string(260, '\xFF'), true}};
    for (const auto &row : rows)
        EXPECT_EQ(PathTooLong(Utf8Rule(), row.Path), row.TooLong) << row.Path.size();
}

// 100 full-width letters + .txt: 104 UTF-16 units, 304 bytes of UTF-8.
TEST(NameCheck, NameFitsTheDrive) {
    EXPECT_TRUE(NameFitsLimits({104, 304}, {255, 0}));               // Windows
    EXPECT_FALSE(NameFitsLimits({104, 304}, {255, LinuxNameBytes})); // Wine
    EXPECT_FALSE(NameFitsLimits({256, 256}, {255, 0}));
    EXPECT_TRUE(NameFitsLimits({300, 300}, {0, 0})); // nothing known: the disk is asked
}

// The longest name in UTF-8 as Windows counts it: 127 emoji and a letter, 255 units in 509
// bytes. Wine on Linux cannot hold it.
TEST(NameCheck, Utf8NameOf255Utf16Units) {
    std::string name = "a";
    for (int i = 0; i < 127; ++i)
        name += "\xF0\x9F\x98\x80";
    const auto length = [](const std::string &n) {
        return NameLength{Utf16Length(Utf8Rule(), n), n.size()};
    };
    EXPECT_TRUE(NameFitsLimits(length(name), {255, 0}));
    EXPECT_FALSE(NameFitsLimits(length(name + "\xF0\x9F\x98\x80"), {255, 0}));
    EXPECT_FALSE(NameFitsLimits(length(name), {255, LinuxNameBytes}));
}

} // namespace
} // namespace tovimar
