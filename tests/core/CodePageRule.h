// The character rule a test row names by its code page.
#pragma once

#include "core/DoubleByte.h"

namespace tovimar {

// The character rule of a code page: 932, 65001, or any other for a single-byte one.
inline CharacterRule RuleFor(uint32_t codePage) {
    if (codePage == 932) return ShiftJisRule();
    if (codePage == Utf8CodePage) return Utf8Rule();
    return CharacterRule{};
}

} // namespace tovimar
