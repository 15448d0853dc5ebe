// The character rule of the running system.
#pragma once

namespace tovimar::platform {

// Builds the character rule from the thread locale and the ANSI code page and installs it
// (start-up, setting change), with the code page's literals.
void LoadCharacterRule();

} // namespace tovimar::platform
