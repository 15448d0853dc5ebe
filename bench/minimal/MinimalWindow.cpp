// The yardstick for the start-up benchmark: the least Win32 program of Tovimar's shape, one
// sizable tool window with one edit field that has the keyboard focus. Esc closes it.
#include <windows.h>

namespace {

HWND edit = nullptr;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        edit = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"minimal",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 8, 6, 295, 23,
                                 hwnd, nullptr, nullptr, nullptr);
        return edit != nullptr ? 0 : -1;
    case WM_SETFOCUS:
        ::SetFocus(edit);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"Minimal";
    if (::RegisterClassW(&wc) == 0) return 1;
    HWND hwnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, L"Minimal", L"Minimal",
                                  WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 336, 377, 320, 108,
                                  nullptr, nullptr, instance, nullptr);
    if (hwnd == nullptr) return 1;
    ::ShowWindow(hwnd, show);
    ::UpdateWindow(hwnd);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) ::DestroyWindow(hwnd);
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
