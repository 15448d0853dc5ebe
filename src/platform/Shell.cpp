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

using ShellExecuteWFunction = HINSTANCE(WINAPI *)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);

// FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_FILESONLY
constexpr FILEOP_FLAGS ShellFlags = 0x00D4;

// The shell reads a double-zero-terminated list of paths.
std::wstring PathList(const std::wstring &path) {
    std::wstring list = path;
    list.append(2, L'\0');
    return list;
}

// True when destination names an existing entry other than source. A case-only rename sees
// the source itself there and may go on.
bool WouldReplaceAnother(const std::wstring &source, const std::wstring &destination) {
    if (::GetFileAttributesW(destination.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    auto target = EntryInformation(source);
    auto other = EntryInformation(destination);
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
std::wstring ShellPath(const std::string &path, uint32_t codePage) {
    const std::string plain = WithoutLiteralPrefix(RuleOf(codePage), path);
    const std::wstring widePlain = ToWide(codePage, plain);
    return plain != path && FullPath(widePlain) == widePlain ? widePlain : ToWide(codePage, path);
}

} // namespace

int ShellFileOperation(HWND owner, const std::string &source, const std::string &destination,
                       UINT operation, uint32_t codePage) {
    if (!IsUsablePath(source)) return ERROR_INVALID_PARAMETER;
    const std::wstring from = ShellPath(source, codePage);
    const std::wstring to = operation == ShellRename ? ShellPath(destination, codePage) : L"";
    if (operation == ShellRename) {
        if (!IsUsablePath(destination)) return ERROR_INVALID_PARAMETER;
        if (WouldReplaceAnother(from, to)) return ERROR_ALREADY_EXISTS;
    }
    const std::wstring fromList = PathList(from);
    const std::wstring toList = PathList(to);
    SHFILEOPSTRUCTW request{};
    request.hwnd = owner;
    request.wFunc = operation;
    request.pFrom = fromList.c_str();
    request.pTo = toList.c_str();
    request.fFlags = ShellFlags;
    using Operation = int(WINAPI *)(LPSHFILEOPSTRUCTW);
    static const auto operate = SystemFunction<Operation>(L"shell32.dll", "SHFileOperationW");
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

void StartProgram(HWND owner, const std::wstring &parameters) {
    // Wide, with the program's own UTF-16 path: the parameters may name paths the ANSI code
    // page cannot hold.
    const std::wstring module = ModulePath();
    if (module.empty()) return;
    static const auto execute =
        SystemFunction<ShellExecuteWFunction>(L"shell32.dll", "ShellExecuteW");
    if (execute != nullptr)
        execute(owner, nullptr, module.c_str(), parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

DWORD ShellOpen(HWND owner, const std::string &file, int show) {
    return ShellOpen(owner, FromAnsi(file), show);
}

DWORD ShellOpen(HWND owner, const std::wstring &file, int show) {
    if (file.empty()) return ERROR_FILE_NOT_FOUND;
    // Some associations are shell extensions reached through COM.
    EnterApartment();
    // The program says what went wrong itself, the same way on every system: Windows would
    // offer its own box for some failures and Wine for none.
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof request;
    request.fMask = SEE_MASK_FLAG_NO_UI;
    request.hwnd = owner;
    request.lpFile = file.c_str();
    request.nShow = show;
    using Execute = BOOL(WINAPI *)(SHELLEXECUTEINFOW *);
    static const auto execute = SystemFunction<Execute>(L"shell32.dll", "ShellExecuteExW");
    if (execute == nullptr) return ERROR_MOD_NOT_FOUND;
    if (execute(&request)) return ERROR_SUCCESS;
    // Wine says "no association" only here; its last error is then 193, whose text reads
    // "Bad EXE format for %1".
    if (request.hInstApp == reinterpret_cast<HINSTANCE>(SE_ERR_NOASSOC))
        return ERROR_NO_ASSOCIATION;
    const DWORD error = ::GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_NO_ASSOCIATION;
}

} // namespace tovimar::platform
