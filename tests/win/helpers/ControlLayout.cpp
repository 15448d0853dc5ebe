// Test helper: ControlLayout <exe path>
// Finds the visible main window (class TFormMain) of the process started from <exe path> and
// prints its outer size, its client size, and one line per child control, in client pixels:
// "window <w> <h>", "client <w> <h>", "control <id> <left> <top> <width> <height>". (The
// controls' fonts cannot be read from here: a font handle belongs to its process.)
// Exit code 0 when found, 1 when no such window, 2 on bad arguments. It asks for real pixels
// itself, so that nothing is scaled on the way.
#include <windows.h>
#include <shellapi.h>

#include "ProgramWindows.h"

#include <cstdio>
#include <optional>
#include <vector>

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

} // namespace

int main() {
    ::SetProcessDPIAware();
    HWND window = nullptr;
    if (const int missing = helpers::FindMainWindow(window)) return missing;
    RECT outer{}, client{};
    ::GetWindowRect(window, &outer);
    ::GetClientRect(window, &client);
    std::printf("window %ld %ld\nclient %ld %ld\n", outer.right - outer.left,
                outer.bottom - outer.top, client.right, client.bottom);
    ::EnumChildWindows(window, PrintControl, reinterpret_cast<LPARAM>(window));
    return 0;
}
