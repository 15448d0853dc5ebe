// The extension box's list of recent extensions, most recent first, and the box's completion
// while typing. Positions and lengths are in bytes.
#pragma once

#include "core/DoubleByte.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovimar {

// The platform's upper-casing over the whole byte length, in the code page of the entries.
using UpperCaseFunction = std::string (*)(std::string);

// How many entries the settings file keeps.
inline constexpr size_t SavedExtensionCount = 16;

class ExtensionHistory {
public:
    explicit ExtensionHistory(UpperCaseFunction upperCase) : upperCase_(std::move(upperCase)) {}
    // A list as it stands, empty entries and duplicates included.
    ExtensionHistory(UpperCaseFunction upperCase, std::vector<std::string> entries)
        : upperCase_(std::move(upperCase)), entries_(std::move(entries)) {}

    const std::vector<std::string> &Entries() const { return entries_; }

    // The first entry equal to text ignoring letter case.
    std::optional<size_t> FindExact(std::string_view text) const;
    // The first entry that begins with prefix ignoring letter case; a match never ends in the
    // middle of one of the entry's characters by rule.
    std::optional<size_t> FindPrefix(const CharacterRule &rule, std::string_view prefix) const;

    // One saved value, in key order; empty values leave no gap.
    void LoadValue(std::string_view value);
    // At start: the target's extension moves to the top in its own spelling (empty too; an
    // empty entry matches it, so there is never more than one at the top).
    void MoveToTop(std::string_view current);
    // After an execution: a new extension goes on top, a known one changes nothing. True when
    // it was added.
    bool AddIfNew(std::string_view current);
    // The values for the saved keys, empty for missing entries; entries beyond them are dropped.
    std::vector<std::string> SaveValues() const;

private:
    bool SameIgnoringCase(std::string_view a, std::string_view b) const;

    UpperCaseFunction upperCase_;
    std::vector<std::string> entries_;
};

// The extension box as the keyboard sees it.
struct ExtensionBoxState {
    std::string Text;
    size_t SelectionStart = 0; // the caret when nothing is selected
    size_t SelectionLength = 0;
    std::optional<size_t> CurrentEntry; // the list's current entry
};

struct ExtensionKeyResult {
    ExtensionBoxState State;
    bool Changed = false;  // the change event runs
    bool Consumed = false; // false: the box types the character itself (and reports the change)
};

// A typed character (both bytes of a double-byte one): completes from the history when an
// entry begins with the text before the selection (or the whole text) plus the character.
ExtensionKeyResult TypeIntoExtensionBox(const CharacterRule &rule, const ExtensionBoxState &state,
                                        std::string_view typed, const ExtensionHistory &history);

// Backspace: removes the selection, or the whole character before the caret.
ExtensionKeyResult BackspaceInExtensionBox(const CharacterRule &rule,
                                           const ExtensionBoxState &state);

} // namespace tovimar
