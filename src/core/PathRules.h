// Splitting and joining of byte-string paths by the character rule of their code page, so that
// a trail byte 0x5C is no delimiter. Positions are 0-based, lengths in bytes.
#pragma once

#include "core/DoubleByte.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tovimar {

inline constexpr char PathDelimiter = '\\';
inline constexpr char DriveDelimiter = ':';
inline constexpr char ExtensionMark = '.';

// Position of the last byte of s that is one of separators and no trail byte; npos when none.
size_t LastSeparatorIndex(const CharacterRule &rule, std::string_view separators,
                          std::string_view s);
std::string PathPrefix(const CharacterRule &rule, std::string_view p);
std::string PathName(const CharacterRule &rule, std::string_view p);
std::string PathExtension(const CharacterRule &rule, std::string_view p);
std::string StripExtension(const CharacterRule &rule, std::string_view p);
std::string PathFolder(const CharacterRule &rule, std::string_view p);
std::string AddTrailingDelimiter(const CharacterRule &rule, std::string_view p);
std::string RemoveTrailingDelimiter(const CharacterRule &rule, std::string_view p);

// Length of the part of p that is never looked up: a drive (C:, C:\), the root of the current
// drive (\), a share (\\server\share\) or a \\?\ prefix with its drive, share or device.
size_t PathRootLength(const CharacterRule &rule, std::string_view p);

// A drive followed by a path relative to that drive's current folder (Z:name.txt, Z:). Its
// folder is not the drive's root, so it must be made a full path before anything is built on it.
bool IsDriveRelative(const CharacterRule &rule, std::string_view p);

// True when p is a root and nothing below it (C:\, \\server\share\, \\?\C:\): no entry to
// rename or delete.
bool IsRootOnly(const CharacterRule &rule, std::string_view p);

// p without delimiters at its end, but never shorter than its root: C:\dir\ is the folder
// C:\dir, C:\ stays C:\.
std::string RemoveTrailingDelimiters(const CharacterRule &rule, std::string_view p);

// True when p holds * or ? outside the \\?\ prefix, which is part of the syntax.
bool HoldsWildcard(std::string_view p);

// p without its \\?\ prefix where a plain form exists: \\?\C:\x is C:\x, \\?\UNC\s\sh\x is
// \\s\sh\x. Other paths (devices, volumes, no prefix) come back as they are.
std::string WithoutLiteralPrefix(const CharacterRule &rule, std::string_view p);

// p as Explorer reads it: '/' is a delimiter, and "." and ".." components are taken out (".."
// never climbs above the root; a relative path keeps its leading ".."). Names keep their
// trailing dots and blanks, which a full-path call would strip and so name another entry.
// A \\?\ path is literal and comes back as it is.
std::string CanonicalPath(const CharacterRule &rule, std::string_view p);

// True when p needs no current folder: C:\..., \\server\share\... or \\?\...
bool IsFullPath(const CharacterRule &rule, std::string_view p);

// The on-disk name of the last component of path (what FindFirstFileA reports), or nullopt.
using FindEntryName = std::function<std::optional<std::string>(const std::string &path)>;

// p with every component below its root in the on-disk form that find reports. Components
// that find does not know, and a component with a wildcard and all below it, stay as given.
std::string ResolveLongPath(const CharacterRule &rule, std::string_view p,
                            const FindEntryName &find);

} // namespace tovimar
