// Test helper: MessageBoxText <exe path>
// Prints every visible message box of the processes started from <exe path>, one line each:
// "<caption>\t<text>" in UTF-8. Exit code 0 when at least one was found, 1 when none, 2 on bad
// arguments. The X side shows the caption only; the box's text lives in its static control.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int MessageTextId = 0xFFFF; // the static control that holds a message box's text

struct Search {
    std::wstring Exe;
    std::vector<HWND> Found;
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
    if (std::wcscmp(cls, L"#32770") != 0 || !::IsWindowVisible(hwnd)) return TRUE;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (::CompareStringOrdinal(ImagePath(pid).c_str(), -1, search->Exe.c_str(), -1, TRUE) ==
        CSTR_EQUAL)
        search->Found.push_back(hwnd);
    return TRUE;
}

std::wstring TextOf(HWND hwnd) {
    std::wstring text(size_t(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(size_t(::GetWindowTextW(hwnd, text.data(), int(text.size()))));
    return text;
}

void PrintUtf8(const std::wstring &text) {
    int length = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0,
                                       nullptr, nullptr);
    std::string bytes(size_t(length > 0 ? length : 0), '\0');
    if (length > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), bytes.data(), length,
                              nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
}

} // namespace

int main() {
    int argc = 0;
    wchar_t **argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 2) return 2;
    Search search{argv[1], {}};
    ::LocalFree(argv);
    ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    for (HWND box : search.Found) {
        PrintUtf8(TextOf(box));
        std::fputc('\t', stdout);
        HWND text = ::GetDlgItem(box, MessageTextId);
        PrintUtf8(text != nullptr ? TextOf(text) : std::wstring());
        std::fputc('\n', stdout);
    }
    return search.Found.empty() ? 1 : 0;
}
