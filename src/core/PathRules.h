// Splitting and joining of ANSI paths, double-byte safe. Positions are 1-based, lengths in bytes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tovimar {

inline constexpr char PathDelimiter = '\\';
inline constexpr char DriveDelimiter = ':';
inline constexpr char ExtensionMark = '.';

size_t LastSeparatorIndex(std::string_view separators, std::string_view s);
std::string PathPrefix(std::string_view p);
std::string PathName(std::string_view p);
std::string PathExtension(std::string_view p);
std::string StripExtension(std::string_view p);
std::string PathFolder(std::string_view p);
std::string AddTrailingDelimiter(std::string_view p);
std::string RemoveTrailingDelimiter(std::string_view p);

// Length of the part of p that is never looked up: a drive (C:, C:\), the root of the current
// drive (\), a share (\\server\share\) or a \\?\ prefix with its drive, share or device.
size_t PathRootLength(std::string_view p);

// The on-disk name of the last component of path (what FindFirstFileA reports), or nullopt.
using FindEntryName = std::function<std::optional<std::string>(const std::string &path)>;

// p with every component below its root in the on-disk form that find reports. Components
// that find does not know, and a component with a wildcard and all below it, stay as given.
std::string ResolveLongPath(std::string_view p, const FindEntryName &find);

} // namespace tovimar
