// Reading and writing the values of the settings file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tovimar {

// Strings come back through a 2048-byte buffer: at most this many bytes.
inline constexpr size_t IniStringLimit = 2047;

// An integer value as the settings file holds it; defaultValue for anything unreadable.
int32_t ParseIniInteger(std::string_view text, int32_t defaultValue);

// A boolean is an integer that is true when not zero.
bool ParseIniBool(std::string_view text, bool defaultValue);

// Plain decimal: a minus sign for negatives, no leading zeros, no grouping.
std::string FormatIniInteger(int32_t value);
inline std::string FormatIniBool(bool value) {
    return value ? "1" : "0";
}

// The first IniStringLimit bytes of text, never ending in half a double-byte character.
std::string CutIniString(std::string_view text);

} // namespace tovimar
