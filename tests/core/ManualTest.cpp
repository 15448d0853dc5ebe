// The user's manual that ships beside the program: Shift-JIS text with CRLF line ends that
// documents every settings key with its default.
#include "core/Options.h"
#include "core/StatusText.h"

#include "Cp932.h"
#include "Version.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <string>

namespace {

std::string ReadManual() {
    std::ifstream in(TOVIMAR_MANUAL, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(Manual, IsShiftJisWithCrlfLineEnds) {
    const std::string bytes = ReadManual();
    ASSERT_FALSE(bytes.empty()) << TOVIMAR_MANUAL;
    EXPECT_TRUE(tovimar::FromCp932(bytes).has_value());
    EXPECT_EQ(bytes.find('\0'), std::string::npos);
    size_t lineFeeds = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++lineFeeds;
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        } else if (bytes[i] == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
    EXPECT_GT(lineFeeds, 100u);
    EXPECT_TRUE(bytes.ends_with("\r\n"));
}

// A new version needs a manual that shows its title bar, as the window shows it for a name of
// 13 bytes and an extension of 4.
TEST(Manual, ShowsTheTitleLineOfThisVersion) {
    const std::string titleLine = "Tovimar v" TOVIMAR_VERSION "  -  13+4 byte";
    EXPECT_NE(ReadManual().find("\r\n    " + titleLine + "\r\n"), std::string::npos) << titleLine;
    EXPECT_EQ(tovimar::StatusLine(13, 4), titleLine);
}

TEST(Manual, ListsEverySettingsKeyWithItsDefault) {
    const std::string text = tovimar::FromCp932(ReadManual()).value_or("");
    for (const tovimar::OptionKey &key : tovimar::OptionKeys()) {
        const std::string name = key.Name;
        // The example file shows every key as it is written.
        EXPECT_NE(text.find("\r\n  " + name + "="), std::string::npos) << name;
        // A row of the key table: the key, then its default. The history keys have none.
        if (std::holds_alternative<size_t>(key.Field)) continue;
        std::regex line("\r\n +" + name + " +" + tovimar::DefaultText(key) + " ");
        EXPECT_TRUE(std::regex_search(text, line)) << name;
    }
}

} // namespace
