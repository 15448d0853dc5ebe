// The thin Win32 adapter: every platform operation the program uses, with ANSI byte strings.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace tovimar::platform {

// The one crossing between the Unicode controls and the ANSI (CP_ACP) byte strings.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);
// True when every character of text survives the trip to the ANSI code page and back.
bool FitsAnsiCodePage(std::wstring_view text);

// Builds the lead-byte table from the thread locale and installs it (start-up, setting change).
void LoadDoubleByteTable();

// On-disk name of the entry that path names (FindFirstFileA's cFileName), or nullopt.
std::optional<std::string> FindEntryName(const std::string &path);
std::string ResolveLongPath(const std::string &path);
bool FileIsPresent(const std::string &path);
bool FolderIsPresent(const std::string &path);

// CreateFileA(GENERIC_READ, no sharing); the handle is closed at once. Returns
// ERROR_SUCCESS when the file could be opened exclusively, else GetLastError().
DWORD OpenForExclusiveRead(const std::string &path);

// GetCommandLineA and the argument rules over it; ArgumentAt(0) is the module path.
int ArgumentCount();
std::string ArgumentAt(int i);
// True when an argument held characters the ANSI code page cannot represent.
bool ArgumentsLostCharacters();

// SHFileOperationA with flags FOF_SILENT|FOF_NOCONFIRMATION|FOF_ALLOWUNDO|FOF_FILESONLY.
inline constexpr UINT ShellRename = FO_RENAME;
inline constexpr UINT ShellDelete = FO_DELETE;
int ShellFileOperation(HWND owner, const std::string &source, const std::string &destination,
                       UINT operation);

// Locale-aware ANSI case mapping over the whole byte length (CharUpperBuffA/CharLowerBuffA).
std::string AnsiUpper(std::string text);
std::string AnsiLower(std::string text);

} // namespace tovimar::platform
