// For the test helpers: the visible top-level windows of one class that belong to processes
// started from a given executable.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <optional>
#include <string>
#include <vector>

namespace helpers {

inline std::wstring ImagePath(DWORD pid) {
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr) return {};
    wchar_t path[MAX_PATH * 4] = {};
    DWORD size = DWORD(sizeof path / sizeof path[0]);
    std::wstring result;
    if (::QueryFullProcessImageNameW(process, 0, path, &size)) result.assign(path, size);
    ::CloseHandle(process);
    return result;
}

struct WindowSearch {
    const std::wstring &Exe;
    const wchar_t *Class;
    std::vector<HWND> Found;
};

inline BOOL CALLBACK VisitWindow(HWND hwnd, LPARAM data) {
    auto *search = reinterpret_cast<WindowSearch *>(data);
    wchar_t cls[64] = {};
    ::GetClassNameW(hwnd, cls, 64);
    if (std::wcscmp(cls, search->Class) != 0 || !::IsWindowVisible(hwnd)) return TRUE;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (::CompareStringOrdinal(ImagePath(pid).c_str(), -1, search->Exe.c_str(), -1, TRUE) ==
        CSTR_EQUAL)
        search->Found.push_back(hwnd);
    return TRUE;
}

inline std::vector<HWND> VisibleWindowsOf(const std::wstring &exe, const wchar_t *className) {
    WindowSearch search{exe, className, {}};
    ::EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// The helpers' command line is the path of the program whose windows they read: its visible
// windows of className, or nullopt when the command line is not exactly one path.
inline std::optional<std::vector<HWND>> WindowsOfProgramArgument(const wchar_t *className) {
    int argc = 0;
    wchar_t **argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr) return std::nullopt;
    std::optional<std::vector<HWND>> found;
    if (argc == 2) found = VisibleWindowsOf(argv[1], className);
    ::LocalFree(argv);
    return found;
}

// The program's main window, or the exit code that says why there is none: 2 when the command
// line is not one path, 1 when the program shows no main window.
inline int FindMainWindow(HWND &window) {
    const std::optional<std::vector<HWND>> windows = WindowsOfProgramArgument(L"TFormMain");
    if (!windows) return 2;
    if (windows->empty()) return 1;
    window = windows->front();
    return 0;
}

} // namespace helpers
