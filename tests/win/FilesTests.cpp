// On-disk lookups against a real folder tree.
#include "WinTestSupport.h"
#include "platform/Arguments.h"
#include "platform/Files.h"
#include "platform/Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace tovimar::platform;
using tovimar::wintest::AsciiLower;
using tovimar::wintest::TempFolder;

namespace {

const std::string Kanji = "\x95\x5C"; // its trail byte equals the path delimiter

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(::CreateDirectoryA((temp / "Long Folder Name").c_str(), nullptr));
        ASSERT_TRUE(tovimar::wintest::WriteWholeFile(FilePath(), "content"));
        // The temp folder's own on-disk form; checked below, then the base of expectations.
        base = ResolveLongPath(temp.Path());
        ASSERT_EQ(AsciiLower(base), AsciiLower(temp.Path()));
    }
    std::string FilePath() const { return temp / "Long Folder Name\\Mixed Case File.txt"; }

    TempFolder temp;
    std::string base;
};

// Runs with the current folder set to the temp folder, restored afterwards.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string &path) {
        char saved[MAX_PATH + 1] = {};
        saved_.assign(saved, ::GetCurrentDirectoryA(MAX_PATH, saved));
        ok_ = ::SetCurrentDirectoryA(path.c_str()) != FALSE;
    }
    ~CurrentFolder() { ::SetCurrentDirectoryA(saved_.c_str()); }
    bool Ok() const { return ok_; }

private:
    std::string saved_;
    bool ok_;
};

TEST_F(FilesTest, ResolveLongPathTakesTheOnDiskForm) {
    char shortForm[MAX_PATH + 1] = {};
    DWORD length = ::GetShortPathNameA(FilePath().c_str(), shortForm, MAX_PATH);
    ASSERT_GT(length, 0u) << "error " << ::GetLastError();
    ASSERT_NE(std::string(shortForm, length), FilePath());
    const std::string full = base + "\\Long Folder Name\\Mixed Case File.txt";
    const std::string lower = AsciiLower(base);
    const std::vector<std::pair<std::string, std::string>> rows = {
        {std::string(shortForm, length), full},
        {lower + "\\long folder name\\mixed case file.txt", lower.substr(0, 2) + full.substr(2)},
        {base + "\\long folder name\\Missing\\file.txt",
         base + "\\Long Folder Name\\Missing\\file.txt"},
        {base + "\\long folder name\\", base + "\\long folder name\\"},
        {base + "\\long folder name\\mixed*.txt", base + "\\Long Folder Name\\mixed*.txt"},
        {"C:\\", "C:\\"},
        {"c:", "c:"},
        {"", ""},
    };
    for (const auto &[input, expected] : rows)
        EXPECT_EQ(ResolveLongPath(input), expected) << input;
}

TEST_F(FilesTest, ResolveLongPathKeepsRelativeAndRootedForms) {
    CurrentFolder here(temp.Path());
    ASSERT_TRUE(here.Ok());
    const std::string rooted = base.substr(2); // \users\...\tovimar-test-n on the current drive
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"long folder name\\MIXED CASE FILE.TXT", "Long Folder Name\\Mixed Case File.txt"},
        {"long folder name", "Long Folder Name"},
        {"nothing\\here.txt", "nothing\\here.txt"},
        {AsciiLower(rooted) + "\\long folder name", rooted + "\\Long Folder Name"},
    };
    for (const auto &[input, expected] : rows)
        EXPECT_EQ(ResolveLongPath(input), expected) << input;
}

TEST_F(FilesTest, ResolveLongPathPassesOverADelimiterTrailByte) {
    if (::GetACP() != 932) GTEST_SKIP() << "needs code page 932";
    ASSERT_TRUE(::CreateDirectoryA((temp / Kanji).c_str(), nullptr));
    ASSERT_TRUE(tovimar::wintest::WriteWholeFile(temp / (Kanji + "\\a.txt"), "x"));
    const std::vector<std::pair<std::string, std::string>> rows = {
        {base + "\\" + Kanji, base + "\\" + Kanji},
        {base + "\\" + Kanji + "\\A.TXT", base + "\\" + Kanji + "\\a.txt"},
        {base + "\\" + Kanji + "\\b.txt", base + "\\" + Kanji + "\\b.txt"},
    };
    for (const auto &[input, expected] : rows)
        EXPECT_EQ(ResolveLongPath(input), expected) << input;
    EXPECT_TRUE(FileIsPresent(base + "\\" + Kanji + "\\a.txt"));
    EXPECT_TRUE(FolderIsPresent(base + "\\" + Kanji));
}

TEST_F(FilesTest, ExistenceOfFilesAndFolders) {
    using tovimar::wintest::LastWriteYear;
    using tovimar::wintest::SetLastWriteYear;
    for (const char *name : {"old.txt", "future.txt"})
        ASSERT_TRUE(tovimar::wintest::WriteWholeFile(temp / name, "dated"));
    ASSERT_TRUE(SetLastWriteYear(temp / "old.txt", 1975));
    ASSERT_TRUE(SetLastWriteYear(temp / "future.txt", 2150));
    ASSERT_EQ(LastWriteYear(temp / "old.txt"), 1975);
    ASSERT_EQ(LastWriteYear(temp / "future.txt"), 2150);

    struct Row {
        std::string name;
        bool file;
        bool folder;
    };
    const std::vector<Row> rows = {
        {"Long Folder Name", false, true},
        {"Long Folder Name\\Mixed Case File.txt", true, false},
        {"long folder name\\mixed case file.TXT", true, false},
        {"missing.txt", false, false},
        {"Long Folder Name\\missing\\x.txt", false, false},
        {"old.txt", true, false},    // before 1980: still a file that is there
        {"future.txt", true, false}, // after 2107 likewise
        {"Long Folder Name\\Mixed?Case*", true, false},
        {"Long*", false, false}, // the first match is a folder
        {"o?d.txt", true, false},
        {std::string("old.txt\0x", 9), false, false},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(FileIsPresent(temp / row.name), row.file) << row.name;
        EXPECT_EQ(FolderIsPresent(temp / row.name), row.folder) << row.name;
    }
    EXPECT_FALSE(FileIsPresent(""));
    EXPECT_FALSE(FolderIsPresent(""));
}

TEST_F(FilesTest, ExclusiveOpenFailsWhileAnotherProcessHoldsTheFile) {
    EXPECT_EQ(OpenForExclusiveRead(FilePath()), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(OpenForExclusiveRead(temp / "missing.txt"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    const std::string ready = temp / "ready", release = temp / "release";
    std::string line = "\"" + tovimar::wintest::HelperPath("HoldOpen.exe") + "\" \"" + FilePath() +
                       "\" \"" + ready + "\" \"" + release + "\"";
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION holder{};
    ASSERT_TRUE(::CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &holder));
    bool started = tovimar::wintest::WaitForFile(ready);
    DWORD whileHeld = OpenForExclusiveRead(FilePath());
    tovimar::wintest::WriteWholeFile(release, "");
    ::WaitForSingleObject(holder.hProcess, INFINITE);
    DWORD exitCode = 99;
    ::GetExitCodeProcess(holder.hProcess, &exitCode);
    ::CloseHandle(holder.hThread);
    ::CloseHandle(holder.hProcess);

    ASSERT_TRUE(started);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(whileHeld, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(OpenForExclusiveRead(FilePath()), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(tovimar::wintest::ReadWholeFile(FilePath()), "content");
}

bool MakeFile(const std::wstring &path) {
    const HANDLE file =
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    return file != INVALID_HANDLE_VALUE && ::CloseHandle(file);
}

struct FolderEntryRow {
    std::wstring name;
    bool folder;
    bool hidden;
    bool fits; // the name fits every ANSI code page the tests run under
};

// Every entry but "." and "..", with the kind and attributes the walk sorts them by.
TEST_F(FilesTest, ListFolderGivesEveryEntryButTheDots) {
    const std::wstring folder = FromAnsi(temp / "scan\\");
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::vector<FolderEntryRow> rows = {
        {L"a.txt", false, false, true},
        {L"sub", true, false, true},
        // Starts like a dot entry. Hidden by its attribute on Windows, by its leading dot under
        // Wine, which does not keep the attribute on this file system.
        {L"..hidden", false, true, true},
        {L"\xD55C.txt", false, false, false}, // hangul: no ANSI code page here holds it
    };
    for (const auto &row : rows) {
        const std::wstring path = folder + row.name;
        ASSERT_TRUE(row.folder ? ::CreateDirectoryW(path.c_str(), nullptr) : MakeFile(path));
        if (row.hidden) {
            ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
        }
    }
    const std::vector<tovimar::FolderEntry> entries = ListFolder(temp / "scan");
    ASSERT_EQ(entries.size(), rows.size());
    for (const auto &row : rows) {
        const std::string name = ToAnsi(row.name);
        auto found = std::find_if(entries.begin(), entries.end(),
                                  [&](const tovimar::FolderEntry &e) { return e.Name == name; });
        ASSERT_NE(found, entries.end()) << name;
        EXPECT_EQ(found->IsFolder, row.folder) << name;
        EXPECT_EQ(found->Hidden, row.hidden) << name;
        EXPECT_EQ(found->FitsCodePage, row.fits) << name;
    }
    EXPECT_TRUE(ListFolder(temp / "missing").empty());
}

// The program's own file beside it: this test program is found by its name.
TEST_F(FilesTest, ProgramFolderFileIsBesideTheProgram) {
    const std::wstring module = ModulePath();
    const std::wstring self = ProgramFolderFile(module.substr(module.find_last_of(L'\\') + 1));
    EXPECT_NE(::GetFileAttributesW(self.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
