// The execution's and the folder walk's file-system interfaces over the Win32 adapter.
#pragma once

#include "core/Execution.h"
#include "core/NextEntry.h"

#include <windows.h>

namespace tovimar::platform {

class WinFileSystem : public FileSystem, public WalkDisk {
public:
    // owner: the window the shell's own error boxes belong to.
    explicit WinFileSystem(HWND owner) : owner_(owner) {}

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
    HWND owner_;
};

// A failed exclusive open as the execution sees it: someone else holds the file (worth
// waiting for) or something that waiting does not cure.
OpenResult ClassifyOpenError(DWORD error);

// The shell's operation code for an operation, and its result as the execution sees it.
UINT ShellOperationCode(DiskOperation operation);
OperationResult ClassifyShellResult(int result);

} // namespace tovimar::platform
