// What every fuzz target shares: a property check that stops the run, the character rule chosen
// by one input byte, and what a whole text is under it.
#pragma once

#include "core/DoubleByte.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace fuzz {

// A broken property is a finding: abort, so that libFuzzer keeps the input.
inline void Check(bool condition) {
    if (!condition) std::abort();
}

// The low bit of selector picks single-byte mode, else the high bit UTF-8 or code page 932.
inline tovimar::CharacterRule RuleOf(uint8_t selector) {
    using namespace tovimar;
    return (selector & 1) ? CharacterRule{} : (selector & 0x80) ? Utf8Rule() : ShiftJisRule();
}

// No character of s is cut short: under UTF-8 every byte from 0x80 up belongs to a whole
// sequence; in a double-byte code page no lone lead byte ends s.
inline bool IsWhole(const tovimar::CharacterRule &rule, std::string_view s) {
    using namespace tovimar;
    if (!rule.Utf8Mode) return CutCharacterAtEnd(rule, s) == 0;
    for (size_t pos = 0; pos < s.size();) {
        const size_t length = CharLength(rule, s, pos);
        if (length == 1 && static_cast<unsigned char>(s[pos]) >= 0x80) return false;
        pos += length;
    }
    return true;
}

} // namespace fuzz
