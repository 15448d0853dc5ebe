// The program's own path and its arguments, read from the raw command line.
#pragma once

#include "core/Target.h"

#include <string>
#include <string_view>

namespace tovimar::platform {

// The i-th argument made full and canonical, in its on-disk spelling, or why there is none.
// Its path in UTF-16 beside the core's answer.
struct StartTarget {
    ResolvedTarget Target;
    std::wstring Path;
};
StartTarget ResolveStartTarget(int i);

// The arguments of the UTF-16 command line by the argument rules.
int ArgumentCount();
// The parameter string that hands the arguments from..ArgumentCount to the next instance.
std::wstring ChainParameters(int from);
// The running executable in full, in UTF-16.
std::wstring ModulePath();
// The file name in the running executable's folder, in full; empty when that path is unknown.
std::wstring ProgramFolderFile(std::wstring_view name);
// The i-th argument (i >= 1) of a wide command line, read by the argument rules.
std::wstring WideArgumentAt(std::wstring_view commandLine, int i);

} // namespace tovimar::platform
