// Rename and delete through the shell, so a delete lands in the recycle bin; opening
// documents and web addresses.
#include "platform/Shell.h"

#include "core/PathRules.h"
#include "platform/Arguments.h"
#include "platform/Files.h"
#include "platform/Handles.h"
#include "platform/Locale.h"
#include "platform/SystemLibrary.h"
#include "platform/Text.h"

#include <objbase.h>

namespace tovimar::platform {

namespace {

using ShellExecuteAFunction = HINSTANCE(WINAPI *)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
using ShellExecuteWFunction = HINSTANCE(WINAPI *)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

void ShellExecuteBytes(HWND owner, const char *file, const char *parameters, int show) {
    static const auto execute =
        SystemFunction<ShellExecuteAFunction>(L"shell32.dll", "ShellExecuteA");
    if (execute != nullptr) execute(owner, nullptr, file, parameters, nullptr, show);
}

// FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_FILESONLY
constexpr FILEOP_FLAGS ShellFlags = 0x00D4;

// The shell reads a double-zero-terminated list of paths.
std::string PathList(const std::string &path) {
    std::string list = path;
    list.append(2, '\0');
    return list;
}

// True when destination names an existing entry other than source. A case-only rename sees
// the source itself there and may go on.
bool WouldReplaceAnother(const std::string &source, const std::string &destination) {
    if (::GetFileAttributesA(destination.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    auto target = EntryInformation(FromAnsi(source));
    auto other = EntryInformation(FromAnsi(destination));
    if (!target || !other) return true;
    return target->dwVolumeSerialNumber != other->dwVolumeSerialNumber ||
           target->nFileIndexHigh != other->nFileIndexHigh ||
           target->nFileIndexLow != other->nFileIndexLow;
}

// A zero byte would split the list and a wildcard would widen it: either could touch
// entries other than the target.
bool IsUsablePath(const std::string &path) {
    return !path.empty() && !HoldsZero(path) && !HoldsWildcard(path);
}

// The shell refuses the \\?\ prefix. Without it the path names the same entry when the
// platform's normalisation leaves it as it is (no trailing dot or blank, no device name).
std::string ShellPath(const std::string &path) {
    const std::string plain = WithoutLiteralPrefix(AnsiCharacterRule(), path);
    return plain != path && FullPath(plain) == plain ? plain : path;
}

} // namespace

int ShellFileOperation(HWND owner, const std::string &source, const std::string &destination,
                       UINT operation) {
    if (!IsUsablePath(source)) return ERROR_INVALID_PARAMETER;
    if (operation == ShellRename) {
        if (!IsUsablePath(destination)) return ERROR_INVALID_PARAMETER;
        if (WouldReplaceAnother(source, destination)) return ERROR_ALREADY_EXISTS;
    }
    std::string from = PathList(ShellPath(source));
    std::string to = PathList(ShellPath(destination));
    SHFILEOPSTRUCTA request{};
    request.hwnd = owner;
    request.wFunc = operation;
    request.pFrom = from.c_str();
    request.pTo = to.c_str();
    request.fFlags = ShellFlags;
    using Operation = int(WINAPI *)(LPSHFILEOPSTRUCTA);
    static const auto operate = SystemFunction<Operation>(L"shell32.dll", "SHFileOperationA");
    if (operate == nullptr) return ERROR_MOD_NOT_FOUND;
    return operate(&request);
}

void PrepareShell() {
    static bool started = false;
    if (started || ::GetModuleHandleW(L"shell32.dll") != nullptr) return;
    started = true;
    // The module stays loaded for the rest of the run; the thread's only work is the load.
    HANDLE thread = ::CreateThread(
        nullptr, 0,
        [](LPVOID) -> DWORD { return ::LoadLibraryW(L"shell32.dll") != nullptr ? 0 : 1; }, nullptr,
        0, nullptr);
    if (thread != nullptr) ::CloseHandle(thread);
}

void EnterApartment() {
    // It stays for the rest of the run: a handler may still be starting when a call returns.
    static bool entered = false;
    if (entered) return;
    using Initialize = HRESULT(WINAPI *)(LPVOID, DWORD);
    if (auto initialize = SystemFunction<Initialize>(L"ole32.dll", "CoInitializeEx"))
        initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    entered = true;
}

void StartProgram(HWND owner, const std::string &parameters) {
    if (ProgramPathUsable()) {
        const std::string program = ArgumentAt(0);
        ShellExecuteBytes(owner, program.c_str(), parameters.c_str(), SW_SHOWNORMAL);
        return;
    }
    // No ANSI path reaches the program: the chain still goes on through its Unicode path.
    const std::wstring module = ModulePath();
    if (module.empty()) return;
    static const auto execute =
        SystemFunction<ShellExecuteWFunction>(L"shell32.dll", "ShellExecuteW");
    if (execute != nullptr)
        execute(owner, nullptr, module.c_str(), FromAnsi(parameters).c_str(), nullptr,
                SW_SHOWNORMAL);
}

DWORD ShellOpen(HWND owner, const std::string &file, int show) {
    if (file.empty()) return ERROR_FILE_NOT_FOUND;
    // Some associations are shell extensions reached through COM.
    EnterApartment();
    // The program says what went wrong itself, the same way on every system: Windows would
    // offer its own box for some failures and Wine for none.
    SHELLEXECUTEINFOA request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_FLAG_NO_UI;
    request.hwnd = owner;
    request.lpFile = file.c_str();
    request.nShow = show;
    using Execute = BOOL(WINAPI *)(SHELLEXECUTEINFOA *);
    static const auto execute = SystemFunction<Execute>(L"shell32.dll", "ShellExecuteExA");
    if (execute == nullptr) return ERROR_MOD_NOT_FOUND;
    if (execute(&request)) return ERROR_SUCCESS;
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_NO_ASSOCIATION;
}

} // namespace tovimar::platform
