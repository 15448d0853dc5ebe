// Keyboard and focus: menu shortcuts before the focused control, Enter, Tab and the arrow keys
// between the buttons, the default button, the focus kept across deactivation, and what the
// two text fields do with a double-click and a typed character before the field sees it.
#include "app/MainWindow.h"

#include "app/InputLimiter.h"
#include "app/TextCrossing.h"
#include "resource.h"

#include <array>

namespace tovimar::app {

namespace {

bool KeyDown(int key) {
    return ::GetKeyState(key) < 0;
}

} // namespace

void MainWindow::OnActivate(bool active) {
    if (!active) {
        HWND focus = ::GetFocus();
        if (focus != nullptr && ::IsChild(hwnd_, focus)) lastFocus_ = focus;
        return;
    }
    if (lastFocus_ != nullptr && ::IsWindowEnabled(lastFocus_)) {
        ::SetFocus(lastFocus_);
    } else {
        ::SetFocus(hwnd_);
    }
}

bool MainWindow::PreTranslateMessage(MSG &msg) {
    if (hwnd_ == nullptr || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd))) return false;
    if (::TranslateAcceleratorW(hwnd_, accelerators_, &msg)) return true;
    if (msg.message != WM_KEYDOWN) return false;
    bool modified = KeyDown(VK_SHIFT) || KeyDown(VK_CONTROL) || KeyDown(VK_MENU);
    bool onButton =
        deleteLeftButton_.HasFocus() || deleteRightButton_.HasFocus() || renameButton_.HasFocus();
    switch (msg.wParam) {
    case VK_RETURN:
        if (extensionField_.HasFocus() && extensionField_.DroppedDown())
            return false; // closes the list
        if (!modified) return OnEnterKey();
        if (KeyDown(VK_CONTROL) && !KeyDown(VK_SHIFT) && !KeyDown(VK_MENU) &&
            (nameField_.HasFocus() || extensionField_.HasFocus())) {
            ::SendMessageW(hwnd_, WM_COMMAND, IDM_RENAMENEXT, 0);
            return true;
        }
        return nameField_.HasFocus() || extensionField_.HasFocus() || onButton;
    case VK_TAB:
        if (KeyDown(VK_CONTROL) || KeyDown(VK_MENU)) return false;
        MoveFocus(!KeyDown(VK_SHIFT));
        return true;
    case VK_RIGHT:
    case VK_DOWN:
    case VK_LEFT:
    case VK_UP:
        if (!onButton) return false;
        MoveFocus(msg.wParam == VK_RIGHT || msg.wParam == VK_DOWN);
        return true;
    }
    return false;
}

bool MainWindow::OnEnterKey() {
    if (nameField_.HasFocus() || extensionField_.HasFocus()) {
        if (renameButton_.Enabled()) renameButton_.Click();
        return true;
    }
    for (const Button &button : {deleteLeftButton_, deleteRightButton_, renameButton_}) {
        if (button.HasFocus()) {
            if (button.Enabled()) button.Click();
            return true;
        }
    }
    return false;
}

void MainWindow::MoveFocus(bool forward) {
    const std::array<Control, 5> order{nameField_, extensionField_, deleteLeftButton_,
                                       deleteRightButton_, renameButton_};
    const int count = int(order.size());
    int current = forward ? -1 : count;
    for (int i = 0; i < count; ++i)
        if (order[size_t(i)].HasFocus()) current = i;
    for (int step = 1; step <= count; ++step) {
        int next = ((current + (forward ? step : -step)) % count + count) % count;
        const Control &control = order[size_t(next)];
        if (control.Enabled() && ::IsWindowVisible(control.Handle())) {
            control.Focus();
            return;
        }
    }
}

void MainWindow::UpdateDefaultButton() {
    // The focused button is the one Enter presses; elsewhere it is the execute button.
    bool onDelete = deleteLeftButton_.HasFocus() || deleteRightButton_.HasFocus();
    deleteLeftButton_.SetDefault(deleteLeftButton_.HasFocus());
    deleteRightButton_.SetDefault(deleteRightButton_.HasFocus());
    renameButton_.SetDefault(!onDelete);
}

LRESULT CALLBACK MainWindow::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR data) {
    auto *self = reinterpret_cast<MainWindow *>(data);
    // The handlers reached from here end in the error box as those of the window procedure.
    try {
        switch (message) {
        case WM_LBUTTONDBLCLK:
            if (id == IDC_NAME) {
                LRESULT r = CallControl(edit, message, wParam, lParam);
                self->OpenWithApplication();
                return r;
            }
            break;
        case WM_IME_CHAR:
        case WM_CHAR:
            if (id == IDC_EXTENSION && (wParam >= L' ' || wParam == L'\b')) {
                const auto key = self->extensionBox_.OnKeyPress(static_cast<wchar_t>(wParam));
                if (key == ExtensionBox::KeyResult::Changed) self->ShowByteCounts();
                if (key != ExtensionBox::KeyResult::Passed) return 0;
            }
            break;
        }
    } catch (const std::exception &e) {
        self->ShowError(e);
        return 0;
    }
    return CallControl(edit, message, wParam, lParam);
}

} // namespace tovimar::app
