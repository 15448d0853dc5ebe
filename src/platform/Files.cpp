// Lookups on the disk: on-disk names, existence and the exclusive-open test.
#include "platform/Files.h"

#include "core/PathRules.h"
#include "platform/Handles.h"
#include "platform/Locale.h"
#include "platform/Text.h"

#include <cstring>

namespace tovimar::platform {

std::optional<std::string> FindEntryName(const std::string &path) {
    if (path.empty() || HoldsZero(path)) return std::nullopt;
    WIN32_FIND_DATAA entry{};
    FindHandle search(::FindFirstFileA(path.c_str(), &entry));
    if (!search.IsValid()) return std::nullopt;
    return std::string(entry.cFileName, strnlen(entry.cFileName, MAX_PATH));
}

void ForEachFolderEntry(const std::wstring &prefix,
                        FunctionRef<void(const WIN32_FIND_DATAW &)> visit) {
    WIN32_FIND_DATAW found{};
    FindHandle search(::FindFirstFileW((prefix + L'*').c_str(), &found));
    for (bool more = search.IsValid(); more; more = ::FindNextFileW(search.Get(), &found)) {
        const std::wstring_view name = found.cFileName;
        if (name != L"." && name != L"..") visit(found);
    }
}

std::vector<FolderEntry> ListFolder(const std::string &folder) {
    std::vector<FolderEntry> entries;
    if (HoldsZero(folder)) return entries;
    ForEachFolderEntry(FromAnsi(AddTrailingDelimiter(AnsiCharacterRule(), folder)),
                       [&](const WIN32_FIND_DATAW &found) {
                           const DWORD attributes = found.dwFileAttributes;
                           entries.push_back({ToAnsi(found.cFileName),
                                              (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                              (attributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                                              (attributes & FILE_ATTRIBUTE_SYSTEM) != 0,
                                              FitsAnsiCodePage(found.cFileName)});
                       });
    return entries;
}

std::optional<BY_HANDLE_FILE_INFORMATION> EntryInformation(const std::wstring &path) {
    // No access asked for: a holder's share mode does not stand in the way. The flag lets a
    // folder be opened too.
    FileHandle entry(::CreateFileW(path.c_str(), 0,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!entry.IsValid() || !::GetFileInformationByHandle(entry.Get(), &info)) return std::nullopt;
    return info;
}

std::string ResolveLongPath(const std::string &path) {
    return tovimar::ResolveLongPath(AnsiCharacterRule(), path, FindEntryName);
}

std::string FullPath(const std::string &path) {
    if (path.empty() || HoldsZero(path)) return path;
    std::string full(MAX_PATH, '\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD length = ::GetFullPathNameA(path.c_str(), DWORD(full.size()), full.data(), nullptr);
        if (length == 0) return path;
        if (length < full.size()) return full.substr(0, length);
        full.assign(length, '\0'); // too small: length is the size needed
    }
    return path;
}

bool FileIsPresent(const std::string &path) {
    if (path.empty() || HoldsZero(path)) return false;
    WIN32_FIND_DATAA entry{};
    FindHandle search(::FindFirstFileA(path.c_str(), &entry));
    if (!search.IsValid()) return false;
    // No DOS-date test: a file stamped before 1980 or after 2107 is still there, and calling
    // it missing would let a rename overwrite it.
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderIsPresent(const std::string &path) {
    if (path.empty() || HoldsZero(path)) return false;
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileHandle OpenForSharedReading(const std::string &path) {
    return FileHandle(::CreateFileA(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<std::string> AnsiPathOf(const std::wstring &path) {
    if (FitsAnsiCodePage(path)) return ToAnsi(path);
    const size_t nameAt = path.find_last_of(L'\\') + 1;
    const std::wstring name = path.substr(nameAt);
    if (nameAt == 0 || !FitsAnsiCodePage(name)) return std::nullopt;
    std::wstring folder(MAX_PATH, L'\0');
    const DWORD length =
        ::GetShortPathNameW(path.substr(0, nameAt).c_str(), folder.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    folder.resize(length);
    if (folder.back() != L'\\') folder += L'\\';
    if (!FitsAnsiCodePage(folder)) return std::nullopt;
    return ToAnsi(folder + name);
}

DWORD OpenForExclusiveRead(const std::string &path) {
    if (HoldsZero(path)) return ERROR_INVALID_NAME;
    FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsValid()) return ERROR_SUCCESS;
    DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_OPEN_FAILED;
}

} // namespace tovimar::platform
