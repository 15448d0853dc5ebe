// Where the window opens: the saved place or the cursor, wider for long names if asked.
#include "app/MainWindow.h"

#include "core/Errors.h"
#include "core/WindowLayout.h"
#include "platform/Text.h"
#include "resource.h"

#include <string>

namespace tovimar::app {

namespace {

POINT CursorPosition() {
    POINT point{};
    if (!::GetCursorPos(&point)) {
        DWORD code = ::GetLastError();
        throw TovimarError(platform::FailureText(
            "System Error.  Code: " + std::to_string(int64_t(code)) + ".", {}, code));
    }
    return point;
}

struct Geometry {
    int Left, Top, Width, Height;
};

Geometry WindowGeometry(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void MoveWindowTo(HWND hwnd, int left, int top, int width, int height) {
    ::SetWindowPos(hwnd, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void MainWindow::PlaceWindow() {
    const Options &options = options_.Current();
    const Geometry saved{options.Left, options.Top, options.Width, WindowGeometry(hwnd_).Height};
    PlacementInput input;
    input.Left = saved.Left;
    input.Top = saved.Top;
    input.Width = saved.Width;
    input.Height = saved.Height;

    if (options.OpenAtCursor) {
        // Two reads, one per coordinate. A failed read leaves the window where the settings
        // put it, with the left edge already moved to the first read when the second fails.
        POINT first{};
        try {
            first = CursorPosition();
        } catch (const TovimarError &) {
            MoveToSavedPlace();
            throw;
        }
        int left = first.x - saved.Width / 2;
        POINT second{};
        try {
            second = CursorPosition();
        } catch (const TovimarError &) {
            MoveWindowTo(hwnd_, left, saved.Top, saved.Width, saved.Height);
            placed_ = true;
            throw;
        }
        input.AtCursor = true;
        input.CursorX = first.x;
        input.CursorY = second.y;
    }

    if (options.AlwaysOnTop) options_.ApplyAlwaysOnTop();

    input.Dpi = static_cast<int>(controls_.Dpi());
    input.VariableWidth = options.VariableWidth;
    // A name the ANSI code page cannot hold widens the window as one of the same look would.
    input.NameBytes = platform::AnsiLookBytes(nameField_.WideText());
    input.ScreenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    input.ScreenHeight = ::GetSystemMetrics(SM_CYSCREEN);

    const Placement placed = tovimar::PlaceWindow(input);
    MoveWindowTo(hwnd_, placed.Left, placed.Top, placed.Width, saved.Height);
    placed_ = true;
    if (placed.SelectName) {
        nameField_.SetSelStart(0);
        nameField_.SelectAll();
    }
}

void MainWindow::MoveToSavedPlace() {
    const Options &saved = options_.Current();
    if (saved.Width == 0) return; // the settings were not read
    MoveWindowTo(hwnd_, saved.Left, saved.Top, saved.Width, WindowGeometry(hwnd_).Height);
    placed_ = true;
}

} // namespace tovimar::app
