// Functions of system libraries loaded when first needed.
#pragma once

#include <windows.h>

namespace tovimar::platform {

// The shell and COM are loaded when first needed, not at every start: a start pays for every
// library it loads, and the shell brings several more. Both are known system libraries, so
// the plain name cannot be taken over by a file beside the program. Null when unavailable.
template <typename Function> Function SystemFunction(const wchar_t *library, const char *name) {
    // Not the module handle alone: the load begun ahead of time on another thread may still
    // be running the library's start-up code, and the load call waits for it.
    HMODULE module = ::LoadLibraryW(library);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

} // namespace tovimar::platform
