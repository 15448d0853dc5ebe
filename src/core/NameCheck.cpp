#include "core/NameCheck.h"

#include "core/AsciiCase.h"
#include "core/DoubleByte.h"

#include <array>

namespace tovimar {

namespace {

bool IsForbidden(unsigned char b) {
    if (b < 0x20) return true;
    return std::string_view("\\/:*?\"<>|").find(static_cast<char>(b)) != std::string_view::npos;
}

// Windows up to 10 takes "con.txt" and "con .txt" for the device as well: the part before the
// first dot, blanks at its end ignored, decides. Refusing those too is safe on every version.
bool IsDeviceName(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ')
        stem.remove_suffix(1);
    // CONIN$ and CONOUT$ open the console's input and output.
    static constexpr std::array<std::string_view, 6> Plain = {
        "CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$",
    };
    for (std::string_view device : Plain)
        if (SameIgnoringAsciiCase(stem, device)) return true;
    if (stem.size() != 4 || stem[3] < '1' || stem[3] > '9') return false;
    return SameIgnoringAsciiCase(stem.substr(0, 3), "COM") ||
           SameIgnoringAsciiCase(stem.substr(0, 3), "LPT");
}

} // namespace

NameFault CheckName(const CharacterRule &rule, std::string_view name) {
    // Only \ and | can be the trail byte of a character; a lower byte after a lead byte makes
    // no character and stays forbidden.
    for (size_t pos = 0; pos < name.size();) {
        const size_t length = CharLength(rule, name, pos);
        const auto last = static_cast<unsigned char>(name[pos + length - 1]);
        if (IsForbidden(last) && (length == 1 || last < 0x40)) return NameFault::ForbiddenCharacter;
        pos += length;
    }
    if (IsDeviceName(name)) return NameFault::DeviceName;
    if (!name.empty() && (name.back() == '.' || name.back() == ' '))
        return NameFault::TrailingDotOrBlank;
    return NameFault::None;
}

bool PathTooLong(const CharacterRule &rule, std::string_view path) {
    // A character never converts to more units than it has bytes.
    if (path.size() <= AnsiPathLimit) return false;
    return Utf16Length(rule, path) > AnsiPathLimit;
}

bool NameFitsLimits(NameLength length, NameLimits limits) {
    if (limits.MaxUtf8Bytes != 0 && length.Utf8Bytes > limits.MaxUtf8Bytes) return false;
    return limits.MaxUtf16Units == 0 || length.Utf16Units <= limits.MaxUtf16Units;
}

} // namespace tovimar
