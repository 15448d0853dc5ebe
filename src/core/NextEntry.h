// Which entry of a folder comes after another in the shell's name order, for walking a
// folder one file at a time.
#pragma once

#include "core/DoubleByte.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

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
// letters. Names equal in that order compare by their bytes, so that no two names tie.
int CompareLogical(const CharacterRule &rule, std::string_view a, std::string_view b);

// The name after `after` in that order among the entries of the same kind that can be shown:
// not hidden, not system, inside the code page, not `skip` (the target under its new name).
std::optional<std::string> NextEntryName(const CharacterRule &rule,
                                         std::span<const FolderEntry> entries,
                                         std::string_view after, bool isFolder,
                                         std::string_view skip);

} // namespace tovimar
