// The settings file on disk: read once, saved through a file that replaces it.
#include "WinTestSupport.h"
#include "platform/IniFile.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <vector>

using tovimar::platform::FromAnsi;
using tovimar::platform::IniFile;
using tovimar::wintest::ReadWholeFile;
using tovimar::wintest::TempFolder;
using tovimar::wintest::WriteWholeFile;

namespace {

// What the program finds as the user's own settings file.
std::string userFile;
std::wstring UserFile() {
    return FromAnsi(userFile);
}

TEST(SettingsPlace, FileBesideTheProgramOrTheUsersOwn) {
    enum class Beside { Writable, Missing, ReadOnly, Folder };
    enum class User { None, Written, MadeBeforeTheSave, FolderBlocked };
    const std::string seed = "; mine\r\n[Tovimar]\r\nExecute=1\r\n";
    const std::string user = "[Tovimar]\r\nExecute=7\r\nMine=kept\r\n";
    struct Row {
        Beside beside;
        User user;
        std::string read;
        std::optional<std::string> besideAfter, userAfter;
        // The file beside the program starts with a comment line larger than 1 MiB.
        bool large = false;
    };
    const std::string comment = "; " + std::string(3 << 19, 'x') + "\r\n";
    const Row rows[] = {
        {Beside::Writable, User::Written, "1", "; mine\r\n[Tovimar]\r\nExecute=2\r\n", user},
        {Beside::Missing, User::Written, "none", "[Tovimar]\r\nExecute=2\r\n", user},
        {Beside::ReadOnly, User::None, "1", seed, "; mine\r\n[Tovimar]\r\nExecute=2\r\n"},
        {Beside::Folder, User::None, "none", std::nullopt, "[Tovimar]\r\nExecute=2\r\n"},
        // Another instance saved there first: its values stay.
        {Beside::Folder, User::MadeBeforeTheSave, "none", std::nullopt,
         "[Tovimar]\r\nExecute=2\r\nMine=kept\r\n"},
        {Beside::ReadOnly, User::FolderBlocked, "1", seed, std::nullopt},
        {Beside::ReadOnly, User::None, "1", comment + seed,
         comment + "; mine\r\n[Tovimar]\r\nExecute=2\r\n", true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(int(&row - rows));
        // The temp folder stands for the application data, without the program's folder.
        TempFolder temp;
        const std::string beside = temp / "Tovimar.ini", folder = temp / "Tovimar";
        userFile = folder + "\\Tovimar.ini";
        auto makeUser = [&] {
            return ::CreateDirectoryA(folder.c_str(), nullptr) && WriteWholeFile(userFile, user);
        };
        bool ready = row.beside != Beside::Folder || ::CreateDirectoryA(beside.c_str(), nullptr);
        if (row.beside == Beside::Writable || row.beside == Beside::ReadOnly)
            ready = ready && WriteWholeFile(beside, row.large ? comment + seed : seed);
        if (row.beside == Beside::ReadOnly)
            ready = ready && ::SetFileAttributesA(beside.c_str(), FILE_ATTRIBUTE_READONLY);
        if (row.user == User::Written) ready = ready && makeUser();
        if (row.user == User::FolderBlocked) ready = ready && WriteWholeFile(folder, "");
        ASSERT_TRUE(ready);

        IniFile ini(FromAnsi(beside), "Tovimar", UserFile);
        const bool besideWritable = row.beside <= Beside::Missing;
        EXPECT_EQ(ini.SavedTo(), FromAnsi(besideWritable ? beside : userFile));
        EXPECT_EQ(ini.ReadString("Execute", "none"), row.read);
        ini.WriteString("Execute", "2");
        ASSERT_TRUE(row.user != User::MadeBeforeTheSave || makeUser());
        EXPECT_EQ(ini.Save(), row.user != User::FolderBlocked);
        // The file read, which a failure names.
        EXPECT_EQ(ini.FileName(), FromAnsi(beside));
        EXPECT_EQ(ReadWholeFile(beside), row.besideAfter);
        EXPECT_EQ(ReadWholeFile(userFile), row.userAfter);
        EXPECT_EQ(::GetFileAttributesA((beside + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
    }
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
        IniFile ini(FromAnsi(file), "Tovimar");
        for (const auto &row : rows) {
            if (row.codePage == 0 || row.codePage == ::GetACP())
                ini.WriteString(row.key, row.value);
        }
        ASSERT_TRUE(ini.Save());
    }
    IniFile ini(FromAnsi(file), "Tovimar");
    for (const auto &row : rows) {
        if (row.codePage != 0 && row.codePage != ::GetACP()) continue;
        EXPECT_EQ(ini.ReadString(row.key, "default"), row.readBack) << row.key;
    }
    EXPECT_EQ(ini.ReadString("Missing", "yymmddhhnnss"), "yymmddhhnnss");
    EXPECT_EQ(IniFile(FromAnsi(file), "Other").ReadString("Ext0", "none"), "none");
}

TEST(IniFile, Utf8ValuesInTheCodePageOrTheDefault) {
    TempFolder temp;
    const std::string file = temp / "Tovimar.ini";
    // 年 fits code page 932, é fits 1252; neither fits the other.
    const std::string text = "[Tovimar]\r\nA=yyyy'\xE5\xB9\xB4'\r\nB=\xC3\xA9\r\n";
    ASSERT_TRUE(tovimar::wintest::WriteWholeFile(file, text));
    IniFile ini(FromAnsi(file), "Tovimar");
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
        IniFile ini(FromAnsi(file), "Tovimar");
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
    IniFile ini(FromAnsi(file), "Tovimar");
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
    IniFile ini(FromAnsi(file), "Tovimar");
    ini.WriteString("Execute", "2");
    EXPECT_FALSE(ini.Save());
    ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(tovimar::wintest::ReadWholeFile(file), "[Tovimar]\r\nExecute=1\r\n");
}

// A program folder, or a user's one, that the ANSI code page cannot name holds the settings like
// any other: read, saved, and the user's folder made at the first save.
TEST(IniFile, KeepsItsFileInAFolderOutsideTheCodePage) {
    TempFolder temp;
    const std::wstring folder = FromAnsi(temp.Path()) + L"\\\x00E9\xD55C \U0001F600";
    const std::wstring beside = folder + L"\\Tovimar.ini";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    {
        IniFile ini(beside, "Tovimar");
        ini.WriteString("Execute", "5");
        ASSERT_TRUE(ini.Save());
    }
    EXPECT_EQ(IniFile(beside, "Tovimar").ReadString("Execute", "none"), "5");

    // The folder beside the program is a file: the user's own folder takes the save.
    const std::wstring blocked = folder + L"\\blocked.ini";
    ASSERT_TRUE(::CreateDirectoryW(blocked.c_str(), nullptr));
    userFile = tovimar::platform::FromWide(CP_UTF8, folder + L"\\\x00FC\\Tovimar.ini");
    IniFile ini(blocked, "Tovimar", [] { return tovimar::platform::ToWide(CP_UTF8, userFile); });
    ini.WriteString("Execute", "6");
    ASSERT_TRUE(ini.Save());
    const std::wstring user = tovimar::platform::ToWide(CP_UTF8, userFile);
    EXPECT_EQ(ini.SavedTo(), user);
    EXPECT_EQ(IniFile(user, "Tovimar").ReadString("Execute", "none"), "6");
    ::DeleteFileW(user.c_str());
    ::RemoveDirectoryW(user.substr(0, user.rfind(L'\\')).c_str());
    ::RemoveDirectoryW(blocked.c_str());
    ::DeleteFileW(beside.c_str());
    ::RemoveDirectoryW(folder.c_str());
}

} // namespace
