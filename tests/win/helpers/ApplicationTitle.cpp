// Test helper: ApplicationTitle <exe path>
// Prints the title of the program's application window (the one that carries the taskbar
// button, class TApplication) in UTF-8, one line per visible one. Exit code 0 when one was
// found, 1 when none, 2 on bad arguments. The window is off screen: X shows nothing of it.
#include <windows.h>
#include <shellapi.h>

#include "ProgramWindows.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

int main() {
    const std::optional<std::vector<HWND>> windows =
        helpers::WindowsOfProgramArgument(L"TApplication");
    if (!windows) return 2;
    for (HWND window : *windows) {
        wchar_t title[256] = {};
        const int length = ::GetWindowTextW(window, title, 256);
        char bytes[1024] = {};
        const int size =
            ::WideCharToMultiByte(CP_UTF8, 0, title, length, bytes, sizeof bytes, nullptr, nullptr);
        std::fwrite(bytes, 1, size_t(size > 0 ? size : 0), stdout);
        std::fputc('\n', stdout);
    }
    return windows->empty() ? 1 : 0;
}
