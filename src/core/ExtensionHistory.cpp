#include "core/ExtensionHistory.h"

#include "core/DoubleByte.h"

#include <algorithm>

namespace tovimar {

namespace {

// Start of the character that holds the byte just before pos.
size_t PreviousCharStart(const CharacterRule &rule, std::string_view text, size_t pos) {
    size_t start = 0;
    while (true) {
        const size_t next = start + CharLength(rule, text, start);
        if (next >= pos) return start;
        start = next;
    }
}

// Selection inside the text, whatever the control reported.
ExtensionBoxState Clamped(const ExtensionBoxState &state) {
    ExtensionBoxState clamped = state;
    clamped.SelectionStart = std::min(state.SelectionStart, state.Text.size());
    clamped.SelectionLength =
        std::min(state.SelectionLength, state.Text.size() - clamped.SelectionStart);
    return clamped;
}

} // namespace

bool ExtensionHistory::SameIgnoringCase(std::string_view a, std::string_view b) const {
    return a.size() == b.size() && upperCase_(std::string(a)) == upperCase_(std::string(b));
}

std::optional<size_t> ExtensionHistory::FindExact(std::string_view text) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (SameIgnoringCase(entries_[i], text)) return i;
    return std::nullopt;
}

std::optional<size_t> ExtensionHistory::FindPrefix(const CharacterRule &rule,
                                                   std::string_view prefix) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        const std::string_view entry = entries_[i];
        if (entry.size() < prefix.size() || !IsCharBoundary(rule, entry, prefix.size())) continue;
        if (SameIgnoringCase(entry.substr(0, prefix.size()), prefix)) return i;
    }
    return std::nullopt;
}

void ExtensionHistory::LoadValue(std::string_view value) {
    if (!value.empty()) entries_.emplace_back(value);
}

void ExtensionHistory::MoveToTop(std::string_view current) {
    if (const auto found = FindExact(current)) entries_.erase(entries_.begin() + *found);
    entries_.emplace(entries_.begin(), current);
}

bool ExtensionHistory::AddIfNew(std::string_view current) {
    if (FindExact(current)) return false;
    entries_.emplace(entries_.begin(), current);
    return true;
}

std::vector<std::string> ExtensionHistory::SaveValues() const {
    std::vector<std::string> values(SavedExtensionCount);
    std::copy_n(entries_.begin(), std::min(entries_.size(), SavedExtensionCount), values.begin());
    return values;
}

ExtensionKeyResult TypeIntoExtensionBox(const CharacterRule &rule, const ExtensionBoxState &state,
                                        std::string_view typed, const ExtensionHistory &history) {
    const ExtensionBoxState box = Clamped(state);
    ExtensionKeyResult result{box, false, false};
    if (typed.empty()) return result;

    std::string candidate =
        box.SelectionLength > 0 ? box.Text.substr(0, box.SelectionStart) : box.Text;
    candidate += typed;
    const std::optional<size_t> found = history.FindPrefix(rule, candidate);
    if (!found) return result;

    const std::string &entry = history.Entries()[*found];
    result.State.Text = candidate + entry.substr(candidate.size());
    result.State.SelectionStart = candidate.size();
    result.State.SelectionLength = entry.size() - candidate.size();
    result.State.CurrentEntry = found;
    result.Changed = box.CurrentEntry != found;
    result.Consumed = true;
    return result;
}

ExtensionKeyResult BackspaceInExtensionBox(const CharacterRule &rule,
                                           const ExtensionBoxState &state) {
    ExtensionBoxState box = Clamped(state);
    size_t from = box.SelectionStart;
    size_t count = box.SelectionLength;
    if (count == 0 && from > 0) {
        from = PreviousCharStart(rule, box.Text, box.SelectionStart);
        count = std::min(CharLength(rule, box.Text, from), box.Text.size() - from);
    }
    box.Text.erase(from, count);
    box.SelectionStart = from;
    box.SelectionLength = 0;
    box.CurrentEntry.reset();
    return {box, true, true};
}

} // namespace tovimar
