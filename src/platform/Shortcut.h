// Shell shortcuts (.lnk) and the folders the shell keeps for the user, wide throughout: the
// paths belong to the shell, not to the ANSI names the program renames.
#pragma once

#include <windows.h>

#include <string>

namespace tovimar::platform {

// The shell folder csidl names (CSIDL_SENDTO, ...), made when create and missing.
HRESULT ShellFolder(int csidl, bool create, std::wstring &folder);
// The program that the shortcut link starts, as the link stores it.
HRESULT ReadShortcutTarget(const std::wstring &link, std::wstring &program);
// Writes link, replacing a file of that name, to start program with its icon, in its folder.
HRESULT WriteShortcut(const std::wstring &link, const std::wstring &program,
                      const std::wstring &description);
// True when both name one entry: compared in their long form, ignoring case as the file
// system does.
bool SameEntryPath(const std::wstring &left, const std::wstring &right);

} // namespace tovimar::platform
