// A second yardstick for the start-up benchmark: Tovimar's window with nothing behind it. The
// hidden application window that owns the taskbar button, the tool window with its menu bar,
// the edit field, the drop-down box, the three buttons and the two Japanese fonts, built from
// Tovimar's own resources and manifest; no settings, no path, no glyph, no hooks. What Tovimar
// takes beyond it is its own work; what it takes beyond MinimalWindow is the window's shape.
#include "resource.h"

#include <windows.h>

#include <commctrl.h>

namespace {

HWND edit = nullptr;

HFONT MakeFont(int height, const wchar_t *face) {
    return ::CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, face);
}

HWND MakeControl(HWND parent, const wchar_t *cls, DWORD exStyle, DWORD style, const wchar_t *text,
                 RECT at, int id, HFONT font) {
    HWND control = ::CreateWindowExW(
        exStyle, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, at.left, at.top, at.right,
        at.bottom, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        // "ＭＳ Ｐゴシック" and "ＭＳ ゴシック", as Tovimar's.
        HFONT windowFont = MakeFont(12, L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");
        HFONT textFont = MakeFont(15, L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF");
        edit = MakeControl(hwnd, L"EDIT", WS_EX_CLIENTEDGE, ES_AUTOHSCROLL, L"scan001",
                           {8, 6, 295, 23}, IDC_NAME, textFont);
        HWND box = MakeControl(hwnd, L"COMBOBOX", 0, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL,
                               L"", {8, 36, 81, 115}, IDC_EXTENSION, textFont);
        ::SendMessageW(box, CB_SETITEMHEIGHT, WPARAM(-1), 17);
        ::SetWindowTextW(box, L".JPG");
        MakeControl(hwnd, L"BUTTON", 0, BS_PUSHBUTTON, L"\u524A\u9664 I", {96, 36, 49, 23},
                    IDC_DELETELEFT, windowFont);
        MakeControl(hwnd, L"BUTTON", 0, BS_PUSHBUTTON, L"I \u524A\u9664", {152, 36, 49, 23},
                    IDC_DELETERIGHT, windowFont);
        MakeControl(hwnd, L"BUTTON", 0, BS_DEFPUSHBUTTON, L"OK", {208, 36, 95, 23}, IDC_RENAME,
                    windowFont);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        return edit != nullptr ? 0 : -1;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) ::SetFocus(edit);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    WNDCLASSW application{};
    application.lpfnWndProc = ::DefWindowProcW;
    application.hInstance = instance;
    application.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_TOVIMAR));
    application.lpszClassName = L"ShapeApplication";
    WNDCLASSW main{};
    main.style = CS_DBLCLKS;
    main.lpfnWndProc = WindowProc;
    main.hInstance = instance;
    main.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = L"Shape";
    if (::RegisterClassW(&application) == 0 || ::RegisterClassW(&main) == 0) return 1;

    HWND owner = ::CreateWindowExW(0, L"ShapeApplication", L"Tovimar",
                                   WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, -32000,
                                   -32000, 0, 0, nullptr, nullptr, instance, nullptr);
    HWND hwnd = ::CreateWindowExW(
        WS_EX_TOOLWINDOW, L"Shape", L"scan001.JPG",
        WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, 336, 377, 320, 108, owner,
        ::LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINMENU)), instance, nullptr);
    if (owner == nullptr || hwnd == nullptr) return 1;
    ::ShowWindow(owner, SW_SHOWNOACTIVATE);
    ::ShowWindow(hwnd, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) ::DestroyWindow(hwnd);
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
