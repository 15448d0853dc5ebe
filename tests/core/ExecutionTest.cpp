#include "core/Execution.h"
#include "core/Messages.h"
#include "core/PathRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovimar {
namespace {

// The paths here are ASCII, which every code page's rule reads alike.
const CharacterRule SingleByte;

// How the platform treats a rename that changes only letter case.
enum class CaseRename {
    Applies,    // Windows: the new spelling is on disk, done
    Refuses,    // Wine's shell: failed, nothing changes
    SilentNoOp, // Wine's MoveFile: done, nothing changes
};

struct Entry {
    std::string Path;
    bool Folder = false;
    std::uint64_t Id = 0; // given at the first look
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
    bool OperationsFail = false;    // every rename and delete fails
    std::string FailingDestination; // a rename onto this path fails
    CaseRename CaseOnly = CaseRename::Applies;
    size_t CutAt = 0;       // a longer new name is cut to this many bytes without a word
    size_t KnownLimit = 0;  // the platform tells beforehand that longer names do not fit
    bool Identities = true; // the platform can tell which entry a path leads to
    int Opens = 0;
    std::vector<DiskOperation> Operations;

    bool FileIsPresent(const std::string &path) override {
        const Entry *e = Find(path);
        return e && !e->Folder;
    }
    bool FolderIsPresent(const std::string &path) override {
        const Entry *e = Find(path);
        return e && e->Folder;
    }
    OpenResult OpenForExclusiveRead(const std::string &) override {
        ++Opens;
        return Open;
    }
    OperationResult FileOperation(const std::string &source, const std::string &destination,
                                  DiskOperation operation) override {
        Operations.push_back(operation);
        Entry *from = Find(source);
        if (OperationsFail || !from) return OperationResult::Failed;
        if (operation == DiskOperation::Delete) {
            Entries.erase(Entries.begin() + (from - Entries.data()));
            return OperationResult::Done;
        }
        if (destination == FailingDestination) return OperationResult::Failed;
        const std::string stored =
            CutAt != 0 ? destination.substr(0, destination.rfind('\\') + 1 + CutAt) : destination;
        const Entry *to = Find(stored);
        if (to == from) {
            if (CaseOnly == CaseRename::Refuses) return OperationResult::Failed;
            if (CaseOnly == CaseRename::SilentNoOp) return OperationResult::Done;
        } else if (to) {
            return OperationResult::Failed;
        }
        from->Path = stored;
        return OperationResult::Done;
    }
    std::string UpperCase(std::string text) override { return Upper(std::move(text)); }
    std::optional<std::string> EntryName(const std::string &path) override {
        const Entry *e = Find(path);
        if (!e) return std::nullopt;
        return e->Path.substr(e->Path.rfind('\\') + 1);
    }
    std::optional<EntryId> Identity(const std::string &path) override {
        Entry *e = Find(path);
        if (!e || !Identities) return std::nullopt;
        if (e->Id == 0) e->Id = ++lastId_;
        return EntryId{1, e->Id};
    }
    std::optional<std::string> FindEntry(const std::string &folder, const EntryId &id) override {
        for (const Entry &e : Entries)
            if (e.Id == id.Index && PathFolder(SingleByte, e.Path) == folder)
                return PathName(SingleByte, e.Path);
        return std::nullopt;
    }
    bool NameFits(const std::string &, const std::string &name) override {
        return KnownLimit == 0 || name.size() <= KnownLimit;
    }

    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (const Entry &e : Entries)
            paths.push_back(e.Path);
        std::sort(paths.begin(), paths.end());
        return paths;
    }

private:
    std::uint64_t lastId_ = 0;
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

using Paths = std::vector<std::string>;

// Unset fields: the file opens, the platform applies a case-only rename and the shell succeeds;
// the window stays as it is, with no title, pause, history update, new path or change on disk.
struct Row {
    const char *Case;
    std::vector<Entry> Disk;
    ExecutionRequest Request;
    OpenResult Open = OpenResult::Ok;
    CaseRename CaseOnly = CaseRename::Applies;
    bool OperationsFail = false;
    std::string FailingDestination = {};
    size_t CutAt = 0;
    size_t KnownLimit = 0;
    bool Identities = true;
    bool Utf8 = false; // the request in UTF-8 bytes, under the UTF-8 rule
    // expected
    std::optional<std::string_view> Title = std::nullopt; // none: the title is left alone
    std::string TitleName = {}; // a name from the disk after the title, in the system's code
    bool Pause = false;
    Ending End = Ending::Stay;
    bool UpdateHistory = false;
    std::string NewPath = {};
    std::string MovedTo = {};
    std::optional<Paths> DiskAfter = std::nullopt; // none: the disk as it was
};

// A disk that keeps 16 bytes per name.
const ExecutionRequest LongRename{
    .TargetPath = "C:\\W\\a.txt", .Name = std::string(20, 'n'), .Extension = ".txt"};
const std::string LongPath = "C:\\W\\" + std::string(20, 'n') + ".txt";
const std::string CutName(16, 'n');
std::string Repeated(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}
// Ten é in UTF-8; the disk keeps eight.
const ExecutionRequest Utf8Rename{
    .TargetPath = "C:\\W\\a.txt", .Name = Repeated("\xC3\xA9", 10), .Extension = ".txt"};
const std::string Utf8Path = "C:\\W\\" + Repeated("\xC3\xA9", 10) + ".txt";
const std::string Utf8CutName = Repeated("\xC3\xA9", 8);

const Row Rows[] = {
    {.Case = "plain rename",
     .Disk = {{"C:\\Work\\a.txt"}},
     .Request = {.TargetPath = "C:\\Work\\a.txt", .Name = "b", .Extension = ".txt"},
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\Work\\b.txt",
     .DiskAfter = Paths{"C:\\Work\\b.txt"}},
    {.Case = "unchanged name",
     .Disk = {{"C:\\Work\\a.txt"}},
     .Request = {.TargetPath = "C:\\Work\\a.txt", .Name = "a", .Extension = ".txt"},
     .Title = msg::NameUnchanged,
     .NewPath = "C:\\Work\\a.txt"},
    {.Case = "taken in other case",
     .Disk = {{"C:\\W\\a.txt"}, {"C:\\W\\B.TXT"}},
     .Request = {.TargetPath = "C:\\W\\a.txt", .Name = "b", .Extension = ".txt"},
     .Title = msg::NameTaken,
     .NewPath = "C:\\W\\b.txt"},
    {.Case = "case-only rename beside an entry of the new spelling",
     .Disk = {{"C:\\W\\a.txt"}, {"C:\\W\\A.txt"}},
     .Request = {.TargetPath = "C:\\W\\a.txt", .Name = "A", .Extension = ".txt"},
     .Title = msg::NameTaken,
     .NewPath = "C:\\W\\A.txt"},
    {.Case = "taken by a folder",
     .Disk = {{"C:\\W\\a.txt"}, {.Path = "C:\\W\\b", .Folder = true}},
     .Request = {.TargetPath = "C:\\W\\a.txt", .Name = "b", .Extension = ""},
     .Title = msg::NameTaken,
     .NewPath = "C:\\W\\b"},
    {.Case = "case only, platform applies it",
     .Disk = {{"C:\\W\\readme.txt"}},
     .Request = {.TargetPath = "C:\\W\\readme.txt", .Name = "README", .Extension = ".txt"},
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\README.txt",
     .DiskAfter = Paths{"C:\\W\\README.txt"}},
    {.Case = "case only, shell refuses",
     .Disk = {{"C:\\W\\readme.txt"}},
     .Request = {.TargetPath = "C:\\W\\readme.txt", .Name = "README", .Extension = ".txt"},
     .CaseOnly = CaseRename::Refuses,
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\README.txt",
     .DiskAfter = Paths{"C:\\W\\README.txt"}},
    {.Case = "case only, shell succeeds doing nothing",
     .Disk = {{"C:\\W\\readme.txt"}},
     .Request = {.TargetPath = "C:\\W\\readme.txt", .Name = "README", .Extension = ".txt"},
     .CaseOnly = CaseRename::SilentNoOp,
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\README.txt",
     .DiskAfter = Paths{"C:\\W\\README.txt"}},
    {.Case = "case only, second step fails: renamed back",
     .Disk = {{"C:\\W\\readme.txt"}},
     .Request = {.TargetPath = "C:\\W\\readme.txt", .Name = "README", .Extension = ".txt"},
     .CaseOnly = CaseRename::Refuses,
     .FailingDestination = "C:\\W\\README.txt",
     .Title = msg::RenameFailed,
     .Pause = true,
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\README.txt"},
    {.Case = "case only, first step fails",
     .Disk = {{"C:\\W\\readme.txt"}},
     .Request = {.TargetPath = "C:\\W\\readme.txt", .Name = "README", .Extension = ".txt"},
     .CaseOnly = CaseRename::Refuses,
     .FailingDestination = "C:\\W\\~tovimar0.tmp",
     .Title = msg::RenameFailed,
     .Pause = true,
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\README.txt"},
    {.Case = "case only skips a temporary name that is taken",
     .Disk = {{"C:\\W\\readme.txt"}, {.Path = "C:\\W\\~tovimar0.tmp", .Folder = true}},
     .Request = {.TargetPath = "C:\\W\\readme.txt", .Name = "README", .Extension = ".txt"},
     .CaseOnly = CaseRename::Refuses,
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\README.txt",
     .DiskAfter = Paths{"C:\\W\\README.txt", "C:\\W\\~tovimar0.tmp"}},
    {.Case = "case-only folder",
     .Disk = {{.Path = "C:\\W\\photos", .Folder = true}},
     .Request =
         {.TargetPath = "C:\\W\\photos", .IsFolder = true, .Name = "Photos", .Extension = ""},
     .CaseOnly = CaseRename::Refuses,
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\Photos",
     .DiskAfter = Paths{"C:\\W\\Photos"}},
    {.Case = "file in use",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = {.TargetPath = "C:\\W\\a.txt", .Name = "b", .Extension = ".txt"},
     .Open = OpenResult::InUse,
     .Title = msg::FileInUse,
     .Pause = true,
     .End = Ending::HideAndRetry,
     .NewPath = "C:\\W\\b.txt"},
    {.Case = "file cannot be opened",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = {.TargetPath = "C:\\W\\a.txt", .Name = "b", .Extension = ".txt"},
     .Open = OpenResult::Failed,
     .Title = msg::CannotOpen,
     .NewPath = "C:\\W\\b.txt"},
    {.Case = "file gone",
     .Disk = {},
     .Request = {.TargetPath = "C:\\W\\a.txt", .Name = "b", .Extension = ".txt"},
     .Title = msg::FileNotFound,
     .Pause = true,
     .End = Ending::Close},
    {.Case = "folder gone",
     .Disk = {},
     .Request = {.TargetPath = "C:\\W\\pics", .IsFolder = true, .Name = "photos", .Extension = ""},
     .Title = msg::FolderNotFound,
     .Pause = true,
     .End = Ending::Close},
    {.Case = "file target now a folder",
     .Disk = {{.Path = "C:\\W\\a", .Folder = true}},
     .Request = {.TargetPath = "C:\\W\\a", .Name = "b", .Extension = ""},
     .Title = msg::FileNotFound,
     .Pause = true,
     .End = Ending::Close},
    {.Case = "folder skips the open test",
     .Disk = {{.Path = "C:\\W\\pics", .Folder = true}},
     .Request = {.TargetPath = "C:\\W\\pics", .IsFolder = true, .Name = "photos", .Extension = ""},
     .Open = OpenResult::InUse,
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\photos",
     .DiskAfter = Paths{"C:\\W\\photos"}},
    {.Case = "empty name",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = {.TargetPath = "C:\\W\\a.txt", .Name = "", .Extension = ".txt"},
     .Title = msg::NameEmpty},
    {.Case = "name Windows refuses: stops before any lookup",
     .Disk = {{"C:\\W\\a.txt"}, {"C:\\up.txt"}},
     .Request = {.TargetPath = "C:\\W\\a.txt", .Name = "..\\up", .Extension = ".txt"},
     .Title = msg::NameForbiddenCharacter},
    {.Case = "device name",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = {.TargetPath = "C:\\W\\a.txt", .Name = "CON", .Extension = ".txt"},
     .Title = msg::NameIsDevice},
    {.Case = "extension ending in a dot",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = {.TargetPath = "C:\\W\\a.txt", .Name = "a", .Extension = ".txt."},
     .Title = msg::NameEndsInDotOrBlank},
    {.Case = "target beyond the ANSI path limit, present on disk",
     .Disk = {{"C:\\W\\" + std::string(260, 'a')}},
     .Request = {.TargetPath = "C:\\W\\" + std::string(260, 'a'), .Name = "b"},
     .Title = msg::TargetPathTooLong},
    {.Case = "new path beyond the ANSI path limit",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = {.TargetPath = "C:\\W\\a.txt", .Name = std::string(252, 'b'), .Extension = ".txt"},
     .Title = msg::NewPathTooLong,
     .NewPath = "C:\\W\\" + std::string(252, 'b') + ".txt"},
    {.Case = "a delete ignores what its destination name would be",
     .Disk = {{"C:\\W\\a."}},
     .Request =
         {.TargetPath = "C:\\W\\a.", .DeleteMode = true, .Name = DeleteName, .Extension = "."},
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\" + DeleteName + ".",
     .DiskAfter = Paths{}},
    {.Case = "empty extension",
     .Disk = {{"C:\\W\\x.txt"}},
     .Request = {.TargetPath = "C:\\W\\x.txt", .Name = "x", .Extension = ""},
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\x",
     .DiskAfter = Paths{"C:\\W\\x"}},
    {.Case = "extension without a full stop",
     .Disk = {{"C:\\W\\x.txt"}},
     .Request = {.TargetPath = "C:\\W\\x.txt", .Name = "x", .Extension = "md"},
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\xmd",
     .DiskAfter = Paths{"C:\\W\\xmd"}},
    {.Case = "bare relative target",
     .Disk = {{"file.txt"}},
     .Request = {.TargetPath = "file.txt", .Name = "new", .Extension = ".txt"},
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "new.txt",
     .DiskAfter = Paths{"new.txt"}},
    {.Case = "file in a drive root",
     .Disk = {{"C:\\a.txt"}},
     .Request = {.TargetPath = "C:\\a.txt", .Name = "b", .Extension = ".txt"},
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\b.txt",
     .DiskAfter = Paths{"C:\\b.txt"}},
    {.Case = "delete",
     .Disk = {{"C:\\W\\a.txt"}, {"C:\\W\\z.txt"}},
     .Request = {.TargetPath = "C:\\W\\a.txt",
                 .DeleteMode = true,
                 .Name = DeleteName,
                 .Extension = ".txt"},
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\" + DeleteName + ".txt",
     .DiskAfter = Paths{"C:\\W\\z.txt"}},
    {.Case = "delete blocked by the delete name",
     .Disk = {{"C:\\W\\a.txt"}, {"C:\\W\\" + DeleteName + ".txt"}},
     .Request = {.TargetPath = "C:\\W\\a.txt",
                 .DeleteMode = true,
                 .Name = DeleteName,
                 .Extension = ".txt"},
     .Title = msg::NameTaken,
     .NewPath = "C:\\W\\" + DeleteName + ".txt"},
    {.Case = "delete of a file in use",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = {.TargetPath = "C:\\W\\a.txt",
                 .DeleteMode = true,
                 .Name = DeleteName,
                 .Extension = ".txt"},
     .Open = OpenResult::InUse,
     .Title = msg::FileInUse,
     .Pause = true,
     .End = Ending::HideAndRetry,
     .NewPath = "C:\\W\\" + DeleteName + ".txt"},
    {.Case = "name too long for the drive, known beforehand",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = LongRename,
     .KnownLimit = 16,
     .Title = msg::NameTooLongForDrive,
     .NewPath = LongPath},
    {.Case = "name cut by the disk: put back",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = LongRename,
     .CutAt = 16,
     .Title = msg::NameTooLongForDrive,
     .NewPath = LongPath},
    {.Case = "name cut by the disk, no way back: the title says where it is",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = LongRename,
     .FailingDestination = "C:\\W\\a.txt",
     .CutAt = 16,
     .Title = msg::NameStranded,
     .TitleName = CutName,
     .NewPath = LongPath,
     .MovedTo = "C:\\W\\" + CutName,
     .DiskAfter = Paths{"C:\\W\\" + CutName}},
    {.Case = "UTF-8 name cut by the disk, no way back: the title shows it as UTF-8",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = Utf8Rename,
     .FailingDestination = "C:\\W\\a.txt",
     .CutAt = 16,
     .Utf8 = true,
     .Title = msg::NameStranded,
     .TitleName = Utf8CutName,
     .NewPath = Utf8Path,
     .MovedTo = "C:\\W\\" + Utf8CutName,
     .DiskAfter = Paths{"C:\\W\\" + Utf8CutName}},
    {.Case = "name cut by the disk, file not to be found: no success",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = LongRename,
     .CutAt = 16,
     .Identities = false,
     .Title = msg::RenameFailed,
     .Pause = true,
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = LongPath,
     .DiskAfter = Paths{"C:\\W\\" + CutName}},
    {.Case = "shell failure still closes",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = {.TargetPath = "C:\\W\\a.txt", .Name = "b", .Extension = ".txt"},
     .OperationsFail = true,
     .Title = msg::RenameFailed,
     .Pause = true,
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\b.txt"},
    {.Case = "failed delete",
     .Disk = {{"C:\\W\\a.txt"}},
     .Request = {.TargetPath = "C:\\W\\a.txt",
                 .DeleteMode = true,
                 .Name = DeleteName,
                 .Extension = ".txt"},
     .OperationsFail = true,
     .Title = msg::RenameFailed,
     .Pause = true,
     .End = Ending::Close,
     .UpdateHistory = true,
     .NewPath = "C:\\W\\" + DeleteName + ".txt"},
};

TEST(Execution, Table) {
    for (const Row &row : Rows) {
        SCOPED_TRACE(row.Case);
        FakeDisk disk;
        disk.Entries = row.Disk;
        disk.Open = row.Open;
        disk.CaseOnly = row.CaseOnly;
        disk.OperationsFail = row.OperationsFail;
        disk.FailingDestination = row.FailingDestination;
        disk.CutAt = row.CutAt;
        disk.KnownLimit = row.KnownLimit;
        disk.Identities = row.Identities;

        const CharacterRule utf8 = Utf8Rule();
        const ExecutionOutcome outcome =
            RenameOrDelete(row.Utf8 ? utf8 : SingleByte, row.Request, disk);

        ASSERT_EQ(outcome.Title.has_value(), row.Title.has_value());
        if (row.Title) {
            EXPECT_EQ(outcome.Title->Bytes(), std::string(*row.Title) + row.TitleName);
            const ShownText::Source nameSource = row.TitleName.empty() ? ShownText::Source::Program
                                                 : row.Utf8            ? ShownText::Source::Utf8
                                                                       : ShownText::Source::System;
            EXPECT_EQ(outcome.Title->Pieces().back().From, nameSource);
        }
        EXPECT_EQ(outcome.MovedTo, row.MovedTo);
        EXPECT_EQ(outcome.Pause, row.Pause);
        EXPECT_EQ(outcome.End, row.End);
        EXPECT_EQ(outcome.UpdateHistory, row.UpdateHistory);
        EXPECT_EQ(outcome.NewPath, row.NewPath);
        std::vector<std::string> expected;
        if (row.DiskAfter) {
            expected = *row.DiskAfter;
        } else {
            for (const Entry &e : row.Disk)
                expected.push_back(e.Path);
        }
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(disk.Paths(), expected);
    }
}

TEST(Execution, OperationFollowsDeleteMode) {
    const struct {
        bool DeleteMode;
        DiskOperation Expected;
    } rows[] = {{false, DiskOperation::Rename}, {true, DiskOperation::Delete}};
    for (const auto &row : rows) {
        FakeDisk disk;
        disk.Entries = {{"C:\\W\\a.txt"}};
        RenameOrDelete(SingleByte,
                       {.TargetPath = "C:\\W\\a.txt",
                        .DeleteMode = row.DeleteMode,
                        .Name = DeleteName,
                        .Extension = ".txt"},
                       disk);
        ASSERT_EQ(disk.Operations.size(), 1u);
        EXPECT_EQ(disk.Operations[0], row.Expected);
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
        RenameOrDelete(SingleByte,
                       {.TargetPath = row.Target.Path,
                        .IsFolder = row.Target.Folder,
                        .Name = "b",
                        .Extension = ""},
                       disk);
        EXPECT_EQ(disk.Opens, row.Opens) << row.Target.Path;
    }
}

// The delete name edited away turns the delete into a rename, this time and from then on; and
// a hidden window that meets what only the user can settle gives up and shows itself.
TEST(Execution, DeleteModeAndRetryEndings) {
    const struct {
        const char *Case;
        std::string Name;
        bool DeleteMode = false;
        bool Retrying = false;
        OpenResult Open = OpenResult::Ok;
        bool EndDeleteMode = false;
        bool StopRetry = false;
        std::optional<DiskOperation> Operation = std::nullopt;
    } rows[] = {
        {.Case = "delete name edited",
         .Name = "b",
         .DeleteMode = true,
         .EndDeleteMode = true,
         .Operation = DiskOperation::Rename},
        {.Case = "delete name emptied", .Name = "", .DeleteMode = true, .EndDeleteMode = true},
        {.Case = "delete stopped by the open test",
         .Name = DeleteName,
         .DeleteMode = true,
         .Open = OpenResult::Failed},
        {.Case = "delete waiting for the file",
         .Name = DeleteName,
         .DeleteMode = true,
         .Open = OpenResult::InUse},
        {.Case = "hidden delete cannot open",
         .Name = DeleteName,
         .DeleteMode = true,
         .Retrying = true,
         .Open = OpenResult::Failed,
         .StopRetry = true},
        {.Case = "hidden rename cannot open",
         .Name = "b",
         .Retrying = true,
         .Open = OpenResult::Failed,
         .StopRetry = true},
        {.Case = "hidden rename meets a refused name",
         .Name = "CON",
         .Retrying = true,
         .StopRetry = true},
        {.Case = "hidden rename still in use",
         .Name = "b",
         .Retrying = true,
         .Open = OpenResult::InUse},
        {.Case = "rename stopped by an empty name", .Name = ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Case);
        FakeDisk disk;
        disk.Entries = {{"C:\\W\\a.txt"}};
        disk.Open = row.Open;
        const ExecutionOutcome outcome = RenameOrDelete(SingleByte,
                                                        {.TargetPath = "C:\\W\\a.txt",
                                                         .DeleteMode = row.DeleteMode,
                                                         .Name = row.Name,
                                                         .Extension = ".txt",
                                                         .Retrying = row.Retrying},
                                                        disk);
        EXPECT_EQ(outcome.EndDeleteMode, row.EndDeleteMode);
        EXPECT_EQ(outcome.StopRetry, row.StopRetry);
        const std::vector<DiskOperation> operations =
            row.Operation ? std::vector<DiskOperation>{*row.Operation}
                          : std::vector<DiskOperation>{};
        EXPECT_EQ(disk.Operations, operations);
    }
}

} // namespace
} // namespace tovimar
