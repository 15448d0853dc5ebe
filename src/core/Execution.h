// The decisions of one execution (rename or delete of the target), over a small file-system
// interface so that they run without a window and without a real disk.
#pragma once

#include "core/DoubleByte.h"
#include "core/ShownText.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovimar {

enum class OpenResult {
    Ok,     // opened for exclusive read and closed again
    InUse,  // a sharing or lock violation: someone holds the file
    Failed, // any other error (access denied, bad path, ...)
};

// Which entry a path leads to, the same before and after a rename (the volume and the file's
// number on it).
struct EntryId {
    std::uint64_t Volume = 0;
    std::uint64_t Index = 0;
    friend bool operator==(const EntryId &a, const EntryId &b) {
        return a.Volume == b.Volume && a.Index == b.Index;
    }
};

enum class DiskOperation { Rename, Delete };

// All the execution tells apart; the platform's own codes stay with it.
enum class OperationResult { Done, Failed };

class FileSystem {
public:
    virtual ~FileSystem() = default;
    virtual bool FileIsPresent(const std::string &path) = 0;
    virtual bool FolderIsPresent(const std::string &path) = 0;
    // Either of the two; one question where the platform can ask it so (under Wine each look
    // for a missing name reads the whole folder).
    virtual bool EntryIsPresent(const std::string &path) {
        return FileIsPresent(path) || FolderIsPresent(path);
    }
    virtual OpenResult OpenForExclusiveRead(const std::string &path) = 0;
    // A delete ignores destination.
    virtual OperationResult FileOperation(const std::string &source, const std::string &destination,
                                          DiskOperation operation) = 0;
    // The platform's ANSI upper-casing over the whole byte length.
    virtual std::string UpperCase(std::string text) = 0;
    // The name of the entry as it is stored on disk, or nullopt when there is none.
    virtual std::optional<std::string> EntryName(const std::string &path) = 0;
    // nullopt when the platform cannot tell.
    virtual std::optional<EntryId> Identity(const std::string &path) = 0;
    // The name under which the entry id stands in folder ("" is the current folder), in a form
    // the other calls take; nullopt when none does.
    virtual std::optional<std::string> FindEntry(const std::string &folder, const EntryId &id) = 0;
    // False only when the platform knows that the file system under folder does not keep a
    // name this long; true when it cannot tell.
    virtual bool NameFits(const std::string &folder, const std::string &name) = 0;
};

struct ExecutionRequest {
    std::string TargetPath;
    bool IsFolder = false;
    bool DeleteMode = false;
    std::string Name;      // the name field
    std::string Extension; // the extension box, used as typed
    bool Retrying = false; // a tick of the retry timer: the window is hidden
};

enum class Ending {
    Close,        // close the window
    Stay,         // leave the window as it is, the title tells why
    HideAndRetry, // disable, hide, start the retry timer and the next instance
};

struct ExecutionOutcome {
    std::string NewPath;            // empty when the execution stopped before building it
    std::optional<ShownText> Title; // message for the title bar; none leaves it alone
    std::string MovedTo;            // the target now stands here: the window follows it
    bool Pause = false;             // repaint and wait one second before the ending
    Ending End = Ending::Stay;
    bool UpdateHistory = false; // add the extension to the history before closing
    bool EndDeleteMode = false; // the delete name was edited: this and later executions rename
    bool StopRetry = false;     // the hidden window gives up: stop the timer, show the window
};

// The destination: the target's folder, the name and the extension as typed.
std::string BuildNewPath(const CharacterRule &rule, std::string_view targetPath,
                         std::string_view name, std::string_view extension);

// Runs the checks and the disk operation of one execution and says what the window must do.
// The paths and names of the request are all in the code page of rule.
ExecutionOutcome RenameOrDelete(const CharacterRule &rule, const ExecutionRequest &request,
                                FileSystem &fs);

} // namespace tovimar
