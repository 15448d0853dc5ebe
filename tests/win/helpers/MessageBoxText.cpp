// Test helper: MessageBoxText <exe path>
// Prints every visible message box of the processes started from <exe path>, one line each:
// "<caption>\t<text>" in UTF-8. Exit code 0 when at least one was found, 1 when none, 2 on bad
// arguments. The X side shows the caption only; the box's text lives in its static control.
#include <windows.h>
#include <shellapi.h>

#include "ProgramWindows.h"

#include <cstdio>
#include <string>
#include <optional>
#include <vector>

namespace {

constexpr int MessageTextId = 0xFFFF; // the static control that holds a message box's text

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
    const std::optional<std::vector<HWND>> windows = helpers::WindowsOfProgramArgument(L"#32770");
    if (!windows) return 2;
    const std::vector<HWND> &boxes = *windows;
    for (HWND box : boxes) {
        PrintUtf8(TextOf(box));
        std::fputc('\t', stdout);
        HWND text = ::GetDlgItem(box, MessageTextId);
        PrintUtf8(text != nullptr ? TextOf(text) : std::wstring());
        std::fputc('\n', stdout);
    }
    return boxes.empty() ? 1 : 0;
}
