// The settings file through the private-profile calls, on disk.
#include "WinTestSupport.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <vector>

using tovimar::platform::IniFile;
using tovimar::wintest::TempFolder;

namespace {

TEST(IniFile, RoundTripsValuesAndCutsLongOnes) {
    TempFolder temp;
    const std::string file = temp / "Tovimar.ini";
    struct Row {
        UINT codePage; // 0: any
        std::string key;
        std::string value;
        std::string readBack;
    };
    const std::vector<Row> rows = {
        {0, "TimeFormat", "yymmddhhnnss", "yymmddhhnnss"},
        {0, "Ext0", ".JPG", ".JPG"},
        {0, "Empty", "", ""},
        {0, "Inner", "a b", "a b"},
        {0, "Full", std::string(2047, 'x'), std::string(2047, 'x')},
        {0, "Long", std::string(3000, 'y'), std::string(2047, 'y')},
        {932, "Kanji", "\x95\x5C\x83\x74.txt", "\x95\x5C\x83\x74.txt"},
        {1252, "Latin", "\xE9t\xE9", "\xE9t\xE9"},
    };
    {
        IniFile ini(file, "Tovimar");
        for (const auto &row : rows) {
            if (row.codePage == 0 || row.codePage == ::GetACP()) {
                EXPECT_TRUE(ini.WriteString(row.key, row.value)) << row.key;
            }
        }
    }
    IniFile ini(file, "Tovimar");
    for (const auto &row : rows) {
        if (row.codePage != 0 && row.codePage != ::GetACP()) continue;
        EXPECT_EQ(ini.ReadString(row.key, "default"), row.readBack) << row.key;
        EXPECT_EQ(ini.ReadValue(row.key), row.readBack) << row.key;
    }
    EXPECT_EQ(ini.ReadString("Missing", "yymmddhhnnss"), "yymmddhhnnss");
    EXPECT_EQ(ini.ReadValue("Missing"), std::nullopt);
    EXPECT_EQ(IniFile(file, "Other").ReadValue("Ext0"), std::nullopt);
}

TEST(IniFile, LeavesTheFileOnDiskWhenReleased) {
    TempFolder temp;
    const std::string file = temp / "Tovimar.ini";
    {
        IniFile ini(file, "Tovimar");
        ASSERT_TRUE(ini.WriteString("Execute", "17"));
        ASSERT_TRUE(ini.WriteString("Ext0", ""));
    }
    auto content = tovimar::wintest::ReadWholeFile(file);
    ASSERT_TRUE(content);
    EXPECT_NE(content->find("[Tovimar]"), std::string::npos) << *content;
    EXPECT_NE(content->find("Execute=17"), std::string::npos) << *content;
    EXPECT_NE(content->find("Ext0="), std::string::npos) << *content;
}

TEST(IniFile, ReportsAFailedWrite) {
    TempFolder temp;
    // A folder where the file should be: the write cannot succeed even as root.
    const std::string file = temp / "Tovimar.ini";
    ASSERT_TRUE(::CreateDirectoryA(file.c_str(), nullptr));
    IniFile ini(file, "Tovimar");
    EXPECT_FALSE(ini.WriteString("Execute", "1"));
    EXPECT_FALSE(ini.Flush());
}

} // namespace
