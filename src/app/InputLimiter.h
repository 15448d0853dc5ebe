// What the user types, pastes or composes into an edit, held to a byte limit in the working code
// page it then needs (ANSI while it and its partner fit, else UTF-8); texts set by the program
// are not limited.
#pragma once

#include <windows.h>

#include <cstddef>

namespace tovimar::app {

// An edit's own handler after the limit, with the id and data it was hooked with.
using EditHandler = LRESULT (*)(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR data);

// Hooks the edit; handler, when given, sees every message after the limit, and passes on with
// CallControl.
void LimitTyping(HWND edit, size_t maxBytes, EditHandler handler = nullptr, UINT_PTR id = 0,
                 DWORD_PTR data = 0);

// Two hooked edits whose texts decide one working code page (the name and the extension).
void PairLimitedFields(HWND first, HWND second);

// The control's own procedure, past every hook.
LRESULT CallControl(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace tovimar::app
