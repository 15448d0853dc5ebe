// The main window: frame, controls, menu, keyboard, message dispatch and the set-up at show.
#include "app/MainUnit.h"

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

bool TFormMain::Register(HINSTANCE instance) {
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

bool TFormMain::Create(HINSTANCE instance, HWND application) {
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

LRESULT CALLBACK TFormMain::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TFormMain *self = nullptr;
    if (message == WM_NCCREATE) {
        self = static_cast<TFormMain *>(reinterpret_cast<CREATESTRUCTW *>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<TFormMain *>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
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

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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

bool TFormMain::OnCreate() {
    if (!controls_.Create(hwnd_)) return false;
    run_.Attach(hwnd_, application_);
    nameField_ = Edit(::GetDlgItem(hwnd_, IDC_FILENAME));
    extensionField_ = ComboBox(::GetDlgItem(hwnd_, IDC_FILEEXT));
    extensionBox_.Attach(extensionField_);
    nameEditor_ = NameEditor(nameField_, extensionField_);
    deleteLeftButton_ = Button(::GetDlgItem(hwnd_, IDC_LEFTDELETE));
    deleteRightButton_ = Button(::GetDlgItem(hwnd_, IDC_RIGHTDELETE));
    renameButton_ = Button(::GetDlgItem(hwnd_, IDC_EXECUTE));
    // The byte limits see each key before our own handlers.
    LimitTyping(nameField_.Handle(), NameByteLimit, EditProc, IDC_FILENAME,
                reinterpret_cast<DWORD_PTR>(this));
    LimitTyping(extensionField_.EditHandle(), ExtensionByteLimit, EditProc, IDC_FILEEXT,
                reinterpret_cast<DWORD_PTR>(this));
    options_.Attach(hwnd_, menu_);
    MenuItem(menu_, IDM_FORWENDREL).SetEnabled(!HomePageAddress.empty());
    return true;
}

std::span<const TFormMain::Command> TFormMain::Commands() {
    using F = TFormMain;
    static constexpr Command table[] = {
        {IDC_EXECUTE, [](F &f) { f.ApplyName(); }, true},
        {IDC_LEFTDELETE, [](F &f) { f.nameEditor_.DeleteLeftOfCaret(); }, true},
        {IDC_RIGHTDELETE, [](F &f) { f.nameEditor_.DeleteRightOfCaret(); }, true},
        // The name's change event comes before the extension is back, or not at all.
        {IDM_RELOAD,
         [](F &f) {
             f.nameEditor_.ShowName(f.targetPath_);
             f.ShowByteCounts();
         },
         true},
        {IDM_EXTEXECUTE, [](F &f) { f.OpenWithApplication(); }, true},
        {IDM_RENAME, [](F &f) { f.ApplyName(); }, true},
        {IDM_RENAMENEXT, [](F &f) { f.run_.Attempt(true); }, true},
        {IDM_DELETE, [](F &f) { f.DeleteTarget(); }, true},
        {IDM_EXIT, [](F &f) { ::SendMessageW(f.hwnd_, WM_CLOSE, 0, 0); }, false},
        {IDM_QUITALL, [](F &f) { f.CloseStoppingChain(); }, false},
        {IDM_ALLLOWER, [](F &f) { f.nameEditor_.ToLowerCase(); }, true},
        {IDM_ALLUPPER, [](F &f) { f.nameEditor_.ToUpperCase(); }, true},
        {IDM_HALFWIDTH, [](F &f) { f.nameEditor_.ToHalfWidth(); }, true},
        {IDM_FULLWIDTH, [](F &f) { f.nameEditor_.ToFullWidth(); }, true},
        {IDM_SPACEDELETE, [](F &f) { f.nameEditor_.RemoveBlanks(); }, true},
        {IDM_SPACEUNBAR, [](F &f) { f.nameEditor_.BlanksToUnderscores(); }, true},
        {IDM_DATETIME,
         [](F &f) { f.nameEditor_.PasteTimeFormatNow(f.options_.Current().TimeFormat); }, true},
        {IDM_MODIFIEDTIME,
         [](F &f) {
             f.PasteDate(platform::LastWriteLocalTime(f.targetPath_),
                         f.isFolder_ ? msg::FolderNotFound : msg::FileNotFound);
         },
         true},
        // The file is read and closed again before the name changes. A folder has no such date
        // (and opening it as a file would fail as a locked file does).
        {IDM_TAKENTIME,
         [](F &f) {
             const platform::TakenRead taken =
                 f.isFolder_ ? platform::TakenRead{} : platform::TakenLocalTime(f.targetPath_);
             f.PasteDate(taken.Time,
                         taken.Unreadable ? msg::TakenTimeUnreadable : msg::TakenTimeNotFound);
         },
         true},
        {IDM_TIMEFORMAT, [](F &f) { f.EditTimeFormat(); }, false},
        {IDM_WINDOWFRONT, [](F &f) { f.options_.ToggleAlwaysOnTop(); }, false},
        {IDM_OPTIONCURSOR, [](F &f) { f.options_.ToggleOpenAtCursor(); }, false},
        {IDM_WINDOWVARIABLE, [](F &f) { f.options_.ToggleVariableWidth(); }, false},
        {IDM_SENDTO, [](F &f) { ToggleSendToEntry(f.hwnd_); }, false},
        {IDM_HELP, [](F &f) { f.OpenManual(); }, false},
        {IDM_FORWENDREL, [](F &f) { f.OpenHomePage(); }, false},
        {IDM_VERSION, [](F &f) { f.ShowVersion(); }, false},
    };
    return table;
}

void TFormMain::OnCommand(UINT id, UINT code, HWND control) {
    switch (id) {
    case IDC_FILENAME:
        if (code == EN_CHANGE) ShowByteCounts();
        if (code == EN_SETFOCUS) UpdateDefaultButton();
        return;
    case IDC_FILEEXT:
        if (code == CBN_SETFOCUS) UpdateDefaultButton();
        if (extensionField_.Quiet()) return;
        if (code == CBN_SELCHANGE) {
            // The edit part still shows the old text when the list selection changes.
            int index = extensionField_.ItemIndex();
            if (index >= 0) extensionField_.SetText(extensionField_.Item(index));
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

void TFormMain::OnClose() {
    if (run_.CloseMustWait()) return;
    // An error in the close handler (a settings file that cannot be written) keeps the window.
    try {
        FormClose();
    } catch (const std::exception &e) {
        ShowError(e);
        return;
    }
    ::DestroyWindow(hwnd_);
}

void TFormMain::Show() {
    // An error ends the set-up, not the run: the window is still shown.
    try {
        FormShow();
    } catch (const std::exception &e) {
        if (!placed_) MoveToSavedPlace();
        ShowError(e);
    }
    if (const auto message = TargetProblemMessage(targetProblem_)) SetTitle(*message);
    lastFocus_ = nameField_.Enabled() ? nameField_.Handle() : nullptr;
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
}

void TFormMain::FormShow() {
    ShowPathsLeft();
    // Without an ANSI path to the program's folder no settings file can be kept there.
    if (platform::ProgramPathUsable())
        iniFileName_ =
            PathFolder(platform::AnsiCharacterRule(), platform::ArgumentAt(0)) + "\\Tovimar.ini";
    const ResolvedTarget target = platform::ResolveStartTarget(1);
    targetPath_ = target.Workable() ? target.Path : std::string();
    isFolder_ = target.IsFolder;
    targetProblem_ = target.Problem;
    // A missing entry's name is still shown, so that the message says which one.
    if (!target.Path.empty()) nameEditor_.ShowName(target.Path);
    if (!HasTarget()) DisableTargetCommands();
    options_.Load(
        iniFileName_, [this](int32_t length) { return controls_.Scale(length); },
        extensionBox_);
    extensionBox_.PutTextOnTop();
    PlaceWindow();
    ShowByteCounts();
}

void TFormMain::DisableTargetCommands() {
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

void TFormMain::ShowByteCounts() {
    SetTitle(StatusLine(nameField_.Text().size(), extensionField_.Text().size()));
}

void TFormMain::SetTitle(const ShownText &text) const {
    Frame(hwnd_).SetText(text);
}

int TFormMain::ShowMessageBox(const ShownText &text, const ShownText &caption, UINT flags) const {
    return app::ShowMessageBox(hwnd_, text, caption, flags);
}

void TFormMain::ShowError(const ShownText &message) const {
    ShowMessageBox(ErrorBoxText(message), ApplicationTitle, MB_ICONSTOP | MB_OK);
}

void TFormMain::ShowError(const std::exception &error) const {
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
