#include "core/Execution.h"
#include "core/Messages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

namespace tovimar {
namespace {

// How the platform treats a rename that changes only letter case.
enum class CaseRename {
    Applies,    // Windows: the new spelling is on disk, result 0
    Refuses,    // Wine's shell: 183, nothing changes
    SilentNoOp, // Wine's MoveFile: 0, nothing changes
};

struct Entry {
    std::string Path;
    bool Folder = false;
    bool OldTime = false; // before 1980: the presence tests do not see it
};

std::string Upper(std::string s) {
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// A case-insensitive disk, like the platform's.
class FakeDisk : public FileSystem {
public:
    std::vector<Entry> Entries;
    OpenResult Open = OpenResult::Ok;
    int ShellError = 0;             // every shell call fails with it when not 0
    std::string FailingDestination; // a rename onto this path fails
    CaseRename CaseOnly = CaseRename::Applies;
    int Opens = 0;
    std::vector<ShellOperation> Operations;

    bool FileIsPresent(const std::string &path) override {
        const Entry *e = Find(path);
        return e && !e->Folder && !e->OldTime;
    }
    bool FolderIsPresent(const std::string &path) override {
        const Entry *e = Find(path);
        return e && e->Folder;
    }
    OpenResult OpenForExclusiveRead(const std::string &) override {
        ++Opens;
        return Open;
    }
    int ShellFileOperation(const std::string &source, const std::string &destination,
                           ShellOperation operation) override {
        Operations.push_back(operation);
        if (ShellError != 0) return ShellError;
        Entry *from = Find(source);
        if (!from) return 2;
        if (operation == ShellOperation::Delete) {
            Entries.erase(Entries.begin() + (from - Entries.data()));
            return 0;
        }
        if (destination == FailingDestination) return 5;
        const Entry *to = Find(destination);
        if (to == from) {
            if (CaseOnly == CaseRename::Refuses) return 183;
            if (CaseOnly == CaseRename::SilentNoOp) return 0;
        } else if (to) {
            return 183;
        }
        from->Path = destination;
        return 0;
    }
    std::string UpperCase(std::string text) override { return Upper(std::move(text)); }
    std::optional<std::string> EntryName(const std::string &path) override {
        const Entry *e = Find(path);
        if (!e) return std::nullopt;
        return e->Path.substr(e->Path.rfind('\\') + 1);
    }

    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (const Entry &e : Entries)
            paths.push_back(e.Path);
        std::sort(paths.begin(), paths.end());
        return paths;
    }

private:
    // The exact spelling first: a case-sensitive folder may hold a.txt beside A.txt.
    Entry *Find(const std::string &path) {
        for (Entry &e : Entries)
            if (e.Path == path) return &e;
        for (Entry &e : Entries)
            if (Upper(e.Path) == Upper(path)) return &e;
        return nullptr;
    }
};

const std::string DeleteName(msg::DeleteName);

struct Row {
    const char *Case;
    std::vector<Entry> Disk;
    ExecutionRequest Request;
    OpenResult Open;
    CaseRename CaseOnly;
    int ShellError;
    std::string FailingDestination;
    // expected
    std::optional<std::string_view> Title;
    bool Pause;
    Ending End;
    bool UpdateHistory;
    std::string NewPath;
    std::vector<std::string> DiskAfter;
};

constexpr auto Ok = OpenResult::Ok;
constexpr auto Applies = CaseRename::Applies;
constexpr auto Refuses = CaseRename::Refuses;
constexpr auto NoTitle = std::nullopt;

const Row Rows[] = {
    {"plain rename",
     {{"C:\\Work\\a.txt"}},
     {"C:\\Work\\a.txt", false, false, "b", ".txt"},
     Ok,
     Applies,
     0,
     "",
     NoTitle,
     false,
     Ending::Close,
     true,
     "C:\\Work\\b.txt",
     {"C:\\Work\\b.txt"}},
    {"unchanged name",
     {{"C:\\Work\\a.txt"}},
     {"C:\\Work\\a.txt", false, false, "a", ".txt"},
     Ok,
     Applies,
     0,
     "",
     msg::NameUnchanged,
     false,
     Ending::Stay,
     false,
     "C:\\Work\\a.txt",
     {"C:\\Work\\a.txt"}},
    {"taken in other case",
     {{"C:\\W\\a.txt"}, {"C:\\W\\B.TXT"}},
     {"C:\\W\\a.txt", false, false, "b", ".txt"},
     Ok,
     Applies,
     0,
     "",
     msg::NameTaken,
     false,
     Ending::Stay,
     false,
     "C:\\W\\b.txt",
     {"C:\\W\\B.TXT", "C:\\W\\a.txt"}},
    {"case-only rename beside an entry of the new spelling",
     {{"C:\\W\\a.txt"}, {"C:\\W\\A.txt"}},
     {"C:\\W\\a.txt", false, false, "A", ".txt"},
     Ok,
     Applies,
     0,
     "",
     msg::NameTaken,
     false,
     Ending::Stay,
     false,
     "C:\\W\\A.txt",
     {"C:\\W\\A.txt", "C:\\W\\a.txt"}},
    {"taken by a folder",
     {{"C:\\W\\a.txt"}, {"C:\\W\\b", true}},
     {"C:\\W\\a.txt", false, false, "b", ""},
     Ok,
     Applies,
     0,
     "",
     msg::NameTaken,
     false,
     Ending::Stay,
     false,
     "C:\\W\\b",
     {"C:\\W\\a.txt", "C:\\W\\b"}},
    {"case only, platform applies it",
     {{"C:\\W\\readme.txt"}},
     {"C:\\W\\readme.txt", false, false, "README", ".txt"},
     Ok,
     Applies,
     0,
     "",
     NoTitle,
     false,
     Ending::Close,
     true,
     "C:\\W\\README.txt",
     {"C:\\W\\README.txt"}},
    {"case only, shell refuses",
     {{"C:\\W\\readme.txt"}},
     {"C:\\W\\readme.txt", false, false, "README", ".txt"},
     Ok,
     Refuses,
     0,
     "",
     NoTitle,
     false,
     Ending::Close,
     true,
     "C:\\W\\README.txt",
     {"C:\\W\\README.txt"}},
    {"case only, shell succeeds doing nothing",
     {{"C:\\W\\readme.txt"}},
     {"C:\\W\\readme.txt", false, false, "README", ".txt"},
     Ok,
     CaseRename::SilentNoOp,
     0,
     "",
     NoTitle,
     false,
     Ending::Close,
     true,
     "C:\\W\\README.txt",
     {"C:\\W\\README.txt"}},
    {"case only, second step fails: renamed back",
     {{"C:\\W\\readme.txt"}},
     {"C:\\W\\readme.txt", false, false, "README", ".txt"},
     Ok,
     Refuses,
     0,
     "C:\\W\\README.txt",
     msg::RenameFailed,
     true,
     Ending::Close,
     true,
     "C:\\W\\README.txt",
     {"C:\\W\\readme.txt"}},
    {"case only, first step fails",
     {{"C:\\W\\readme.txt"}},
     {"C:\\W\\readme.txt", false, false, "README", ".txt"},
     Ok,
     Refuses,
     0,
     "C:\\W\\~tovimar0.tmp",
     msg::RenameFailed,
     true,
     Ending::Close,
     true,
     "C:\\W\\README.txt",
     {"C:\\W\\readme.txt"}},
    {"case only skips a temporary name the presence tests miss",
     {{"C:\\W\\readme.txt"}, {"C:\\W\\~tovimar0.tmp", false, true}},
     {"C:\\W\\readme.txt", false, false, "README", ".txt"},
     Ok,
     Refuses,
     0,
     "",
     NoTitle,
     false,
     Ending::Close,
     true,
     "C:\\W\\README.txt",
     {"C:\\W\\README.txt", "C:\\W\\~tovimar0.tmp"}},
    {"case-only folder",
     {{"C:\\W\\photos", true}},
     {"C:\\W\\photos", true, false, "Photos", ""},
     Ok,
     Refuses,
     0,
     "",
     NoTitle,
     false,
     Ending::Close,
     true,
     "C:\\W\\Photos",
     {"C:\\W\\Photos"}},
    {"file in use",
     {{"C:\\W\\a.txt"}},
     {"C:\\W\\a.txt", false, false, "b", ".txt"},
     OpenResult::InUse,
     Applies,
     0,
     "",
     msg::FileInUse,
     true,
     Ending::HideAndRetry,
     false,
     "C:\\W\\b.txt",
     {"C:\\W\\a.txt"}},
    {"file cannot be opened",
     {{"C:\\W\\a.txt"}},
     {"C:\\W\\a.txt", false, false, "b", ".txt"},
     OpenResult::Failed,
     Applies,
     0,
     "",
     msg::CannotOpen,
     false,
     Ending::Stay,
     false,
     "C:\\W\\b.txt",
     {"C:\\W\\a.txt"}},
    {"file gone",
     {},
     {"C:\\W\\a.txt", false, false, "b", ".txt"},
     Ok,
     Applies,
     0,
     "",
     msg::FileNotFound,
     true,
     Ending::Close,
     false,
     "",
     {}},
    {"file older than 1980",
     {{"C:\\W\\a.txt", false, true}},
     {"C:\\W\\a.txt", false, false, "b", ".txt"},
     Ok,
     Applies,
     0,
     "",
     msg::FileNotFound,
     true,
     Ending::Close,
     false,
     "",
     {"C:\\W\\a.txt"}},
    {"folder gone",
     {},
     {"C:\\W\\pics", true, false, "photos", ""},
     Ok,
     Applies,
     0,
     "",
     msg::FolderNotFound,
     true,
     Ending::Close,
     false,
     "",
     {}},
    {"file target now a folder",
     {{"C:\\W\\a", true}},
     {"C:\\W\\a", false, false, "b", ""},
     Ok,
     Applies,
     0,
     "",
     msg::FileNotFound,
     true,
     Ending::Close,
     false,
     "",
     {"C:\\W\\a"}},
    {"folder skips the open test",
     {{"C:\\W\\pics", true}},
     {"C:\\W\\pics", true, false, "photos", ""},
     OpenResult::InUse,
     Applies,
     0,
     "",
     NoTitle,
     false,
     Ending::Close,
     true,
     "C:\\W\\photos",
     {"C:\\W\\photos"}},
    {"empty name",
     {{"C:\\W\\a.txt"}},
     {"C:\\W\\a.txt", false, false, "", ".txt"},
     Ok,
     Applies,
     0,
     "",
     msg::NameEmpty,
     false,
     Ending::Stay,
     false,
     "",
     {"C:\\W\\a.txt"}},
    {"empty extension",
     {{"C:\\W\\x.txt"}},
     {"C:\\W\\x.txt", false, false, "x", ""},
     Ok,
     Applies,
     0,
     "",
     NoTitle,
     false,
     Ending::Close,
     true,
     "C:\\W\\x",
     {"C:\\W\\x"}},
    {"extension without a full stop",
     {{"C:\\W\\x.txt"}},
     {"C:\\W\\x.txt", false, false, "x", "md"},
     Ok,
     Applies,
     0,
     "",
     NoTitle,
     false,
     Ending::Close,
     true,
     "C:\\W\\xmd",
     {"C:\\W\\xmd"}},
    {"bare relative target",
     {{"file.txt"}},
     {"file.txt", false, false, "new", ".txt"},
     Ok,
     Applies,
     0,
     "",
     NoTitle,
     false,
     Ending::Close,
     true,
     "new.txt",
     {"new.txt"}},
    {"file in a drive root",
     {{"C:\\a.txt"}},
     {"C:\\a.txt", false, false, "b", ".txt"},
     Ok,
     Applies,
     0,
     "",
     NoTitle,
     false,
     Ending::Close,
     true,
     "C:\\b.txt",
     {"C:\\b.txt"}},
    {"delete",
     {{"C:\\W\\a.txt"}, {"C:\\W\\z.txt"}},
     {"C:\\W\\a.txt", false, true, DeleteName, ".txt"},
     Ok,
     Applies,
     0,
     "",
     NoTitle,
     false,
     Ending::Close,
     true,
     "C:\\W\\" + DeleteName + ".txt",
     {"C:\\W\\z.txt"}},
    {"delete blocked by the delete name",
     {{"C:\\W\\a.txt"}, {"C:\\W\\" + DeleteName + ".txt"}},
     {"C:\\W\\a.txt", false, true, DeleteName, ".txt"},
     Ok,
     Applies,
     0,
     "",
     msg::NameTaken,
     false,
     Ending::Stay,
     false,
     "C:\\W\\" + DeleteName + ".txt",
     {"C:\\W\\" + DeleteName + ".txt", "C:\\W\\a.txt"}},
    {"delete of a file in use",
     {{"C:\\W\\a.txt"}},
     {"C:\\W\\a.txt", false, true, DeleteName, ".txt"},
     OpenResult::InUse,
     Applies,
     0,
     "",
     msg::FileInUse,
     true,
     Ending::HideAndRetry,
     false,
     "C:\\W\\" + DeleteName + ".txt",
     {"C:\\W\\a.txt"}},
    {"shell failure still closes",
     {{"C:\\W\\a.txt"}},
     {"C:\\W\\a.txt", false, false, "b", ".txt"},
     Ok,
     Applies,
     5,
     "",
     msg::RenameFailed,
     true,
     Ending::Close,
     true,
     "C:\\W\\b.txt",
     {"C:\\W\\a.txt"}},
    {"failed delete",
     {{"C:\\W\\a.txt"}},
     {"C:\\W\\a.txt", false, true, DeleteName, ".txt"},
     Ok,
     Applies,
     5,
     "",
     msg::RenameFailed,
     true,
     Ending::Close,
     true,
     "C:\\W\\" + DeleteName + ".txt",
     {"C:\\W\\a.txt"}},
};

TEST(Execution, Table) {
    for (const Row &row : Rows) {
        SCOPED_TRACE(row.Case);
        FakeDisk disk;
        disk.Entries = row.Disk;
        disk.Open = row.Open;
        disk.CaseOnly = row.CaseOnly;
        disk.ShellError = row.ShellError;
        disk.FailingDestination = row.FailingDestination;

        const ExecutionOutcome outcome = Execute(row.Request, disk);

        EXPECT_EQ(outcome.Title, row.Title ? std::optional<std::string>(*row.Title) : std::nullopt);
        EXPECT_EQ(outcome.Pause, row.Pause);
        EXPECT_EQ(outcome.End, row.End);
        EXPECT_EQ(outcome.UpdateHistory, row.UpdateHistory);
        EXPECT_EQ(outcome.NewPath, row.NewPath);
        std::vector<std::string> expected = row.DiskAfter;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(disk.Paths(), expected);
    }
}

TEST(Execution, OperationCodeFollowsDeleteMode) {
    const struct {
        bool DeleteMode;
        ShellOperation Expected;
    } rows[] = {{false, ShellOperation::Rename}, {true, ShellOperation::Delete}};
    for (const auto &row : rows) {
        FakeDisk disk;
        disk.Entries = {{"C:\\W\\a.txt"}};
        Execute({"C:\\W\\a.txt", false, row.DeleteMode, DeleteName, ".txt"}, disk);
        ASSERT_EQ(disk.Operations.size(), 1u);
        EXPECT_EQ(disk.Operations[0], row.Expected);
        EXPECT_EQ(static_cast<int>(row.Expected), row.DeleteMode ? 3 : 4);
    }
}

TEST(Execution, OpenTestOnlyForFiles) {
    const struct {
        Entry Target;
        int Opens;
    } rows[] = {{{"C:\\W\\a.txt"}, 1}, {{"C:\\W\\pics", true}, 0}};
    for (const auto &row : rows) {
        FakeDisk disk;
        disk.Entries = {row.Target};
        Execute({row.Target.Path, row.Target.Folder, false, "b", ""}, disk);
        EXPECT_EQ(disk.Opens, row.Opens) << row.Target.Path;
    }
}

// The delete name edited away turns the delete into a rename, this time and from then on; and
// a hidden window that cannot open the file at all gives up and shows itself.
TEST(Execution, DeleteModeAndRetryEndings) {
    constexpr auto None = std::nullopt;
    const struct {
        const char *Case;
        std::string Name;
        bool DeleteMode;
        bool Retrying;
        OpenResult Open;
        bool EndDeleteMode;
        bool StopRetry;
        std::optional<ShellOperation> Operation;
    } rows[] = {
        {"delete name edited", "b", true, false, Ok, true, false, ShellOperation::Rename},
        {"delete name emptied", "", true, false, Ok, true, false, None},
        {"delete stopped by the open test", DeleteName, true, false, OpenResult::Failed, false,
         false, None},
        {"delete waiting for the file", DeleteName, true, false, OpenResult::InUse, false, false,
         None},
        {"hidden delete cannot open", DeleteName, true, true, OpenResult::Failed, false, true,
         None},
        {"hidden rename cannot open", "b", false, true, OpenResult::Failed, false, true, None},
        {"hidden rename still in use", "b", false, true, OpenResult::InUse, false, false, None},
        {"rename stopped by an empty name", "", false, false, Ok, false, false, None},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Case);
        FakeDisk disk;
        disk.Entries = {{"C:\\W\\a.txt"}};
        disk.Open = row.Open;
        ExecutionRequest request{"C:\\W\\a.txt", false, row.DeleteMode, row.Name, ".txt"};
        request.Retrying = row.Retrying;
        const ExecutionOutcome outcome = Execute(request, disk);
        EXPECT_EQ(outcome.EndDeleteMode, row.EndDeleteMode);
        EXPECT_EQ(outcome.StopRetry, row.StopRetry);
        const std::vector<ShellOperation> operations =
            row.Operation ? std::vector<ShellOperation>{*row.Operation}
                          : std::vector<ShellOperation>{};
        EXPECT_EQ(disk.Operations, operations);
    }
}

} // namespace
} // namespace tovimar
