// Test helper: ControlLayout <exe path> [<dpi>]
// Finds the visible main window (class TFormMain) of the process started from <exe path> and
// prints its outer size, its client size, and one line per child control, in client pixels:
// "window <w> <h>", "client <w> <h>", "control <id> <left> <top> <width> <height>"; then,
// from the window's top-left corner, where the client area starts, "origin <x> <y>", and
// the close box, "close <left> <top> <width> <height>". (The controls' fonts cannot be read
// from here: a font handle belongs to its process.)
// With <dpi>, first tells the window that its display now has that many pixels per inch, as
// Windows does when the window moves to another display (the test display never does).
// Exit code 0 when found, 1 when no such window, 2 on bad arguments, 3 when the change could
// not be sent. It asks for real pixels itself, so that nothing is scaled on the way.
#include <windows.h>
#include <shellapi.h>

#include "ProgramWindows.h"
#include "platform/Graphics.h"

#include <cstdio>
#include <cwchar>
#include <optional>
#include <vector>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

BOOL CALLBACK PrintControl(HWND control, LPARAM parent) {
    if (::GetParent(control) != reinterpret_cast<HWND>(parent)) return TRUE;
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, reinterpret_cast<HWND>(parent), reinterpret_cast<POINT *>(&r), 2);
    std::printf("control %d %ld %ld %ld %ld\n", ::GetDlgCtrlID(control), r.left, r.top,
                r.right - r.left, r.bottom - r.top);
    return TRUE;
}

// The message carries the address of the suggested rectangle (same corner, size scaled), which
// the window reads in its own process: the rectangle is written there.
bool SendDpiChange(HWND window, UINT dpi) {
    RECT suggested{};
    ::GetWindowRect(window, &suggested);
    const int from = static_cast<int>(tovimar::platform::WindowDpi(window));
    suggested.right = suggested.left + ::MulDiv(suggested.right - suggested.left, int(dpi), from);
    suggested.bottom = suggested.top + ::MulDiv(suggested.bottom - suggested.top, int(dpi), from);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) return false;
    void *remote = ::VirtualAllocEx(process, nullptr, sizeof suggested, MEM_COMMIT | MEM_RESERVE,
                                    PAGE_READWRITE);
    bool sent = remote != nullptr &&
                ::WriteProcessMemory(process, remote, &suggested, sizeof suggested, nullptr);
    DWORD_PTR result = 0;
    if (sent) {
        sent = ::SendMessageTimeoutW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                                     reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 10000,
                                     &result) != 0;
    }
    if (remote != nullptr) ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    ::CloseHandle(process);
    return sent;
}

LRESULT HitTest(HWND window, LONG x, LONG y) {
    DWORD_PTR hit = HTNOWHERE;
    ::SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 10000, &hit);
    return static_cast<LRESULT>(hit);
}

// The close box as the window itself hit-tests its caption: what a click there reaches. Each
// probe is a round trip to the window, so: down the middle to the caption, along the caption's
// middle row from the right, then up and down from the box's middle.
void PrintCloseBox(HWND window, const RECT &outer, LONG clientTop) {
    const LONG middle = (outer.left + outer.right) / 2;
    LONG top = outer.top;
    while (top < clientTop && HitTest(window, middle, top) != HTCAPTION)
        ++top;
    LONG bottom = top;
    while (bottom < clientTop && HitTest(window, middle, bottom) == HTCAPTION)
        ++bottom;
    const LONG row = (top + bottom) / 2;
    LONG right = outer.right;
    while (right > outer.left && HitTest(window, right - 1, row) != HTCLOSE)
        --right;
    LONG left = right;
    while (left > outer.left && HitTest(window, left - 1, row) == HTCLOSE)
        --left;
    if (left == right) return;
    const LONG column = (left + right) / 2;
    top = bottom = row;
    while (top > outer.top && HitTest(window, column, top - 1) == HTCLOSE)
        --top;
    while (bottom < clientTop && HitTest(window, column, bottom) == HTCLOSE)
        ++bottom;
    std::printf("close %ld %ld %ld %ld\n", left - outer.left, top - outer.top, right - left,
                bottom - top);
}

} // namespace

int main() {
    ::SetProcessDPIAware();
    int argc = 0;
    wchar_t **argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2 || argc > 3) return 2;
    const UINT dpi = argc == 3 ? static_cast<UINT>(std::wcstoul(argv[2], nullptr, 10)) : 0;
    const std::vector<HWND> windows = helpers::VisibleWindowsOf(argv[1], L"TFormMain");
    ::LocalFree(argv);
    if (argc == 3 && dpi == 0) return 2;
    if (windows.empty()) return 1;
    HWND window = windows.front();
    if (dpi != 0 && !SendDpiChange(window, dpi)) return 3;
    RECT outer{}, client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    std::printf("window %ld %ld\nclient %ld %ld\n", outer.right - outer.left,
                outer.bottom - outer.top, client.right, client.bottom);
    ::EnumChildWindows(window, PrintControl, reinterpret_cast<LPARAM>(window));
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    std::printf("origin %ld %ld\n", origin.x - outer.left, origin.y - outer.top);
    PrintCloseBox(window, outer, origin.y);
    return 0;
}
