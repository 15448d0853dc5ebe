#include "platform/WinFileSystem.h"

#include "core/NameCheck.h"
#include "core/PathRules.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "platform/Locale.h"
#include "platform/Shell.h"
#include "platform/Text.h"

namespace tovimar::platform {

namespace {

bool RunningOnWine() {
    static const bool wine = [] {
        const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
    }();
    return wine;
}

// The longest name, in UTF-16 units, the volume holding folder keeps; 0 when it cannot be told.
DWORD MaxNameUnits(const std::string &folder) {
    const std::wstring wide = FromAnsi(folder.empty() ? std::string(".") : folder);
    wchar_t full[MAX_PATH + 1] = {};
    const DWORD length = ::GetFullPathNameW(wide.c_str(), MAX_PATH + 1, full, nullptr);
    if (length == 0 || length > MAX_PATH) return 0;
    wchar_t root[MAX_PATH + 1] = {};
    if (!::GetVolumePathNameW(full, root, MAX_PATH + 1)) return 0;
    DWORD maxUnits = 0;
    if (!::GetVolumeInformationW(root, nullptr, 0, nullptr, &maxUnits, nullptr, nullptr, 0))
        return 0;
    return maxUnits;
}

std::optional<EntryId> IdentityIn(const BY_HANDLE_FILE_INFORMATION &info) {
    const std::uint64_t index = (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    // Some network file systems number nothing.
    if (index == 0) return std::nullopt;
    return EntryId{info.dwVolumeSerialNumber, index};
}

std::optional<EntryId> IdentityOf(const std::wstring &path) {
    const std::optional<BY_HANDLE_FILE_INFORMATION> found = EntryInformation(path);
    if (!found) return std::nullopt;
    return IdentityIn(*found);
}

} // namespace

OpenResult ClassifyOpenError(DWORD error) {
    switch (error) {
    case ERROR_SUCCESS:
        return OpenResult::Ok;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return OpenResult::InUse;
    default:
        return OpenResult::Failed;
    }
}

bool WinFileSystem::FileIsPresent(const std::string &path) {
    return platform::FileIsPresent(path);
}

bool WinFileSystem::FolderIsPresent(const std::string &path) {
    return platform::FolderIsPresent(path);
}

bool WinFileSystem::EntryIsPresent(const std::string &path) {
    if (path.empty() || HoldsZero(path)) return false;
    // Only a plain "not there" answers for both: a wildcard would match other entries in the
    // search the file test makes, and some entries refuse their attributes (a paging file).
    if (!HoldsWildcard(path)) {
        if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
    }
    return FileSystem::EntryIsPresent(path);
}

OpenResult WinFileSystem::OpenForExclusiveRead(const std::string &path) {
    return ClassifyOpenError(platform::OpenForExclusiveRead(path));
}

UINT ShellOperationCode(DiskOperation operation) {
    return operation == DiskOperation::Delete ? ShellDelete : ShellRename;
}

OperationResult ClassifyShellResult(int result) {
    // Any other value, an error code or one of the shell's own, is a failure.
    return result == 0 ? OperationResult::Done : OperationResult::Failed;
}

OperationResult WinFileSystem::FileOperation(const std::string &source,
                                             const std::string &destination,
                                             DiskOperation operation) {
    return ClassifyShellResult(
        platform::ShellFileOperation(owner_, source, destination, ShellOperationCode(operation)));
}

std::string WinFileSystem::UpperCase(std::string text) {
    return AnsiUpper(std::move(text));
}

std::optional<std::string> WinFileSystem::EntryName(const std::string &path) {
    return FindEntryName(path);
}

std::optional<EntryId> WinFileSystem::Identity(const std::string &path) {
    if (path.empty() || HoldsZero(path)) return std::nullopt;
    return IdentityOf(FromAnsi(path));
}

std::optional<std::string> WinFileSystem::FindEntry(const std::string &folder, const EntryId &id) {
    if (HoldsZero(folder)) return std::nullopt;
    // Wide: the name the file system left may not be one the ANSI calls can spell.
    const std::wstring prefix = folder.empty()
                                    ? std::wstring()
                                    : FromAnsi(AddTrailingDelimiter(AnsiCharacterRule(), folder));
    std::optional<std::string> found;
    int matches = 0;
    ForEachFolderEntry(prefix, [&](const WIN32_FIND_DATAW &entry) {
        const std::wstring name = entry.cFileName;
        if (IdentityOf(prefix + name) != id) return;
        ++matches;
        if (FitsAnsiCodePage(name)) {
            found = ToAnsi(name);
        } else if (entry.cAlternateFileName[0] != L'\0') {
            found = ToAnsi(entry.cAlternateFileName);
        }
    });
    // A file system that gives two entries one number cannot say which is the target: acting
    // on the wrong one would rename another file.
    if (matches != 1) return std::nullopt;
    return found;
}

bool WinFileSystem::NameFits(const std::string &folder, const std::string &name) {
    const std::wstring wide = FromAnsi(name);
    // Under Wine the Linux file system underneath has the last word.
    const NameLimits limits{MaxNameUnits(folder), RunningOnWine() ? LinuxNameBytes : 0};
    return NameFitsLimits({wide.size(), FromWide(CP_UTF8, wide).size()}, limits);
}

std::vector<FolderEntry> WinFileSystem::ListFolder(const std::string &folder) {
    return platform::ListFolder(folder);
}

std::optional<StandingEntry> WinFileSystem::Look(const std::string &path) {
    if (path.empty() || HoldsZero(path)) return std::nullopt;
    // Opened by name, not searched for: under Wine a name that stands is found without
    // reading the folder.
    const std::wstring wide = FromAnsi(path);
    if (const auto info = EntryInformation(wide))
        return StandingEntry{(info->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                             IdentityIn(*info)};
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    // There, but not to be opened: its identity stays unknown.
    const DWORD attributes = ::GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    return StandingEntry{(attributes & FILE_ATTRIBUTE_DIRECTORY) != 0, std::nullopt};
}

} // namespace tovimar::platform
