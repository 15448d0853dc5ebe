// From the first argument to the entry the window works on, or the one reason there is none.
#pragma once

#include "core/DoubleByte.h"

#include <optional>
#include <string>
#include <string_view>

namespace tovimar {

// What the platform answers while a start argument is resolved; tests fake it.
class TargetProbe {
public:
    virtual ~TargetProbe() = default;
    // The argument held characters the ANSI code page cannot carry.
    virtual bool ArgumentLostCharacters() = 0;
    // path made absolute against the current folders (the drive's own for Z:name).
    virtual std::string FullPath(const std::string &path) = 0;
    // Every component in its on-disk spelling.
    virtual std::string ResolveLongPath(const std::string &path) = 0;
    virtual bool FileIsPresent(const std::string &path) = 0;
    virtual bool FolderIsPresent(const std::string &path) = 0;
};

// The first of these that applies is reported, in this order; each later one cannot be told
// (a path that names no single entry has no root, length or presence to check).
enum class TargetProblem {
    None,
    NoArgument,    // started without a path: nothing to show, no message
    Unreadable,    // characters the code page cannot carry, or wildcards: no single entry
    Root,          // a drive or share root: nothing to rename
    PathTooLong,   // beyond what the ANSI calls address: kept, the execution says it again
    FileMissing,   // nothing there
    FolderMissing, // nothing there, and the argument ended in a delimiter
};

struct ResolvedTarget {
    std::string Path; // what the argument names; empty where it names no single entry
    bool IsFolder = false;
    TargetProblem Problem = TargetProblem::None;

    // A missing entry is shown, but nothing can be done with it.
    bool Workable() const {
        return Problem == TargetProblem::None || Problem == TargetProblem::PathTooLong;
    }
};

// Full and canonical once ('/', "." and "..", relative paths), then the on-disk spelling.
ResolvedTarget ResolveTarget(const CharacterRule &rule, std::string_view argument,
                             TargetProbe &probe);

// The title the window shows for a problem; none for a target that can be worked on.
std::optional<std::string_view> TargetProblemMessage(TargetProblem problem);

} // namespace tovimar
