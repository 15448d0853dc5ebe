#include "core/Execution.h"

#include "core/Messages.h"
#include "core/NameCheck.h"
#include "core/NameEditing.h"
#include "core/PathRules.h"

namespace tovimar {

namespace {

ExecutionOutcome Report(std::string_view message, bool pause, Ending end) {
    ExecutionOutcome outcome;
    outcome.Title = ShownText(message);
    outcome.Pause = pause;
    outcome.End = end;
    return outcome;
}

bool IsPresent(FileSystem &fs, const std::string &path) {
    return fs.EntryIsPresent(path);
}

// A name in the folder of path that nothing on disk answers to, or empty when none was found.
std::string FreeTemporaryPath(const CharacterRule &rule, FileSystem &fs, const std::string &path) {
    for (int i = 0; i < 1000; ++i) {
        const std::string candidate =
            BuildNewPath(rule, path, "~tovimar" + std::to_string(int64_t(i)) + ".tmp", {});
        // EntryName as well: it answers for an entry of any kind, and renaming onto any
        // existing entry could replace it.
        if (!IsPresent(fs, candidate) && !fs.EntryName(candidate)) return candidate;
    }
    return {};
}

bool NameOnDiskIs(const CharacterRule &rule, FileSystem &fs, const std::string &path) {
    const std::optional<std::string> onDisk = fs.EntryName(path);
    return onDisk && *onDisk == PathName(rule, path);
}

// The shell (and Wine's MoveFile) may treat a case-only rename as done or as a clash without
// touching the name; going through a temporary name forces the new spelling.
void RenameCaseOnly(const CharacterRule &rule, FileSystem &fs, const std::string &target,
                    const std::string &newPath) {
    // Its result says little here: only the spelling on disk tells whether it worked.
    fs.FileOperation(target, newPath, DiskOperation::Rename);
    if (NameOnDiskIs(rule, fs, newPath)) return;
    const std::string temporary = FreeTemporaryPath(rule, fs, target);
    if (temporary.empty()) return;
    if (fs.FileOperation(target, temporary, DiskOperation::Rename) != OperationResult::Done) return;
    if (fs.FileOperation(temporary, newPath, DiskOperation::Rename) == OperationResult::Done)
        return;
    // Never leave the file under the temporary name.
    fs.FileOperation(temporary, target, DiskOperation::Rename);
}

// Success is what the disk shows: the new name spelled as asked for and the old one gone. A
// file system may instead keep the file under another name (a long name cut short): it goes
// back to its old name, or the title says where it is.
ExecutionOutcome Rename(const CharacterRule &rule, FileSystem &fs, const std::string &target,
                        const std::string &newPath, bool caseOnly) {
    const std::optional<EntryId> id = fs.Identity(target);
    if (caseOnly) {
        RenameCaseOnly(rule, fs, target, newPath);
    } else {
        fs.FileOperation(target, newPath, DiskOperation::Rename);
    }
    ExecutionOutcome outcome = Report(msg::RenameFailed, true, Ending::Close);
    outcome.UpdateHistory = true;
    // No identity test here: some file systems (FAT) number an entry by where it is stored,
    // and a rename may move it.
    const bool atOldName = NameOnDiskIs(rule, fs, target);
    if (!atOldName && NameOnDiskIs(rule, fs, newPath)) {
        outcome.Title.reset();
        outcome.Pause = false;
        return outcome;
    }
    // Untouched, or gone where it cannot be found: the shell's failure as it always was.
    if (!id || atOldName) return outcome;
    const std::string folder = PathFolder(rule, target);
    const std::optional<std::string> stray = fs.FindEntry(folder, *id);
    if (!stray) return outcome;

    fs.FileOperation(BuildNewPath(rule, target, *stray, {}), target, DiskOperation::Rename);
    if (NameOnDiskIs(rule, fs, target))
        return Report(msg::NameTooLongForDrive, false, Ending::Stay);
    // Looked up again: the attempt to put it back may have moved it all the same.
    const std::optional<std::string> now = fs.FindEntry(folder, *id);
    if (!now) return outcome;
    outcome = Report(msg::NameStranded, false, Ending::Stay);
    // A name in UTF-8 bytes is shown as UTF-8; the ANSI code page may not hold it.
    *outcome.Title += rule.Utf8Mode ? ShownText::Utf8(*now) : ShownText::System(*now);
    outcome.MovedTo = BuildNewPath(rule, target, *now, {});
    return outcome;
}

} // namespace

std::string BuildNewPath(const CharacterRule &rule, std::string_view targetPath,
                         std::string_view name, std::string_view extension) {
    const std::string folder = PathFolder(rule, targetPath);
    std::string path = folder.empty() ? std::string() : AddTrailingDelimiter(rule, folder);
    path += name;
    path += extension;
    return path;
}

namespace {

std::optional<std::string_view> NameFaultMessage(NameFault fault) {
    switch (fault) {
    case NameFault::None:
        break;
    case NameFault::ForbiddenCharacter:
        return msg::NameForbiddenCharacter;
    case NameFault::DeviceName:
        return msg::NameIsDevice;
    case NameFault::TrailingDotOrBlank:
        return msg::NameEndsInDotOrBlank;
    }
    return std::nullopt;
}

ExecutionOutcome RunSteps(const CharacterRule &rule, const ExecutionRequest &request,
                          FileSystem &fs) {
    const std::string &target = request.TargetPath;
    // The ANSI calls would answer "not there" for a file that is there.
    if (PathTooLong(rule, target)) return Report(msg::TargetPathTooLong, false, Ending::Stay);
    if (request.IsFolder ? !fs.FolderIsPresent(target) : !fs.FileIsPresent(target)) {
        return Report(request.IsFolder ? msg::FolderNotFound : msg::FileNotFound, true,
                      Ending::Close);
    }

    if (request.Name.empty()) return Report(msg::NameEmpty, false, Ending::Stay);

    // Wildcards would match other entries, delimiters would move the file, and Windows would
    // store some names under another spelling or not at all. A delete only ever touches the
    // target, whatever its destination says.
    if (!request.DeleteMode) {
        const std::string name = request.Name + request.Extension;
        if (const auto message = NameFaultMessage(CheckName(rule, name)))
            return Report(*message, false, Ending::Stay);
    }

    const std::string newPath = BuildNewPath(rule, target, request.Name, request.Extension);
    if (!request.DeleteMode && PathTooLong(rule, newPath)) {
        ExecutionOutcome outcome = Report(msg::NewPathTooLong, false, Ending::Stay);
        outcome.NewPath = newPath;
        return outcome;
    }
    if (!request.DeleteMode && !fs.NameFits(PathFolder(rule, target), PathName(rule, newPath))) {
        ExecutionOutcome outcome = Report(msg::NameTooLongForDrive, false, Ending::Stay);
        outcome.NewPath = newPath;
        return outcome;
    }
    bool caseOnly = false;
    if (IsPresent(fs, newPath)) {
        std::string_view message;
        if (newPath == target) {
            message = msg::NameUnchanged;
        } else if (fs.UpperCase(newPath) != fs.UpperCase(target)) {
            message = msg::NameTaken;
        } else if (NameOnDiskIs(rule, fs, newPath) && NameOnDiskIs(rule, fs, target)) {
            // Both spellings on disk at once (a case-sensitive folder): another entry.
            message = msg::NameTaken;
        } else {
            caseOnly = true;
        }
        if (!caseOnly) {
            ExecutionOutcome outcome = Report(message, false, Ending::Stay);
            outcome.NewPath = newPath;
            return outcome;
        }
    }

    if (!request.IsFolder) {
        switch (fs.OpenForExclusiveRead(target)) {
        case OpenResult::Ok:
            break;
        case OpenResult::InUse: {
            ExecutionOutcome outcome = Report(msg::FileInUse, true, Ending::HideAndRetry);
            outcome.NewPath = newPath;
            return outcome;
        }
        case OpenResult::Failed: {
            // Waiting does not help here; say so instead of retrying for ever.
            ExecutionOutcome outcome = Report(msg::CannotOpen, false, Ending::Stay);
            outcome.NewPath = newPath;
            return outcome;
        }
        }
    }

    if (request.DeleteMode) {
        ExecutionOutcome outcome;
        if (fs.FileOperation(target, newPath, DiskOperation::Delete) != OperationResult::Done)
            outcome = Report(msg::RenameFailed, true, Ending::Close);
        outcome.End = Ending::Close;
        outcome.NewPath = newPath;
        outcome.UpdateHistory = true;
        return outcome;
    }
    ExecutionOutcome outcome = Rename(rule, fs, target, newPath, caseOnly);
    outcome.NewPath = newPath;
    return outcome;
}

} // namespace

ExecutionOutcome RenameOrDelete(const CharacterRule &rule, const ExecutionRequest &request,
                                FileSystem &fs) {
    // A stopped delete leaves the delete name in the field; once the user has edited it, a
    // rename is what is expected.
    ExecutionRequest steps = request;
    steps.DeleteMode = request.DeleteMode && request.Name == CurrentLiterals().DeleteName;
    ExecutionOutcome outcome = RunSteps(rule, steps, fs);
    outcome.EndDeleteMode = request.DeleteMode && !steps.DeleteMode;
    // Whatever keeps the window open needs the user (a file in use hides it instead): a hidden
    // window would wait for nobody.
    outcome.StopRetry = request.Retrying && outcome.End == Ending::Stay;
    return outcome;
}

} // namespace tovimar
