// The character rule of the running system.
#pragma once

#include "core/DoubleByte.h"

namespace tovimar::platform {

// Builds the ANSI code page's character rule from the thread locale and the ANSI code page and
// keeps it (start-up, setting change), with the code page's literals.
void LoadCharacterRule();
// The rule kept by LoadCharacterRule: the one the program's ANSI strings are stepped by.
const CharacterRule &AnsiCharacterRule();

} // namespace tovimar::platform
