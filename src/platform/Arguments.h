// The program's own path and its arguments, read from the raw command line.
#pragma once

#include "core/Target.h"

#include <string>
#include <string_view>

namespace tovimar::platform {

// The i-th argument made full and canonical, in its on-disk spelling, or why there is none.
ResolvedTarget ResolveStartTarget(int i);

// GetCommandLineA and the argument rules over it; ArgumentAt(0) is the module path.
int ArgumentCount();
std::string ArgumentAt(int i);
// True when the i-th argument held characters the ANSI code page cannot represent, judged
// against the same argument read from the wide command line (i = 0: the module path).
bool ArgumentLostCharacters(int i);
// The running executable in full, in UTF-16 (ArgumentAt(0) may be a short form).
std::wstring ModulePath();
// The file name in the running executable's folder, in full.
std::wstring ProgramFolderFile(std::wstring_view name);
// ArgumentAt(0) names the program: the module path, or its short form when the long one does
// not fit the ANSI code page. False when neither does.
bool ProgramPathUsable();
// The i-th argument (i >= 1) of a wide command line, read by the same rules as the ANSI one.
std::wstring WideArgumentAt(std::wstring_view commandLine, int i);

} // namespace tovimar::platform
