// Lookups on the disk: on-disk names, existence, folder scans and the opens for reading.
#pragma once

#include "core/FunctionRef.h"
#include "core/NextEntry.h"
#include "platform/Handles.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tovimar::platform {

// A zero byte would silently cut the path the API sees; such a path names nothing.
inline bool HoldsZero(const std::string &path) {
    return path.find('\0') != std::string::npos;
}

// On-disk name of the entry that path names (what a folder search finds), or nullopt.
std::optional<std::string> FindEntryName(const std::string &path);
std::optional<std::wstring> FindEntryName(const std::wstring &path);
// Every component in its on-disk spelling; path is bytes of codePage.
std::string ResolveLongPath(const std::string &path, uint32_t codePage = CP_ACP);
// The same calls in UTF-16.
std::wstring ResolveLongPath(const std::wstring &path);
std::wstring FullPath(const std::wstring &path);
bool FileIsPresent(const std::wstring &path);
bool FolderIsPresent(const std::wstring &path);
DWORD OpenForExclusiveRead(const std::wstring &path);
// The volume and file number of the entry path names (files and folders, held open or not).
std::optional<BY_HANDLE_FILE_INFORMATION> EntryInformation(const std::wstring &path);
// Calls visit with every entry of the folder that prefix names with its trailing delimiter
// (empty: the current folder), but "." and "..". An unreadable folder has none.
void ForEachFolderEntry(const std::wstring &prefix,
                        FunctionRef<void(const WIN32_FIND_DATAW &)> visit);
// Every entry of folder (not "." and ".."), read wide so that names the ANSI code page cannot
// carry are seen as such; empty when the folder cannot be read.
// Names in codePage: under UTF-8 every name fits.
std::vector<FolderEntry> ListFolder(const std::string &folder, uint32_t codePage = CP_ACP);
// path made absolute against the current folders; path itself on failure.
std::string FullPath(const std::string &path);
bool FileIsPresent(const std::string &path);
bool FolderIsPresent(const std::string &path);

// path opened for reading with full sharing: whoever else has the file open keeps every
// right they had. Invalid when it cannot be opened (GetLastError says why).
FileHandle OpenForSharedReading(const std::string &path);
FileHandle OpenForSharedReading(const std::wstring &path);

// Opens path for reading without sharing and closes it at once. Returns
// ERROR_SUCCESS when the file could be opened exclusively, else GetLastError().
DWORD OpenForExclusiveRead(const std::string &path);

} // namespace tovimar::platform
