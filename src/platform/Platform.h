// The thin Win32 adapter: every platform operation the program uses, with ANSI byte strings.
#pragma once

#include "core/DoubleByte.h"
#include "core/NextEntry.h"
#include "core/Target.h"

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovimar::platform {

// The one crossing between the Unicode controls and the ANSI (CP_ACP) byte strings.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);
// The program's own fixed texts are code page 932 on every system; where that code page is
// not installed they are read as ANSI.
std::wstring FromProgramText(std::string_view bytes);
// True when every character of text survives the trip to the ANSI code page and back.
bool FitsAnsiCodePage(std::wstring_view text);

// Builds the ANSI code page's character rule from the thread locale and the ANSI code page and
// keeps it (start-up, setting change), with the code page's literals.
void LoadCharacterRule();
// The rule kept by LoadCharacterRule: the one the program's ANSI strings are stepped by.
const CharacterRule &AnsiCharacterRule();

// A zero byte would silently cut the path the API sees; such a path names nothing.
inline bool HoldsZero(const std::string &path) {
    return path.find('\0') != std::string::npos;
}

// On-disk name of the entry that path names (FindFirstFileA's cFileName), or nullopt.
std::optional<std::string> FindEntryName(const std::string &path);
std::string ResolveLongPath(const std::string &path);
// The volume and file number of the entry path names (files and folders, held open or not).
std::optional<BY_HANDLE_FILE_INFORMATION> EntryInformation(const std::wstring &path);
// Every entry of folder (not "." and ".."), read wide so that names the ANSI code page cannot
// carry are seen as such; empty when the folder cannot be read.
std::vector<FolderEntry> ListFolder(const std::string &folder);
// GetFullPathNameA: path made absolute against the current folders; path itself on failure.
std::string FullPath(const std::string &path);
bool FileIsPresent(const std::string &path);
bool FolderIsPresent(const std::string &path);

// CreateFileA(GENERIC_READ, no sharing); the handle is closed at once. Returns
// ERROR_SUCCESS when the file could be opened exclusively, else GetLastError().
DWORD OpenForExclusiveRead(const std::string &path);

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
// ArgumentAt(0) names the program: the module path, or its short form when the long one does
// not fit the ANSI code page. False when neither does.
bool ProgramPathUsable();
// The i-th argument (i >= 1) of a wide command line, read by the same rules as the ANSI one.
std::wstring WideArgumentAt(std::wstring_view commandLine, int i);

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

// The system's own text for an error code, in the ANSI code page, without the line break.
std::string SystemErrorText(DWORD code);

// Locale-aware ANSI case mapping over the whole byte length (CharUpperBuffA/CharLowerBuffA).
std::string AnsiUpper(std::string text);
std::string AnsiLower(std::string text);

} // namespace tovimar::platform
