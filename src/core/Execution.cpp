#include "core/Execution.h"

#include "core/Messages.h"
#include "core/PathRules.h"

namespace tovimar {

namespace {

ExecutionOutcome Report(std::string_view message, bool pause, Ending end) {
    ExecutionOutcome outcome;
    outcome.Title = std::string(message);
    outcome.Pause = pause;
    outcome.End = end;
    return outcome;
}

bool IsPresent(FileSystem &fs, const std::string &path) {
    return fs.FileIsPresent(path) || fs.FolderIsPresent(path);
}

// A name in the folder of path that nothing on disk answers to, or empty when none was found.
std::string FreeTemporaryPath(FileSystem &fs, const std::string &path) {
    const std::string folder = PathFolder(path);
    const std::string prefix = folder.empty() ? std::string() : AddTrailingDelimiter(folder);
    for (int i = 0; i < 1000; ++i) {
        const std::string candidate = prefix + "~tovimar" + std::to_string(i) + ".tmp";
        // EntryName as well: the presence tests skip some entries (old file times), and
        // renaming onto any existing entry could replace it.
        if (!IsPresent(fs, candidate) && !fs.EntryName(candidate)) return candidate;
    }
    return {};
}

bool NameOnDiskIs(FileSystem &fs, const std::string &path) {
    const std::optional<std::string> onDisk = fs.EntryName(path);
    return onDisk && *onDisk == PathName(path);
}

// The shell (and Wine's MoveFile) may treat a case-only rename as done or as a clash without
// touching the name; going through a temporary name forces the new spelling.
bool RenameCaseOnly(FileSystem &fs, const std::string &target, const std::string &newPath) {
    // Its result says little here: only the spelling on disk tells whether it worked.
    fs.ShellFileOperation(target, newPath, ShellOperation::Rename);
    if (NameOnDiskIs(fs, newPath)) return true;
    const std::string temporary = FreeTemporaryPath(fs, target);
    if (temporary.empty()) return false;
    if (fs.ShellFileOperation(target, temporary, ShellOperation::Rename) != 0) return false;
    if (fs.ShellFileOperation(temporary, newPath, ShellOperation::Rename) == 0) return true;
    // Never leave the file under the temporary name.
    fs.ShellFileOperation(temporary, target, ShellOperation::Rename);
    return false;
}

} // namespace

std::string BuildNewPath(std::string_view targetPath, std::string_view name,
                         std::string_view extension) {
    const std::string folder = PathFolder(targetPath);
    std::string path = folder.empty() ? std::string() : AddTrailingDelimiter(folder);
    path += name;
    path += extension;
    return path;
}

namespace {

ExecutionOutcome RunSteps(const ExecutionRequest &request, FileSystem &fs) {
    const std::string &target = request.TargetPath;
    if (request.IsFolder ? !fs.FolderIsPresent(target) : !fs.FileIsPresent(target)) {
        return Report(request.IsFolder ? msg::FolderNotFound : msg::FileNotFound, true,
                      Ending::Close);
    }

    if (request.Name.empty()) return Report(msg::NameEmpty, false, Ending::Stay);

    const std::string newPath = BuildNewPath(target, request.Name, request.Extension);
    bool caseOnly = false;
    if (IsPresent(fs, newPath)) {
        std::string_view message;
        if (newPath == target) {
            message = msg::NameUnchanged;
        } else if (fs.UpperCase(newPath) != fs.UpperCase(target)) {
            message = msg::NameTaken;
        } else if (NameOnDiskIs(fs, newPath) && NameOnDiskIs(fs, target)) {
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
            outcome.StopRetry = request.Retrying;
            return outcome;
        }
        }
    }

    bool done;
    if (request.DeleteMode) {
        done = fs.ShellFileOperation(target, newPath, ShellOperation::Delete) == 0;
    } else if (caseOnly) {
        done = RenameCaseOnly(fs, target, newPath);
    } else {
        done = fs.ShellFileOperation(target, newPath, ShellOperation::Rename) == 0;
    }

    ExecutionOutcome outcome;
    if (!done) {
        outcome = Report(msg::RenameFailed, true, Ending::Close);
    } else {
        outcome.End = Ending::Close;
    }
    outcome.NewPath = newPath;
    outcome.UpdateHistory = true;
    return outcome;
}

} // namespace

ExecutionOutcome Execute(const ExecutionRequest &request, FileSystem &fs) {
    // A stopped delete leaves the delete name in the field; once the user has edited it, a
    // rename is what is expected.
    ExecutionRequest steps = request;
    steps.DeleteMode = request.DeleteMode && request.Name == msg::DeleteName;
    ExecutionOutcome outcome = RunSteps(steps, fs);
    outcome.EndDeleteMode = request.DeleteMode && !steps.DeleteMode;
    return outcome;
}

} // namespace tovimar
