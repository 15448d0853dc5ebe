// A main window that cannot be made: the program says why in a box instead of vanishing.
#include "app/MainWindow.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tovimar::app::MainWindow;

// Refuses the main window's creation, as the system does when it runs out of resources, and
// reads and closes the message box that follows.
class CreationRefused {
public:
    CreationRefused() {
        hook_ = ::SetWindowsHookExW(WH_CBT, Hook, nullptr, ::GetCurrentThreadId());
    }
    CreationRefused(const CreationRefused &) = delete;
    CreationRefused &operator=(const CreationRefused &) = delete;
    ~CreationRefused() { ::UnhookWindowsHookEx(hook_); }

    static inline std::wstring BoxText;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        wchar_t className[32] = {};
        ::GetClassNameW(hwnd, className, 32);
        if (code == HCBT_CREATEWND && std::wstring(className) == MainWindow::ClassName) {
            ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return 1;
        }
        if (code == HCBT_ACTIVATE && std::wstring(className) == L"#32770") {
            wchar_t text[512] = {};
            ::GetDlgItemTextW(hwnd, 0xFFFF, text, 512);
            BoxText = text;
            ::PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    HHOOK hook_ = nullptr;
};

TEST(MainWindowStart, RefusedWindowIsExplainedInABox) {
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    ASSERT_TRUE(MainWindow::Register(instance));
    MainWindow window;
    CreationRefused refused;
    ASSERT_FALSE(window.Create(instance, nullptr));
    // Returns only once the box was shown and closed.
    window.EndWithoutWindow(::GetLastError());
    const std::wstring &text = CreationRefused::BoxText;
    EXPECT_EQ(text.rfind(L"\u30A6\u30A3\u30F3\u30C9\u30A6\u3092\u4F5C\u6210", 0), 0u) << "the message";
    const size_t reason = text.find(L"\r\n");
    ASSERT_NE(reason, std::wstring::npos);
    EXPECT_GT(text.size(), reason + 2) << "the system's reason below it";
}

} // namespace
