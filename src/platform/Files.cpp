// Lookups on the disk: on-disk names, existence and the exclusive-open test.
#include "platform/Files.h"

#include "core/PathRules.h"
#include "platform/Handles.h"
#include "platform/Locale.h"
#include "platform/Text.h"

#include <cstring>

namespace tovimar::platform {

// The ANSI forms below cross to the wide calls, as the system's own A calls do inside.
std::optional<std::string> FindEntryName(const std::string &path) {
    if (path.empty() || HoldsZero(path)) return std::nullopt;
    const std::optional<std::wstring> name = FindEntryName(FromAnsi(path));
    if (!name) return std::nullopt;
    return ToAnsi(*name);
}

std::optional<std::wstring> FindEntryName(const std::wstring &path) {
    if (path.empty() || path.find(L'\0') != std::wstring::npos) return std::nullopt;
    WIN32_FIND_DATAW entry{};
    FindHandle search(::FindFirstFileW(path.c_str(), &entry));
    if (!search.IsValid()) return std::nullopt;
    return std::wstring(entry.cFileName, wcsnlen(entry.cFileName, MAX_PATH));
}

std::wstring FullPath(const std::wstring &path) {
    if (path.empty() || path.find(L'\0') != std::wstring::npos) return path;
    std::wstring full(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
        DWORD length = ::GetFullPathNameW(path.c_str(), DWORD(full.size()), full.data(), nullptr);
        if (length == 0) return path;
        if (length < full.size()) return full.substr(0, length);
        full.assign(length, L'\0'); // too small: length is the size needed
    }
    return path;
}

bool FileIsPresent(const std::wstring &path) {
    if (path.empty() || path.find(L'\0') != std::wstring::npos) return false;
    WIN32_FIND_DATAW entry{};
    FindHandle search(::FindFirstFileW(path.c_str(), &entry));
    return search.IsValid() && (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FolderIsPresent(const std::wstring &path) {
    if (path.empty() || path.find(L'\0') != std::wstring::npos) return false;
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

DWORD OpenForExclusiveRead(const std::wstring &path) {
    if (path.find(L'\0') != std::wstring::npos) return ERROR_INVALID_NAME;
    FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.IsValid()) return ERROR_SUCCESS;
    DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_OPEN_FAILED;
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

std::vector<FolderEntry> ListFolder(const std::string &folder, uint32_t codePage) {
    std::vector<FolderEntry> entries;
    if (HoldsZero(folder)) return entries;
    const bool utf8 = codePage == CP_UTF8;
    ForEachFolderEntry(ToWide(codePage, AddTrailingDelimiter(RuleOf(codePage), folder)),
                       [&](const WIN32_FIND_DATAW &found) {
                           const DWORD attributes = found.dwFileAttributes;
                           entries.push_back({FromWide(codePage, found.cFileName),
                                              (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                              (attributes & FILE_ATTRIBUTE_HIDDEN) != 0,
                                              (attributes & FILE_ATTRIBUTE_SYSTEM) != 0,
                                              utf8 || FitsAnsiCodePage(found.cFileName)});
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

std::string ResolveLongPath(const std::string &path, uint32_t codePage) {
    return tovimar::ResolveLongPath(
        RuleOf(codePage), path, [codePage](const std::string &part) -> std::optional<std::string> {
            if (HoldsZero(part)) return std::nullopt;
            const auto name = FindEntryName(ToWide(codePage, part));
            if (!name) return std::nullopt;
            return FromWide(codePage, *name);
        });
}

std::wstring ResolveLongPath(const std::wstring &path) {
    return ToWide(CP_UTF8, ResolveLongPath(FromWide(CP_UTF8, path), CP_UTF8));
}

std::string FullPath(const std::string &path) {
    if (path.empty() || HoldsZero(path)) return path;
    const std::wstring wide = FromAnsi(path);
    const std::wstring full = FullPath(wide);
    // A failure gives the path back as it came, byte for byte.
    return full == wide ? path : ToAnsi(full);
}

bool FileIsPresent(const std::string &path) {
    // No DOS-date test: a file stamped before 1980 or after 2107 is still there, and calling
    // it missing would let a rename overwrite it.
    return !path.empty() && !HoldsZero(path) && FileIsPresent(FromAnsi(path));
}

bool FolderIsPresent(const std::string &path) {
    return !path.empty() && !HoldsZero(path) && FolderIsPresent(FromAnsi(path));
}

FileHandle OpenForSharedReading(const std::string &path) {
    return OpenForSharedReading(FromAnsi(path));
}

FileHandle OpenForSharedReading(const std::wstring &path) {
    return FileHandle(::CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

DWORD OpenForExclusiveRead(const std::string &path) {
    if (HoldsZero(path)) return ERROR_INVALID_NAME;
    return OpenForExclusiveRead(FromAnsi(path));
}

} // namespace tovimar::platform
