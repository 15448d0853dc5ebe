// The main window: frame, controls, menu, keyboard, message dispatch and the set-up at show.
#include "app/MainWindow.h"

#include "app/InputLimiter.h"
#include "app/SendToEntry.h"
#include "app/WebAddresses.h"
#include "core/Errors.h"
#include "core/InputLimits.h"
#include "core/Messages.h"
#include "core/PathRules.h"
#include "core/WindowLayout.h"
#include "core/StatusText.h"
#include "platform/FileDates.h"
#include "platform/LocaleData.h"
#include "platform/Arguments.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "resource.h"

#include <span>
#include <string>

namespace tovimar::app {

namespace {

// The shell's broadcast after it restarts; locale changes may have passed unseen meanwhile.
bool IsTaskbarCreated(UINT message) {
    static const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    return taskbarCreated != 0 && message == taskbarCreated;
}

// Design sizes are for 96 pixels per inch; the window keeps them in proportion on other
// displays, and follows a move to a display of another density.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

} // namespace

bool MainWindow::Register(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = ClassName;
    return ::RegisterClassExW(&wc) != 0;
}

bool MainWindow::Create(HINSTANCE instance, HWND application) {
    application_ = application;
    menu_ = ::LoadMenuW(instance, MAKEINTRESOURCEW(IDR_MAINMENU));
    accelerators_ = ::LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));
    HWND hwnd =
        ::CreateWindowExW(WS_EX_TOOLWINDOW, ClassName, L"Tovimar",
                          WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, DesignLeft,
                          DesignTop, controls_.Scale(DesignWindowWidth),
                          controls_.Scale(WindowHeight), application, menu_, instance, this);
    return hwnd != nullptr;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindow *self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<MainWindow *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<MainWindow *>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (self == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    // A handler's error is shown here, once, in the error box; the program goes on with the
    // next event.
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception &e) {
        self->ShowError(e);
        return 0;
    }
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (IsTaskbarCreated(message)) platform::ReloadLocaleValues();
    switch (message) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_TIMER:
        run_.OnTimer(wParam);
        return 0;
    case WM_INITMENUPOPUP:
        // Explorer may have added or removed the shortcut since the menu last opened.
        if (reinterpret_cast<HMENU>(wParam) == ::GetSubMenu(menu_, MENU_WINDOW))
            MenuItem(menu_, IDM_SENDTO).SetChecked(SendToStartsThisProgram());
        break;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_SIZE:
        controls_.OnSize(LOWORD(lParam));
        return 0;
    case WM_GETMINMAXINFO:
        controls_.OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO *>(lParam));
        return 0;
    case WM_WINDOWPOSCHANGING:
        controls_.OnWindowPosChanging(*reinterpret_cast<WINDOWPOS *>(lParam));
        break;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_SHOWWINDOW:
        // The taskbar button belongs to the application window: it goes with the main window.
        if (lParam == 0 && application_ != nullptr)
            ::ShowWindow(application_, wParam != FALSE ? SW_SHOWNOACTIVATE : SW_HIDE);
        break;
    case WM_SETTINGCHANGE:
        platform::ReloadLocaleValues();
        break;
    case WM_SETCURSOR:
        controls_.OnPointerVisit();
        break;
    case WM_DPICHANGED:
        controls_.OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Logging off ends the run without the close handler: nothing saved, no chain.
        if (wParam != FALSE) ::DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        run_.Detach();
        controls_.Destroy();
        ::PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        return 0;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool MainWindow::OnCreate() {
    if (!controls_.Create(hwnd_)) return false;
    run_.Attach(hwnd_, application_);
    nameField_ = Edit(::GetDlgItem(hwnd_, IDC_NAME));
    extensionField_ = ComboBox(::GetDlgItem(hwnd_, IDC_EXTENSION));
    extensionBox_.Attach(extensionField_);
    nameEditor_ = NameEditor(nameField_, extensionField_);
    deleteLeftButton_ = Button(::GetDlgItem(hwnd_, IDC_DELETELEFT));
    deleteRightButton_ = Button(::GetDlgItem(hwnd_, IDC_DELETERIGHT));
    renameButton_ = Button(::GetDlgItem(hwnd_, IDC_RENAME));
    // The byte limits see each key before our own handlers.
    LimitTyping(nameField_.Handle(), NameByteLimit, EditProc, IDC_NAME,
                reinterpret_cast<DWORD_PTR>(this));
    LimitTyping(extensionField_.EditHandle(), ExtensionByteLimit, EditProc, IDC_EXTENSION,
                reinterpret_cast<DWORD_PTR>(this));
    PairLimitedFields(nameField_.Handle(), extensionField_.EditHandle());
    options_.Attach(hwnd_, menu_);
    MenuItem(menu_, IDM_HOMEPAGE).SetEnabled(!HomePageAddress.empty());
    return true;
}

std::span<const MainWindow::Command> MainWindow::Commands() {
    using W = MainWindow;
    static constexpr Command table[] = {
        {IDC_RENAME, [](W &w) { w.ApplyName(); }, true},
        {IDC_DELETELEFT, [](W &w) { w.nameEditor_.DeleteLeftOfCaret(); }, true},
        {IDC_DELETERIGHT, [](W &w) { w.nameEditor_.DeleteRightOfCaret(); }, true},
        // The name's change event comes before the extension is back, or not at all.
        {IDM_RESETNAME,
         [](W &w) {
             w.nameEditor_.ShowName(w.targetPath_);
             w.ShowByteCounts();
         },
         true},
        {IDM_OPENWITHAPP, [](W &w) { w.OpenWithApplication(); }, true},
        {IDM_RENAME, [](W &w) { w.ApplyName(); }, true},
        {IDM_RENAMENEXT, [](W &w) { w.run_.Attempt(true); }, true},
        {IDM_DELETE, [](W &w) { w.DeleteTarget(); }, true},
        {IDM_EXIT, [](W &w) { ::SendMessageW(w.hwnd_, WM_CLOSE, 0, 0); }, false},
        {IDM_EXITSTOPCHAIN, [](W &w) { w.CloseStoppingChain(); }, false},
        {IDM_LOWERCASE, [](W &w) { w.nameEditor_.ToLowerCase(); }, true},
        {IDM_UPPERCASE, [](W &w) { w.nameEditor_.ToUpperCase(); }, true},
        {IDM_HALFWIDTH, [](W &w) { w.nameEditor_.ToHalfWidth(); }, true},
        {IDM_FULLWIDTH, [](W &w) { w.nameEditor_.ToFullWidth(); }, true},
        {IDM_REMOVEBLANKS, [](W &w) { w.nameEditor_.RemoveBlanks(); }, true},
        {IDM_BLANKSTOUNDERSCORES, [](W &w) { w.nameEditor_.BlanksToUnderscores(); }, true},
        {IDM_PASTENOW,
         [](W &w) { w.nameEditor_.PasteTimeFormatNow(w.options_.Current().TimeFormat); }, true},
        {IDM_PASTEMODIFIED,
         [](W &w) {
             w.PasteDate(platform::LastWriteLocalTime(w.targetPath_),
                         w.isFolder_ ? msg::FolderNotFound : msg::FileNotFound);
         },
         true},
        // The file is read and closed again before the name changes. A folder has no such date
        // (and opening it as a file would fail as a locked file does).
        {IDM_PASTETAKEN,
         [](W &w) {
             const platform::TakenRead taken =
                 w.isFolder_ ? platform::TakenRead{} : platform::TakenLocalTime(w.targetPath_);
             w.PasteDate(taken.Time,
                         taken.Unreadable ? msg::TakenTimeUnreadable : msg::TakenTimeNotFound);
         },
         true},
        {IDM_EDITTIMEFORMAT, [](W &w) { w.EditTimeFormat(); }, false},
        {IDM_ALWAYSONTOP, [](W &w) { w.options_.ToggleAlwaysOnTop(); }, false},
        {IDM_OPENATCURSOR, [](W &w) { w.options_.ToggleOpenAtCursor(); }, false},
        {IDM_VARIABLEWIDTH, [](W &w) { w.options_.ToggleVariableWidth(); }, false},
        {IDM_SENDTO, [](W &w) { ToggleSendToEntry(w.hwnd_); }, false},
        {IDM_MANUAL, [](W &w) { w.OpenManual(); }, false},
        {IDM_HOMEPAGE, [](W &w) { w.OpenHomePage(); }, false},
        {IDM_VERSION, [](W &w) { w.ShowVersion(); }, false},
    };
    return table;
}

void MainWindow::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
    case IDC_NAME:
        if (code == EN_CHANGE) ShowByteCounts();
        if (code == EN_SETFOCUS) UpdateDefaultButton();
        return;
    case IDC_EXTENSION:
        if (code == CBN_SETFOCUS) UpdateDefaultButton();
        if (extensionField_.Quiet()) return;
        if (code == CBN_SELCHANGE) {
            // The edit part still shows the old text when the list selection changes.
            int index = extensionField_.ItemIndex();
            if (index >= 0) extensionField_.SetWideText(extensionField_.WideItem(index));
        }
        if (code == CBN_EDITCHANGE || code == CBN_SELCHANGE) ShowByteCounts();
        return;
    }
    if (control != nullptr && code != BN_CLICKED) {
        if (code == BN_SETFOCUS || code == BN_KILLFOCUS) UpdateDefaultButton();
        return;
    }
    for (const Command &command : Commands()) {
        if (command.Id != id) continue;
        // Without a target its item is greyed: its shortcut does nothing either.
        if (command.NeedsTarget && !HasTarget()) return;
        command.Run(*this);
        return;
    }
}

void MainWindow::OnClose() {
    if (run_.CloseMustWait()) return;
    // An error in the close handler (a settings file that cannot be written) keeps the window.
    try {
        SaveAndStartNext();
    } catch (const std::exception &e) {
        ShowError(e);
        return;
    }
    ::DestroyWindow(hwnd_);
}

void MainWindow::Show() {
    // An error ends the set-up, not the run: the window is still shown.
    try {
        SetUpForTarget();
    } catch (const std::exception &e) {
        if (!placed_) MoveToSavedPlace();
        ShowError(e);
    }
    if (const auto message = TargetProblemMessage(targetProblem_)) SetTitle(*message);
    lastFocus_ = nameField_.Enabled() ? nameField_.Handle() : nullptr;
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
}

void MainWindow::SetUpForTarget() {
    ShowPathsLeft();
    iniFileName_ = platform::ProgramFolderFile(L"Tovimar.ini");
    const platform::StartTarget start = platform::ResolveStartTarget(1);
    const ResolvedTarget &target = start.Target;
    targetPath_ = target.Workable() ? start.Path : std::wstring();
    isFolder_ = target.IsFolder;
    targetProblem_ = target.Problem;
    // A missing entry's name is still shown, so that the message says which one.
    if (!start.Path.empty()) nameEditor_.ShowName(start.Path);
    if (!HasTarget()) DisableTargetCommands();
    options_.Load(
        iniFileName_, [this](int32_t length) { return controls_.Scale(length); }, extensionBox_);
    extensionBox_.PutTextOnTop();
    PlaceWindow();
    ShowByteCounts();
}

void MainWindow::DisableTargetCommands() {
    for (const Command &command : Commands()) {
        if (!command.NeedsTarget) continue;
        if (HWND button = ::GetDlgItem(hwnd_, int(command.Id))) ::EnableWindow(button, FALSE);
        MenuItem(menu_, command.Id).SetEnabled(false);
    }
    nameField_.SetEnabled(false);
    extensionField_.SetEnabled(false);
    ::EnableMenuItem(menu_, MENU_EDIT, MF_BYPOSITION | MF_GRAYED);
    ::DrawMenuBar(hwnd_);
}

uint32_t MainWindow::FieldsCodePage() const {
    return platform::WorkingCodePageOf({nameField_.WideText(), extensionField_.WideText()});
}

void MainWindow::ShowByteCounts() {
    const uint32_t codePage = FieldsCodePage();
    SetTitle(StatusLine(nameField_.Text(codePage).size(), extensionField_.Text(codePage).size(),
                        codePage != platform::AnsiCodePage()));
}

void MainWindow::SetTitle(const ShownText &text) const {
    Frame(hwnd_).SetText(text);
}

int MainWindow::ShowMessageBox(const ShownText &text, const ShownText &caption, UINT flags) const {
    return app::ShowMessageBox(hwnd_, text, caption, flags);
}

void MainWindow::ShowError(const ShownText &message) const {
    ShowMessageBox(ErrorBoxText(message), ApplicationTitle, MB_ICONSTOP | MB_OK);
}

void MainWindow::ShowError(const std::exception &error) const {
    // Always called while error is being handled: thrown again, it tells whether it is the
    // program's own, which keeps the encodings of its parts, with no run-time type information
    // in the executable. Other errors are the runtime's own, in ASCII.
    try {
        throw;
    } catch (const TovimarError &own) {
        ShowError(own.Message());
        return;
    } catch (...) {
    }
    ShowError(ShownText(error.what()));
}

} // namespace tovimar::app
