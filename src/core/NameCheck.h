// Names Windows refuses or silently changes, and paths the ANSI calls cannot address: both are
// caught before anything on disk is touched.
#pragma once

#include "core/DoubleByte.h"

#include <cstddef>
#include <string_view>

namespace tovimar {

enum class NameFault {
    None,
    ForbiddenCharacter, // \ / : * ? " < > | or a control byte, outside a double-byte character
    DeviceName,         // CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM1-9, LPT1-9, whatever follows
                        // the first dot
    TrailingDotOrBlank, // Windows would store the name without it
};

// The final name of an entry (name and extension together), by the rule of its code page.
NameFault CheckName(const CharacterRule &rule, std::string_view name);

// The longest path the file calls take: MAX_PATH less the terminating zero, in UTF-16 units.
// The ANSI calls convert the path first, so a double-byte character counts once; under UTF-8
// a character beyond U+FFFF (an emoji) counts twice.
inline constexpr size_t AnsiPathLimit = 259;

bool PathTooLong(const CharacterRule &rule, std::string_view path);

// A name's length in the units file systems count.
struct NameLength {
    size_t Utf16Units = 0;
    size_t Utf8Bytes = 0;
};
// What a file system keeps per name; 0 where there is no limit or it cannot be told.
struct NameLimits {
    size_t MaxUtf16Units = 0; // the volume's own limit (255 on NTFS and FAT)
    size_t MaxUtf8Bytes = 0;  // a Linux file system under Wine, which cuts a longer name
};
inline constexpr size_t LinuxNameBytes = 255;

bool NameFitsLimits(NameLength length, NameLimits limits);

} // namespace tovimar
