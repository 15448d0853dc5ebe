// Which entry of a folder comes after another in the shell's name order, for walking a
// folder one file at a time.
#pragma once

#include "core/DoubleByte.h"
#include "core/Execution.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovimar {

struct FolderEntry {
    std::string Name; // in the ANSI code page
    bool IsFolder = false;
    bool Hidden = false;
    bool System = false;
    // False when the name holds characters the ANSI code page cannot carry: Name is then no
    // name the ANSI calls can reach.
    bool FitsCodePage = true;
};

// The shell's logical order over names of the current code page: runs of digits compare as
// numbers (p2 before p10), the rest case-insensitively, punctuation before digits before
// letters, then the rest (under UTF-8 by UTF-16 code units, as the shell's wide names compare).
// Names equal in that order compare by their bytes, so that no two names tie.
int CompareLogical(const CharacterRule &rule, std::string_view a, std::string_view b);

// What stands at a path now.
struct StandingEntry {
    bool IsFolder = false;
    std::optional<EntryId> Id; // nullopt when the platform cannot tell
};

// What a walk asks of the disk.
class WalkDisk {
public:
    virtual ~WalkDisk() = default;
    // Every entry of folder (not "." and ".."); empty when it cannot be read.
    virtual std::vector<FolderEntry> ListFolder(const std::string &folder) = 0;
    // nullopt when nothing stands at path.
    virtual std::optional<StandingEntry> Look(const std::string &path) = 0;
    // The platform's ANSI upper-casing: names compare as the file system compares them.
    virtual std::string UpperCase(std::string text) = 0;
};

// One window's walk through the folder of its target, one entry of the target's kind after
// another in the order above, among the entries that can be shown (not hidden, not system,
// inside the code page). The folder is read at the first step and never again: an entry that
// is gone by its turn is skipped, one that came later is not seen. Nothing the walk renamed
// is offered again, found by its identity or by a name the walk gave it, even where that name
// was another entry's when the walk began.
class FolderWalk {
public:
    // The target at targetPath has just been renamed to renamedPath: the path of the entry to
    // open next, or nullopt at the end of the folder.
    std::optional<std::string> Next(const CharacterRule &rule, std::string_view targetPath,
                                    const std::string &renamedPath, bool isFolder, WalkDisk &disk);

private:
    void Start(const CharacterRule &rule, std::string_view targetPath, bool isFolder,
               WalkDisk &disk);
    void Remember(const CharacterRule &rule, const std::string &renamedPath, WalkDisk &disk);
    bool Produced(const std::string &name, const std::optional<EntryId> &id, WalkDisk &disk) const;

    bool started_ = false;
    std::string folder_;
    // The entries the walk may offer, in order; the ones before next_ are behind it.
    std::vector<std::string> order_;
    std::size_t next_ = 0;
    // What the walk renamed, each kept sorted: identities and the given names upper-cased.
    std::vector<EntryId> producedIds_;
    std::vector<std::string> givenNames_;
};

} // namespace tovimar
