// Program entry: the application window that owns the taskbar button, the main window and the
// message loop.
#include "app/MainWindow.h"
#include "platform/LocaleData.h"
#include "platform/Shell.h"
#include "resource.h"

#include <windows.h>

#include <commctrl.h>

namespace {

// Kept as it always was, like the main window's: people's scripts find the window by it.
constexpr const wchar_t *ApplicationClass = L"TApplication";

// The hidden owner of the main window. It carries the taskbar button with the title "Tovimar"
// and the icon, and passes what the taskbar asks of it on to the main window.
LRESULT CALLBACK ApplicationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND main = reinterpret_cast<HWND>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_CLOSE:
        if (main != nullptr) ::SendMessageW(main, WM_CLOSE, 0, 0);
        return 0;
    case WM_SETFOCUS:
        if (main != nullptr && ::IsWindowVisible(main) && ::IsWindowEnabled(main))
            ::SetActiveWindow(main);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateApplicationWindow(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ApplicationProc;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDI_TOVIMAR));
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = ApplicationClass;
    if (::RegisterClassExW(&wc) == 0) return nullptr;
    // No size and off every screen: it is never seen itself, only its taskbar button.
    int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN) - 32000;
    int y = ::GetSystemMetrics(SM_YVIRTUALSCREEN) - 32000;
    return ::CreateWindowExW(0, ApplicationClass, L"Tovimar",
                             WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                             x, y, 0, 0, nullptr, nullptr, instance, nullptr);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using tovimar::app::MainWindow;

    // The double-byte rule and the locale texts are needed before any window exists.
    tovimar::platform::LoadLocaleValues();

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);

    static MainWindow mainWindow;
    HWND application = CreateApplicationWindow(instance);
    if (application == nullptr || !MainWindow::Register(instance) ||
        !mainWindow.Create(instance, application)) {
        mainWindow.EndWithoutWindow(::GetLastError());
        if (application != nullptr) ::DestroyWindow(application);
        return 1;
    }
    ::SetWindowLongPtrW(application, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(mainWindow.Handle()));
    mainWindow.Show();

    MSG msg{};
    bool prepared = false;
    for (;;) {
        // Once the window is on screen, active and has nothing left to do: the rename's
        // libraries then load while the person types, not after Enter.
        if (!prepared && ::GetActiveWindow() == mainWindow.Handle() &&
            !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            prepared = true;
            tovimar::platform::PrepareShell();
        }
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        if (mainWindow.PreTranslateMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::DestroyWindow(application);
    return static_cast<int>(msg.wParam);
}
