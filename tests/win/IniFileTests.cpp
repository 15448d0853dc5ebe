// The settings file on disk: read once, saved through a file that replaces it.
#include "WinTestSupport.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <vector>

using tovimar::platform::IniFile;
using tovimar::wintest::ReadWholeFile;
using tovimar::wintest::TempFolder;
using tovimar::wintest::WriteWholeFile;

namespace {

// The file beside the program and the user's own one, in a folder not made yet (the temp
// folder stands for the application data).
struct Places {
    TempFolder temp;
    std::string beside = temp / "Tovimar.ini";
    std::string user = temp / "Tovimar\\Tovimar.ini";
    Places() { userFile = user; }

    // What the program finds as the user's file.
    static inline std::string userFile;
    static std::string UserFile() { return userFile; }

    // One run: reads the file, sets Execute, saves; what it read and whether it saved.
    std::pair<std::string, bool> Run(const std::string &execute) const {
        IniFile ini(beside, "Tovimar", UserFile);
        std::pair<std::string, bool> result{ini.ReadString("Execute", "none"), false};
        ini.WriteString("Execute", execute);
        result.second = ini.Save();
        return result;
    }
};

const std::string BesideText = "; mine\r\n[Tovimar]\r\nExecute=1\r\nMine=kept\r\n";

TEST(SettingsPlace, ReadOnlyFileBesideTheProgramGivesWayToTheUsersFile) {
    Places places;
    ASSERT_TRUE(WriteWholeFile(places.beside, BesideText));
    ASSERT_TRUE(::SetFileAttributesA(places.beside.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(IniFile(places.beside, "Tovimar", Places::UserFile).SavedTo(), places.user);
    EXPECT_EQ(places.Run("2"), std::make_pair(std::string("1"), true));
    EXPECT_EQ(ReadWholeFile(places.user), "; mine\r\n[Tovimar]\r\nExecute=2\r\nMine=kept\r\n");
    // From then on the user's file is read and written.
    EXPECT_EQ(places.Run("3"), std::make_pair(std::string("2"), true));
    EXPECT_EQ(ReadWholeFile(places.user), "; mine\r\n[Tovimar]\r\nExecute=3\r\nMine=kept\r\n");
    EXPECT_EQ(ReadWholeFile(places.beside), BesideText);
}

TEST(SettingsPlace, FolderBesideTheProgramGivesWayToTheUsersFile) {
    Places places;
    ASSERT_TRUE(::CreateDirectoryA(places.beside.c_str(), nullptr));
    EXPECT_EQ(places.Run("2"), std::make_pair(std::string("none"), true));
    EXPECT_EQ(ReadWholeFile(places.user), "[Tovimar]\r\nExecute=2\r\n");
    EXPECT_EQ(places.Run("3"), std::make_pair(std::string("2"), true));
}

TEST(SettingsPlace, WritableFileBesideTheProgramLeavesTheUsersFileAlone) {
    // Written or missing: the folder takes the file, so it stays the place.
    for (const bool written : {true, false}) {
        Places places;
        if (written) {
            ASSERT_TRUE(WriteWholeFile(places.beside, BesideText));
        }
        ASSERT_TRUE(::CreateDirectoryA((places.temp / "Tovimar").c_str(), nullptr));
        ASSERT_TRUE(WriteWholeFile(places.user, "[Tovimar]\r\nExecute=7\r\n"));
        EXPECT_EQ(IniFile(places.beside, "Tovimar", Places::UserFile).SavedTo(), places.beside);
        EXPECT_EQ(places.Run("2").first, written ? "1" : "none");
        EXPECT_EQ(ReadWholeFile(places.user), "[Tovimar]\r\nExecute=7\r\n");
        EXPECT_EQ(IniFile(places.beside, "Tovimar").ReadString("Execute", ""), "2");
        // The folder's test left nothing behind.
        EXPECT_EQ(::GetFileAttributesA((places.beside + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST(SettingsPlace, UsersFileMadeMeanwhileKeepsWhatItHolds) {
    Places places;
    ASSERT_TRUE(::CreateDirectoryA(places.beside.c_str(), nullptr));
    IniFile ini(places.beside, "Tovimar", Places::UserFile);
    ini.WriteString("Execute", "2");
    // Another instance saved there first.
    ASSERT_TRUE(::CreateDirectoryA((places.temp / "Tovimar").c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(places.user, "[Tovimar]\r\nExecute=9\r\nTimeFormat=yy\r\n"));
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(ReadWholeFile(places.user), "[Tovimar]\r\nExecute=2\r\nTimeFormat=yy\r\n");
}

TEST(SettingsPlace, FailsWhenNeitherFileCanBeWritten) {
    Places places;
    ASSERT_TRUE(WriteWholeFile(places.beside, BesideText));
    ASSERT_TRUE(::SetFileAttributesA(places.beside.c_str(), FILE_ATTRIBUTE_READONLY));
    // A file where the user's folder would be.
    ASSERT_TRUE(WriteWholeFile(places.temp / "Tovimar", ""));
    IniFile ini(places.beside, "Tovimar", Places::UserFile);
    ini.WriteString("Execute", "2");
    EXPECT_FALSE(ini.Save());
    EXPECT_EQ(ini.FileName(), places.beside);
    EXPECT_EQ(ReadWholeFile(places.beside), BesideText);
}

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
            if (row.codePage == 0 || row.codePage == ::GetACP())
                ini.WriteString(row.key, row.value);
        }
        ASSERT_TRUE(ini.Save());
    }
    IniFile ini(file, "Tovimar");
    for (const auto &row : rows) {
        if (row.codePage != 0 && row.codePage != ::GetACP()) continue;
        EXPECT_EQ(ini.ReadString(row.key, "default"), row.readBack) << row.key;
    }
    EXPECT_EQ(ini.ReadString("Missing", "yymmddhhnnss"), "yymmddhhnnss");
    EXPECT_EQ(IniFile(file, "Other").ReadString("Ext0", "none"), "none");
}

TEST(IniFile, Utf8ValuesInTheCodePageOrTheDefault) {
    TempFolder temp;
    const std::string file = temp / "Tovimar.ini";
    // 年 fits code page 932, é fits 1252; neither fits the other.
    const std::string text = "[Tovimar]\r\nA=yyyy'\xE5\xB9\xB4'\r\nB=\xC3\xA9\r\n";
    ASSERT_TRUE(tovimar::wintest::WriteWholeFile(file, text));
    IniFile ini(file, "Tovimar");
    const bool japanese = ::GetACP() == 932;
    EXPECT_EQ(ini.ReadString("A", "d"), japanese ? "yyyy'\x94\x4E'" : "d");
    EXPECT_EQ(ini.ReadString("B", "d"), japanese ? "d" : "\xE9");
    ini.WriteString("A", ini.ReadString("A", "d"));
    ini.WriteString("B", ini.ReadString("B", "d"));
    ini.WriteString("C", japanese ? "\x94\x4E" : "\xE9");
    ASSERT_TRUE(ini.Save());
    EXPECT_EQ(tovimar::wintest::ReadWholeFile(file),
              text + (japanese ? "C=\xE5\xB9\xB4\r\n" : "C=\xC3\xA9\r\n"));
}

TEST(IniFile, LeavesTheFileOnDiskWhenSaved) {
    TempFolder temp;
    const std::string file = temp / "Tovimar.ini";
    {
        IniFile ini(file, "Tovimar");
        ini.WriteString("Execute", "17");
        ini.WriteString("Ext0", "");
        ASSERT_TRUE(ini.Save());
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
    ini.WriteString("Execute", "1");
    EXPECT_FALSE(ini.Save());
    // Nothing is left beside it.
    EXPECT_EQ(::GetFileAttributesA((file + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(IniFile, LeavesAReadOnlyFileAlone) {
    TempFolder temp;
    const std::string file = temp / "Tovimar.ini";
    ASSERT_TRUE(tovimar::wintest::WriteWholeFile(file, "[Tovimar]\r\nExecute=1\r\n"));
    ASSERT_TRUE(::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
    IniFile ini(file, "Tovimar");
    ini.WriteString("Execute", "2");
    EXPECT_FALSE(ini.Save());
    ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(tovimar::wintest::ReadWholeFile(file), "[Tovimar]\r\nExecute=1\r\n");
}

} // namespace
