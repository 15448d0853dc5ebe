// Test helper: Shortcut read <link> | Shortcut write <link> <program>
// read prints the program the shortcut starts (UTF-8) and exits 0, or exits 1 when it cannot
// be read; write makes a shortcut to <program> and exits 0, or 1. 2 on bad arguments.
#include "platform/Shortcut.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

int main() {
    int count = 0;
    wchar_t **args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (args == nullptr || count < 3) return 2;
    const std::wstring command = args[1];
    const std::wstring link = args[2];
    if (command == L"write" && count == 4)
        return SUCCEEDED(tovimar::platform::WriteShortcut(link, args[3], L"test")) ? 0 : 1;
    if (command != L"read" || count != 3) return 2;
    std::wstring program;
    if (FAILED(tovimar::platform::ReadShortcutTarget(link, program))) return 1;
    char utf8[4 * MAX_PATH] = {};
    ::WideCharToMultiByte(CP_UTF8, 0, program.c_str(), -1, utf8, sizeof utf8, nullptr, nullptr);
    std::fputs(utf8, stdout);
    return 0;
}
