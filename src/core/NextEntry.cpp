#include "core/NextEntry.h"

#include "core/AsciiCase.h"
#include "core/DoubleByte.h"
#include "core/PathRules.h"
#include "core/Utf8.h"

#include <algorithm>
#include <cstdint>
#include <functional>

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

// Where a UTF-8 character sorts among UTF-16 code units, as the shell compares: U+E000..U+FFFF
// after everything beyond U+FFFF, whose first unit is a surrogate (0xD800..0xDBFF). A byte that
// makes no character sorts after every character, by its value.
uint32_t Utf16OrderKey(std::string_view s, size_t pos, size_t length) {
    const auto character = Utf8CharacterAt(s, pos);
    if (!character || character->Length != length)
        return 0x300000 + static_cast<unsigned char>(s[pos]);
    const char32_t code = character->Code;
    return code >= 0xE000 && code <= 0xFFFF ? code + 0x110000 : code;
}

int CompareCharacter(const CharacterRule &rule, std::string_view a, size_t i, size_t lenA,
                     std::string_view b, size_t j, size_t lenB) {
    if (rule.Utf8Mode) {
        const uint32_t keyA = Utf16OrderKey(a, i, lenA);
        const uint32_t keyB = Utf16OrderKey(b, j, lenB);
        return keyA == keyB ? 0 : (keyA < keyB ? -1 : 1);
    }
    const int c = a.substr(i, lenA).compare(b.substr(j, lenB));
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
        } else if (const int c = CompareCharacter(rule, a, i, lenA, b, j, lenB)) {
            return c;
        }
        i += lenA;
        j += lenB;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

bool Shown(const FolderEntry &entry, bool isFolder) {
    return entry.IsFolder == isFolder && !entry.Hidden && !entry.System && entry.FitsCodePage &&
           entry.Name != "." && entry.Name != "..";
}

bool IdLess(const EntryId &a, const EntryId &b) {
    return a.Volume != b.Volume ? a.Volume < b.Volume : a.Index < b.Index;
}

template <typename T, typename Less> void InsertSorted(std::vector<T> &items, T item, Less less) {
    const auto at = std::lower_bound(items.begin(), items.end(), item, less);
    if (at == items.end() || less(item, *at)) items.insert(at, std::move(item));
}

template <typename T, typename Less>
bool ContainsSorted(const std::vector<T> &items, const T &item, Less less) {
    return std::binary_search(items.begin(), items.end(), item, less);
}

} // namespace

int CompareLogical(const CharacterRule &rule, std::string_view a, std::string_view b) {
    if (const int c = CompareOrder(rule, a, b)) return c;
    // Names equal in that order differ first in an ASCII byte (a letter's case, a leading zero),
    // where byte order is UTF-16 order too.
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void FolderWalk::Start(const CharacterRule &rule, std::string_view targetPath, bool isFolder,
                       WalkDisk &disk) {
    started_ = true;
    folder_ = PathFolder(rule, targetPath);
    order_.clear();
    producedIds_.clear();
    givenNames_.clear();
    for (FolderEntry &entry : disk.ListFolder(folder_))
        if (Shown(entry, isFolder)) order_.push_back(std::move(entry.Name));
    const auto logicalLess = [&rule](const std::string &a, const std::string &b) {
        return CompareLogical(rule, a, b) < 0;
    };
    std::sort(order_.begin(), order_.end(), logicalLess);
    // The entries up to the target's own name are behind it.
    next_ = static_cast<std::size_t>(
        std::upper_bound(order_.begin(), order_.end(), PathName(rule, targetPath), logicalLess) -
        order_.begin());
}

void FolderWalk::Remember(const CharacterRule &rule, const std::string &renamedPath,
                          WalkDisk &disk) {
    // Looked up under its new name: some file systems number an entry by where it is stored.
    if (const auto standing = disk.Look(renamedPath); standing && standing->Id)
        InsertSorted(producedIds_, *standing->Id, IdLess);
    InsertSorted(givenNames_, disk.UpperCase(PathName(rule, renamedPath)),
                 std::less<std::string>());
}

bool FolderWalk::Produced(const std::string &name, const std::optional<EntryId> &id,
                          WalkDisk &disk) const {
    if (id && ContainsSorted(producedIds_, *id, IdLess)) return true;
    return ContainsSorted(givenNames_, disk.UpperCase(name), std::less<std::string>());
}

std::optional<std::string> FolderWalk::Next(const CharacterRule &rule, std::string_view targetPath,
                                            const std::string &renamedPath, bool isFolder,
                                            WalkDisk &disk) {
    if (!started_ || PathFolder(rule, targetPath) != folder_)
        Start(rule, targetPath, isFolder, disk);
    Remember(rule, renamedPath, disk);
    while (next_ < order_.size()) {
        const std::string &name = order_[next_++];
        std::string path = AddTrailingDelimiter(rule, folder_);
        path += name;
        // Gone meanwhile, or another kind of entry under the same name now.
        const std::optional<StandingEntry> standing = disk.Look(path);
        if (!standing || standing->IsFolder != isFolder) continue;
        if (Produced(name, standing->Id, disk)) continue;
        return path;
    }
    return std::nullopt;
}

} // namespace tovimar
