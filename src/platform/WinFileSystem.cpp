#include "platform/WinFileSystem.h"

#include "platform/Platform.h"

namespace tovimar::platform {

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

OpenResult WinFileSystem::OpenForExclusiveRead(const std::string &path) {
    return ClassifyOpenError(platform::OpenForExclusiveRead(path));
}

int WinFileSystem::ShellFileOperation(const std::string &source, const std::string &destination,
                                      ShellOperation operation) {
    return platform::ShellFileOperation(owner_, source, destination,
                                        operation == ShellOperation::Delete ? ShellDelete
                                                                            : ShellRename);
}

std::string WinFileSystem::UpperCase(std::string text) {
    return AnsiUpper(std::move(text));
}

std::optional<std::string> WinFileSystem::EntryName(const std::string &path) {
    return FindEntryName(path);
}

} // namespace tovimar::platform
