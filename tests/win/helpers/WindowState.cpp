// Test helper: WindowState <exe path>
// Finds the visible main window (class TFormMain) of the process started from <exe path> and
// prints "topmost=<0|1> left=<x> top=<y> width=<w> height=<h>" as Windows sees it. Exit code 0
// when found, 1 when no such window, 2 on bad arguments. The X side cannot show the topmost
// band without a window manager; the window's extended style can.
#include <windows.h>
#include <shellapi.h>

#include "ProgramWindows.h"

#include <cstdio>
#include <optional>
#include <vector>
#include <string>

int main() {
    HWND window = nullptr;
    if (const int missing = helpers::FindMainWindow(window)) return missing;
    RECT r{};
    ::GetWindowRect(window, &r);
    LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
    std::printf("topmost=%d left=%ld top=%ld width=%ld height=%ld\n",
                (exStyle & WS_EX_TOPMOST) != 0 ? 1 : 0, r.left, r.top, r.right - r.left,
                r.bottom - r.top);
    return 0;
}
