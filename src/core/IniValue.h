// Reading and writing the values of the settings file.
#pragma once

#include "core/DoubleByte.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tovimar {

// A settings value is read up to this many bytes, as through a 2048-byte buffer.
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

// The usage counter after one more run: it stops at its largest value instead of wrapping.
int32_t NextUsageCount(int32_t count);

// The first IniStringLimit bytes of text, never ending in part of a character by rule.
std::string CutIniString(const CharacterRule &rule, std::string_view text);

} // namespace tovimar
