// The execution's decisions over the real disk, through the adapter's file system.
#include "WinTestSupport.h"
#include "core/Execution.h"
#include "core/Messages.h"
#include "platform/Handles.h"
#include "platform/Files.h"
#include "platform/Locale.h"
#include "platform/WinFileSystem.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tovimar;
using tovimar::platform::FileHandle;
using tovimar::platform::FindHandle;
using tovimar::platform::WinFileSystem;
using tovimar::wintest::ReadWholeFile;
using tovimar::wintest::SetLastWriteYear;
using tovimar::wintest::TempFolder;
using tovimar::wintest::WriteWholeFile;

namespace {

std::vector<std::string> Listing(const std::string &folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    FindHandle search(::FindFirstFileA((folder + "\\*").c_str(), &entry));
    for (bool more = search.IsValid(); more; more = ::FindNextFileA(search.Get(), &entry)) {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    }
    return names;
}

TEST(WinFileSystem, ExclusiveOpenTellsAHolderFromOtherFailures) {
    TempFolder temp;
    ASSERT_TRUE(WriteWholeFile(temp / "free.txt", "f"));
    ASSERT_TRUE(WriteWholeFile(temp / "held.txt", "h"));
    ASSERT_TRUE(::CreateDirectoryA((temp / "folder").c_str(), nullptr));
    // Share modes are checked per handle, so a handle of this process holds the file as well
    // as another program would.
    FileHandle holder(::CreateFileA((temp / "held.txt").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder.IsValid());

    const struct {
        const char *Name;
        OpenResult Expected;
    } rows[] = {
        {"free.txt", OpenResult::Ok},
        {"held.txt", OpenResult::InUse},
        {"missing.txt", OpenResult::Failed},
        {"folder", OpenResult::Failed},
    };
    WinFileSystem disk(nullptr);
    for (const auto &row : rows)
        EXPECT_EQ(disk.OpenForExclusiveRead(temp / row.Name), row.Expected) << row.Name;
}

// Every kind of entry under the destination name stops the rename: the shell of newer
// systems would replace it without a word.
// The execution's operations reach the shell as its codes; only 0 comes back as done.
TEST(WinFileSystem, ShellCodesStayInTheAdapter) {
    EXPECT_EQ(platform::ShellOperationCode(DiskOperation::Rename), 4u);
    EXPECT_EQ(platform::ShellOperationCode(DiskOperation::Delete), 3u);
    const struct {
        int Raw;
        OperationResult Expected;
    } rows[] = {{0, OperationResult::Done},
                {ERROR_FILE_NOT_FOUND, OperationResult::Failed},
                {ERROR_ALREADY_EXISTS, OperationResult::Failed},
                {0x7C, OperationResult::Failed}, // one of the shell's own DE_ codes
                {-1, OperationResult::Failed}};
    for (const auto &row : rows)
        EXPECT_EQ(platform::ClassifyShellResult(row.Raw), row.Expected) << row.Raw;
}

TEST(WinFileSystem, AnyExistingDestinationSurvives) {
    enum Kind { Plain, Old, Hidden, Folder };
    const struct {
        const char *Destination;
        Kind How;
    } rows[] = {
        {"B.TXT", Plain},
        {"b.txt", Old},
        {"b.txt", Hidden},
        {"b.txt", Folder},
    };
    for (const auto &row : rows) {
        TempFolder temp;
        ASSERT_TRUE(WriteWholeFile(temp / "a.txt", "target"));
        const std::string other = temp / row.Destination;
        if (row.How == Folder) {
            ASSERT_TRUE(::CreateDirectoryA(other.c_str(), nullptr));
        } else {
            ASSERT_TRUE(WriteWholeFile(other, "other"));
        }
        if (row.How == Old) {
            ASSERT_TRUE(SetLastWriteYear(other, 1975));
        }
        if (row.How == Hidden) {
            ASSERT_TRUE(::SetFileAttributesA(other.c_str(), FILE_ATTRIBUTE_HIDDEN |
                                                                FILE_ATTRIBUTE_SYSTEM |
                                                                FILE_ATTRIBUTE_READONLY));
        }

        WinFileSystem disk(nullptr);
        const ExecutionOutcome outcome = RenameOrDelete(
            platform::AnsiCharacterRule(), {temp / "a.txt", false, false, "b", ".txt"}, disk);
        ASSERT_TRUE(outcome.Title.has_value()) << row.Destination << " " << row.How;
        EXPECT_EQ(outcome.Title->Bytes(), msg::NameTaken) << row.Destination << " " << row.How;
        EXPECT_EQ(outcome.End, Ending::Stay);
        EXPECT_EQ(ReadWholeFile(temp / "a.txt"), "target");
        if (row.How != Folder) {
            EXPECT_EQ(ReadWholeFile(other), "other") << row.How;
        }
        if (row.How == Hidden) ::SetFileAttributesA(other.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// Z:name.txt names a file in Z:'s current folder; made full at start, its rename stays there.
TEST(WinFileSystem, DriveRelativeTargetStaysInItsFolder) {
    TempFolder temp;
    ASSERT_TRUE(WriteWholeFile(temp / "drel.txt", "content"));
    char saved[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, saved);
    ASSERT_TRUE(::SetCurrentDirectoryA(temp.Path().c_str()));
    const std::string drive = temp.Path().substr(0, 2);
    const std::string target = platform::FullPath(drive + "drel.txt");
    ::SetCurrentDirectoryA(saved);

    WinFileSystem disk(nullptr);
    const ExecutionOutcome outcome = RenameOrDelete(platform::AnsiCharacterRule(),
                                                    {target, false, false, "drel2", ".txt"}, disk);
    EXPECT_EQ(outcome.End, Ending::Close);
    EXPECT_EQ(Listing(temp.Path()), std::vector<std::string>{"drel2.txt"});
    EXPECT_EQ(::GetFileAttributesA((drive + "\\drel2.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(WinFileSystem, CaseOnlyRenameChangesTheNameOnDisk) {
    const struct {
        const char *From;
        const char *Name;
        const char *Extension;
        bool Folder;
    } rows[] = {
        {"readme.txt", "README", ".txt", false},
        {"readme.txt", "Readme", ".TXT", false},
        {"photos", "Photos", "", true},
    };
    for (const auto &row : rows) {
        TempFolder temp;
        const std::string from = temp / row.From;
        if (row.Folder) {
            ASSERT_TRUE(::CreateDirectoryA(from.c_str(), nullptr));
        } else {
            ASSERT_TRUE(WriteWholeFile(from, "content"));
        }
        WinFileSystem disk(nullptr);
        const ExecutionOutcome outcome =
            RenameOrDelete(platform::AnsiCharacterRule(),
                           {from, row.Folder, false, row.Name, row.Extension}, disk);
        EXPECT_FALSE(outcome.Title.has_value()) << row.Name;
        EXPECT_EQ(outcome.End, Ending::Close);

        const std::string wanted = std::string(row.Name) + row.Extension;
        EXPECT_EQ(platform::FindEntryName(temp / wanted), wanted);
        // One entry, under the new spelling: no temporary name left behind.
        EXPECT_EQ(Listing(temp.Path()), std::vector<std::string>{wanted});
        if (!row.Folder) {
            EXPECT_EQ(ReadWholeFile(temp / wanted), "content");
        }
    }
}

// The platform's disk with no limit known beforehand, like a share that does not tell it.
class UnwarnedDisk final : public WinFileSystem {
public:
    UnwarnedDisk() : WinFileSystem(nullptr) {}
    bool NameFits(const std::string &, const std::string &) override { return true; }
};

// A Linux file system keeps 255 bytes of UTF-8 per name and Wine cuts a longer one without a
// word; Windows keeps 255 UTF-16 units, so there the same name is fine.
TEST(WinFileSystem, NameTooLongForTheFileSystemKeepsTheFile) {
    const bool wine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
    std::string name;
    if (::GetACP() == 932) {
        for (int i = 0; i < 100; ++i)
            name += "\x82\x60"; // full-width A: 3 bytes in UTF-8
    } else if (::GetACP() == 1252) {
        // e acute: 2 bytes in UTF-8. The "a" puts Wine's cut between two characters; inside
        // one, its rename fails outright.
        name = "a" + std::string(130, '\xE9');
    } else {
        GTEST_SKIP() << "needs code page 932 or 1252";
    }
    for (const bool warned : {true, false}) {
        SCOPED_TRACE(warned ? "refused beforehand" : "put back");
        TempFolder temp;
        ASSERT_TRUE(WriteWholeFile(temp / "photo.txt", "content"));
        WinFileSystem platformDisk(nullptr);
        UnwarnedDisk unwarnedDisk;
        WinFileSystem &disk = warned ? platformDisk : unwarnedDisk;
        const ExecutionOutcome outcome = RenameOrDelete(
            platform::AnsiCharacterRule(), {temp / "photo.txt", false, false, name, ".txt"}, disk);

        if (!wine) {
            EXPECT_EQ(outcome.End, Ending::Close);
            EXPECT_EQ(Listing(temp.Path()), std::vector<std::string>{name + ".txt"});
            continue;
        }
        ASSERT_TRUE(outcome.Title.has_value());
        EXPECT_EQ(outcome.Title->Bytes(), msg::NameTooLongForDrive);
        EXPECT_EQ(outcome.End, Ending::Stay);
        EXPECT_EQ(Listing(temp.Path()), std::vector<std::string>{"photo.txt"});
        EXPECT_EQ(ReadWholeFile(temp / "photo.txt"), "content");
    }
}

} // namespace
