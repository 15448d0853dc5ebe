#include "core/PathRules.h"

#include "core/AsciiCase.h"
#include "core/DoubleByte.h"

#include <algorithm>
#include <vector>

namespace tovimar {

namespace {

constexpr std::string_view PathSeparators = "\\:";
constexpr std::string_view NameSeparators = ".\\:";
// A search's cFileName holds at most MAX_PATH bytes (the ANSI call) or UTF-16 units (the wide
// one, whose name a UTF-8 path gets back: up to three bytes a unit).
constexpr size_t MaxEntryName = 260;

bool EndsWithSingleDelimiter(const CharacterRule &rule, std::string_view p) {
    return !p.empty() && p.back() == PathDelimiter &&
           ByteKind(rule, p, p.size() - 1) == ByteKindValue::Single;
}

bool IsDelimiterAt(std::string_view p, size_t pos) {
    return pos < p.size() && p[pos] == PathDelimiter;
}

// Offset just past the next delimiter at or after pos (the end of p when there is none).
size_t SkipComponent(const CharacterRule &rule, std::string_view p, size_t pos) {
    while (pos < p.size()) {
        if (p[pos] == PathDelimiter) return pos + 1;
        pos += CharLength(rule, p, pos);
    }
    return p.size();
}

size_t DriveRootLength(const CharacterRule &rule, std::string_view p, size_t pos) {
    if (p.size() - pos >= 2 && p[pos + 1] == DriveDelimiter &&
        ByteKind(rule, p, pos) == ByteKindValue::Single)
        return IsDelimiterAt(p, pos + 2) ? pos + 3 : pos + 2;
    return pos;
}

bool NameHasWildcard(std::string_view name) {
    return name.find_first_of("*?") != std::string_view::npos;
}

std::string EntryName(const CharacterRule &rule, const std::optional<std::string> &found) {
    if (!found) return {};
    std::string_view name(*found);
    name = name.substr(0, name.find('\0'));
    if (rule.Utf8Mode) return std::string(name.substr(0, FitUtf16Units(rule, name, MaxEntryName)));
    return std::string(name.substr(0, MaxEntryName));
}

} // namespace

size_t LastSeparatorIndex(const CharacterRule &rule, std::string_view separators,
                          std::string_view s) {
    size_t i = s.size();
    while (i > 0) {
        --i;
        const char b = s[i];
        if (b != '\0' && separators.find(b) != std::string_view::npos) {
            if (ByteKind(rule, s, i) != ByteKindValue::Trail) return i;
            if (i == 0) break;
            --i; // the lead byte goes with its trail byte
        }
    }
    return std::string_view::npos;
}

namespace {

// Offset just past the last separator of s: where its last component starts (0 without one).
size_t AfterLastSeparator(const CharacterRule &rule, std::string_view separators,
                          std::string_view s) {
    const size_t index = LastSeparatorIndex(rule, separators, s);
    return index == std::string_view::npos ? 0 : index + 1;
}

} // namespace

std::string PathPrefix(const CharacterRule &rule, std::string_view p) {
    return std::string(p.substr(0, AfterLastSeparator(rule, PathSeparators, p)));
}

std::string PathName(const CharacterRule &rule, std::string_view p) {
    return std::string(p.substr(AfterLastSeparator(rule, PathSeparators, p)));
}

std::string PathExtension(const CharacterRule &rule, std::string_view p) {
    size_t k = AfterLastSeparator(rule, NameSeparators, p);
    if (k > 0 && p[k - 1] == ExtensionMark) return std::string(p.substr(k - 1));
    return {};
}

std::string StripExtension(const CharacterRule &rule, std::string_view p) {
    size_t k = AfterLastSeparator(rule, NameSeparators, p);
    if (k > 0 && p[k - 1] == ExtensionMark) return std::string(p.substr(0, k - 1));
    return std::string(p);
}

std::string PathFolder(const CharacterRule &rule, std::string_view p) {
    size_t k = AfterLastSeparator(rule, PathSeparators, p);
    // The byte before the delimiter is compared as a plain byte: a trail 0x5C counts as one.
    if (k > 1 && p[k - 1] == PathDelimiter && p[k - 2] != PathDelimiter &&
        p[k - 2] != DriveDelimiter)
        --k;
    return std::string(p.substr(0, k));
}

std::string AddTrailingDelimiter(const CharacterRule &rule, std::string_view p) {
    std::string result(p);
    if (!EndsWithSingleDelimiter(rule, p)) result += PathDelimiter;
    return result;
}

std::string RemoveTrailingDelimiter(const CharacterRule &rule, std::string_view p) {
    if (EndsWithSingleDelimiter(rule, p)) p.remove_suffix(1);
    return std::string(p);
}

size_t PathRootLength(const CharacterRule &rule, std::string_view p) {
    if (IsDelimiterAt(p, 0) && IsDelimiterAt(p, 1)) {
        size_t pos = 2;
        // \\?\ and \\.\ name the object literally; below them a drive, UNC\server\share or
        // a device name (\\?\Volume{...}\) forms the root.
        if (p.size() >= 4 && (p[2] == '?' || p[2] == '.') && p[3] == PathDelimiter) {
            pos = 4;
            if (StartsWithIgnoringAsciiCase(p.substr(pos), "UNC\\")) {
                pos += 4;
            } else {
                size_t drive = DriveRootLength(rule, p, pos);
                return drive > pos ? drive : SkipComponent(rule, p, pos);
            }
        }
        return SkipComponent(rule, p, SkipComponent(rule, p, pos)); // server, then share
    }
    if (IsDelimiterAt(p, 0)) return 1;
    return DriveRootLength(rule, p, 0);
}

bool IsDriveRelative(const CharacterRule &rule, std::string_view p) {
    return DriveRootLength(rule, p, 0) == 2;
}

bool IsRootOnly(const CharacterRule &rule, std::string_view p) {
    return !p.empty() && PathRootLength(rule, p) >= p.size();
}

std::string RemoveTrailingDelimiters(const CharacterRule &rule, std::string_view p) {
    const size_t root = PathRootLength(rule, p);
    while (p.size() > root && EndsWithSingleDelimiter(rule, p))
        p.remove_suffix(1);
    return std::string(p);
}

bool HoldsWildcard(std::string_view p) {
    if (p.size() >= 4 && IsDelimiterAt(p, 0) && IsDelimiterAt(p, 1) && p[2] == '?' &&
        IsDelimiterAt(p, 3))
        p.remove_prefix(4);
    return NameHasWildcard(p);
}

std::string WithoutLiteralPrefix(const CharacterRule &rule, std::string_view p) {
    if (!StartsWithIgnoringAsciiCase(p, "\\\\?\\")) return std::string(p);
    const std::string_view rest = p.substr(4);
    if (StartsWithIgnoringAsciiCase(rest, "UNC\\")) return "\\\\" + std::string(rest.substr(4));
    if (DriveRootLength(rule, rest, 0) == 3) return std::string(rest);
    return std::string(p);
}

std::string CanonicalPath(const CharacterRule &rule, std::string_view path) {
    if (StartsWithIgnoringAsciiCase(path, "\\\\?\\")) return std::string(path);
    // '/' is never a trail byte of a double-byte character, nor part of a UTF-8 sequence.
    std::string p(path);
    std::replace(p.begin(), p.end(), '/', PathDelimiter);
    if (StartsWithIgnoringAsciiCase(p, "\\\\?\\")) return p;

    const size_t root = PathRootLength(rule, p);
    std::vector<std::string_view> kept;
    const std::string_view view(p);
    for (size_t pos = root; pos < p.size();) {
        size_t end = pos;
        while (end < p.size() && p[end] != PathDelimiter)
            end += CharLength(rule, view, end);
        end = std::min(end, p.size());
        const std::string_view name = view.substr(pos, end - pos);
        pos = end + 1;
        if (name.empty() || name == ".") continue;
        if (name == ".." && !kept.empty() && kept.back() != "..") {
            kept.pop_back();
            continue;
        }
        // Above the root there is nothing; a relative path keeps what it cannot resolve.
        if (name == ".." && root > 0) continue;
        kept.push_back(name);
    }
    std::string result = p.substr(0, root);
    for (size_t i = 0; i < kept.size(); ++i) {
        if (i > 0) result += PathDelimiter;
        result += kept[i];
    }
    // A trailing delimiter says "a folder": it stays.
    if (!kept.empty() && EndsWithSingleDelimiter(rule, p)) result += PathDelimiter;
    return result;
}

bool IsFullPath(const CharacterRule &rule, std::string_view p) {
    return (IsDelimiterAt(p, 0) && IsDelimiterAt(p, 1)) || DriveRootLength(rule, p, 0) == 3;
}

std::string ResolveLongPath(const CharacterRule &rule, std::string_view p,
                            const FindEntryName &find) {
    const size_t root = PathRootLength(rule, p);

    // Walk up from the last component to the root, then look each one up on the way down:
    // every search sees its folder already in on-disk form.
    struct Component {
        std::string_view Name;
        // A delimiter was taken off the folder and goes back in; after a colon none is added,
        // so C:file.txt keeps naming a file in the drive's current folder.
        bool DelimiterBefore;
    };
    std::vector<Component> components;
    std::string_view rest = p;
    while (rest.size() > root) {
        size_t k = AfterLastSeparator(rule, PathSeparators, rest);
        if (k == rest.size() || k < root) break; // ends in a delimiter: nothing to resolve
        std::string_view folder = rest.substr(0, k);
        bool delimiter = folder.size() > root && EndsWithSingleDelimiter(rule, folder);
        components.push_back({rest.substr(k), delimiter});
        rest = delimiter ? folder.substr(0, folder.size() - 1) : folder;
    }

    std::string result(rest);
    // The walk can stop above a doubled delimiter or a colon; a wildcard there still counts.
    bool searching = !NameHasWildcard(rest.substr(std::min(root, rest.size())));
    for (auto it = components.rbegin(); it != components.rend(); ++it) {
        if (it->DelimiterBefore) result = AddTrailingDelimiter(rule, result);
        // A wildcard would match some other entry; it and all below it stay as typed.
        if (NameHasWildcard(it->Name)) searching = false;
        std::string name;
        if (searching) name = EntryName(rule, find(result + std::string(it->Name)));
        result += name.empty() ? it->Name : std::string_view(name);
    }
    return result;
}

} // namespace tovimar
