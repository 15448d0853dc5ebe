// The code page a set of strings is worked in: the ANSI one while every string fits it, else
// UTF-8. Decided from the strings a rule is given, never for the whole process.
#pragma once

#include "core/DoubleByte.h"

#include <cstdint>
#include <initializer_list>

namespace tovimar {

// fits: for each string, whether it survives the trip to the ANSI code page and back exactly.
uint32_t WorkingCodePage(uint32_t ansiCodePage, std::initializer_list<bool> fits);

// The character rule strings of codePage are cut by: the ANSI code page's own, or UTF-8's.
const CharacterRule &RuleOfCodePage(uint32_t codePage, uint32_t ansiCodePage,
                                    const CharacterRule &ansiRule);

} // namespace tovimar
