// The program's entry in Explorer's Send To menu: a shortcut named Tovimar.lnk in the user's
// Send To folder. Looked up on the disk each time, never kept in the settings: the person may
// add or remove it in Explorer meanwhile.
#pragma once

#include <windows.h>

namespace tovimar::app {

// True when the shortcut is there and starts this very executable.
bool SendToStartsThisProgram();
// Adds the shortcut, or removes it when it starts this program. One that starts another
// program is replaced only after a question. Failures are said in a box owned by owner.
void ToggleSendToEntry(HWND owner);

} // namespace tovimar::app
