// Rename and delete through the shell, so a delete lands in the recycle bin; opening
// documents and web addresses; the COM apartment and the shell's early load.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace tovimar::platform {

// SHFileOperationA with flags FOF_SILENT|FOF_NOCONFIRMATION|FOF_ALLOWUNDO|FOF_FILESONLY.
// A rename onto another existing entry is refused with ERROR_ALREADY_EXISTS before the shell
// is asked (newer shells would replace it); a source or destination that is empty or holds a
// zero byte or a wildcard is refused with ERROR_INVALID_PARAMETER (the shell would widen it).
inline constexpr UINT ShellRename = FO_RENAME;
inline constexpr UINT ShellDelete = FO_DELETE;
int ShellFileOperation(HWND owner, const std::string &source, const std::string &destination,
                       UINT operation);

// Enters a single-threaded COM apartment on the calling thread, once for the run; the shell's
// objects and some of its associations need one.
void EnterApartment();

// Loads the shell on a thread of its own, once, so that the first rename does not wait for it
// and no keystroke waits either.
void PrepareShell();

// Starts the program's own executable with parameters through the shell's default action.
void StartProgram(HWND owner, const std::string &parameters);

// The shell's default action with no parameters and no working directory: opens a document
// in its associated application, or a web address in the browser. ERROR_SUCCESS, or the
// system's error code when nothing was opened; the shell shows no box of its own.
DWORD ShellOpen(HWND owner, const std::string &file, int show);

} // namespace tovimar::platform
