// Test helper: WindowState <exe path>
// Finds the visible main window (class TFormMain) of the process started from <exe path> and
// prints "topmost=<0|1> left=<x> top=<y> width=<w> height=<h>" as Windows sees it. Exit code 0
// when found, 1 when no such window, 2 on bad arguments. The X side cannot show the topmost
// band without a window manager; the window's extended style can.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct Search {
    std::wstring Exe;
    HWND Found = nullptr;
};

std::wstring ImagePath(DWORD pid) {
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr) return {};
    wchar_t path[MAX_PATH * 4] = {};
    DWORD size = DWORD(sizeof path / sizeof path[0]);
    std::wstring result;
    if (::QueryFullProcessImageNameW(process, 0, path, &size)) result.assign(path, size);
    ::CloseHandle(process);
    return result;
}

BOOL CALLBACK Visit(HWND hwnd, LPARAM data) {
    auto *search = reinterpret_cast<Search *>(data);
    wchar_t cls[64] = {};
    ::GetClassNameW(hwnd, cls, 64);
    if (std::wcscmp(cls, L"TFormMain") != 0 || !::IsWindowVisible(hwnd)) return TRUE;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (::CompareStringOrdinal(ImagePath(pid).c_str(), -1, search->Exe.c_str(), -1, TRUE) !=
        CSTR_EQUAL)
        return TRUE;
    search->Found = hwnd;
    return FALSE;
}

} // namespace

int main() {
    int argc = 0;
    wchar_t **argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 2) return 2;
    Search search{argv[1]};
    ::LocalFree(argv);
    ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    if (search.Found == nullptr) return 1;
    RECT r{};
    ::GetWindowRect(search.Found, &r);
    LONG_PTR exStyle = ::GetWindowLongPtrW(search.Found, GWL_EXSTYLE);
    std::printf("topmost=%d left=%ld top=%ld width=%ld height=%ld\n",
                (exStyle & WS_EX_TOPMOST) != 0 ? 1 : 0, r.left, r.top, r.right - r.left,
                r.bottom - r.top);
    return 0;
}
