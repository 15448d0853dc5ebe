// The execution's and the folder walk's file-system interfaces over the Win32 adapter.
#pragma once

#include "core/Execution.h"
#include "core/NextEntry.h"

#include <windows.h>

namespace tovimar::platform {

class WinFileSystem : public FileSystem, public WalkDisk {
public:
    // owner: the window the shell's own error boxes belong to. The paths and names it is given
    // and gives back are bytes of codePage, the working code page of the request.
    explicit WinFileSystem(HWND owner, uint32_t codePage = CP_ACP)
        : owner_(owner), codePage_(codePage) {}

    bool FileIsPresent(const std::string &path) override;
    bool FolderIsPresent(const std::string &path) override;
    bool EntryIsPresent(const std::string &path) override;
    OpenResult OpenForExclusiveRead(const std::string &path) override;
    OperationResult FileOperation(const std::string &source, const std::string &destination,
                                  DiskOperation operation) override;
    std::string UpperCase(std::string text) override;
    std::optional<std::string> EntryName(const std::string &path) override;
    std::optional<EntryId> Identity(const std::string &path) override;
    std::optional<std::string> FindEntry(const std::string &folder, const EntryId &id) override;
    bool NameFits(const std::string &folder, const std::string &name) override;
    std::vector<FolderEntry> ListFolder(const std::string &folder) override;
    std::optional<StandingEntry> Look(const std::string &path) override;

private:
    std::wstring Wide(const std::string &bytes) const;
    std::string Bytes(const std::wstring &text) const;

    HWND owner_;
    uint32_t codePage_;
};

// A failed exclusive open as the execution sees it: someone else holds the file (worth
// waiting for) or something that waiting does not cure.
OpenResult ClassifyOpenError(DWORD error);

// The shell's operation code for an operation, and its result as the execution sees it.
UINT ShellOperationCode(DiskOperation operation);
OperationResult ClassifyShellResult(int result);

} // namespace tovimar::platform
