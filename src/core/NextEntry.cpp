#include "core/NextEntry.h"

#include "core/AsciiCase.h"
#include "core/DoubleByte.h"

namespace tovimar {

namespace {

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// Punctuation, then digits, then letters, then everything beyond ASCII.
int Rank(unsigned char c) {
    if (c >= 0x80) return 3;
    if (IsDigit(c)) return 1;
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return 2;
    return 0;
}

unsigned char Fold(unsigned char c) {
    return static_cast<unsigned char>(AsciiLower(static_cast<char>(c)));
}

size_t DigitRunEnd(std::string_view s, size_t pos) {
    while (pos < s.size() && IsDigit(static_cast<unsigned char>(s[pos])))
        ++pos;
    return pos;
}

// Numbers of any length: leading zeros skipped, then the longer run is the larger.
int CompareNumbers(std::string_view a, std::string_view b) {
    while (a.size() > 1 && a[0] == '0')
        a.remove_prefix(1);
    while (b.size() > 1 && b[0] == '0')
        b.remove_prefix(1);
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int CompareOrder(const CharacterRule &rule, std::string_view a, std::string_view b) {
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        if (IsDigit(ca) && IsDigit(cb)) {
            const size_t endA = DigitRunEnd(a, i);
            const size_t endB = DigitRunEnd(b, j);
            if (const int c = CompareNumbers(a.substr(i, endA - i), b.substr(j, endB - j)))
                return c;
            i = endA;
            j = endB;
            continue;
        }
        // A double-byte character is one unit: its trail byte may look like a letter.
        const size_t lenA = CharLength(rule, a, i);
        const size_t lenB = CharLength(rule, b, j);
        if (Rank(ca) != Rank(cb)) return Rank(ca) < Rank(cb) ? -1 : 1;
        if (lenA == 1 && lenB == 1) {
            if (Fold(ca) != Fold(cb)) return Fold(ca) < Fold(cb) ? -1 : 1;
        } else if (const int c = a.substr(i, lenA).compare(b.substr(j, lenB))) {
            return c < 0 ? -1 : 1;
        }
        i += lenA;
        j += lenB;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

} // namespace

int CompareLogical(const CharacterRule &rule, std::string_view a, std::string_view b) {
    if (const int c = CompareOrder(rule, a, b)) return c;
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

std::optional<std::string> NextEntryName(const CharacterRule &rule,
                                         std::span<const FolderEntry> entries,
                                         std::string_view after, bool isFolder,
                                         std::string_view skip) {
    const FolderEntry *best = nullptr;
    for (const FolderEntry &entry : entries) {
        if (entry.IsFolder != isFolder || entry.Hidden || entry.System || !entry.FitsCodePage)
            continue;
        if (entry.Name == skip || entry.Name == "." || entry.Name == "..") continue;
        if (CompareLogical(rule, entry.Name, after) <= 0) continue;
        if (best == nullptr || CompareLogical(rule, entry.Name, best->Name) < 0) best = &entry;
    }
    if (best == nullptr) return std::nullopt;
    return best->Name;
}

} // namespace tovimar
