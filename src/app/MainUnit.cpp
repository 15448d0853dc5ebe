// The main window: frame, controls, menu, keyboard, message dispatch and the set-up at show.
#include "app/MainUnit.h"

#include "app/WebAddresses.h"
#include "core/Errors.h"
#include "core/Messages.h"
#include "core/NameCheck.h"
#include "core/PathRules.h"
#include "core/Placement.h"
#include "core/StatusText.h"
#include "platform/LocaleData.h"
#include "platform/Graphics.h"
#include "resource.h"

#include <algorithm>
#include <array>
#include <string>

namespace tovimar::app {

namespace {

// The shell's broadcast after it restarts; locale changes may have passed unseen meanwhile.
bool IsTaskbarCreated(UINT message) {
    static const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    return taskbarCreated != 0 && message == taskbarCreated;
}

// Outer size of the window; only the width can change.
constexpr int DesignLeft = 336;
constexpr int DesignTop = 377;
// The client area's width at the design size: controls that stretch keep their distance to
// its right edge.
constexpr int DesignClientWidth = 312;

constexpr size_t NameLimit = 160;
constexpr size_t ExtensionLimit = 16;

constexpr int ListRows = 6;
constexpr int ItemHeight = 15;
constexpr int ComboHeight = 23;

constexpr UINT TipDelay = 500;
constexpr UINT TipShowTime = 2500;

constexpr UINT RetryInterval = 1000;

// The OK glyph's square images at the design size, and its drawings for denser displays.
constexpr int GlyphCell = 18;
constexpr platform::ButtonArt OkGlyphArt[] = {
    {GlyphCell, IDB_OK}, {23, IDB_OK23}, {27, IDB_OK27}, {36, IDB_OK36}};

// Design sizes are for 96 pixels per inch; the window keeps them in proportion on other
// displays, and follows a move to a display of another density.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// "ＭＳ Ｐゴシック" and "ＭＳ ゴシック".
constexpr const wchar_t *WindowFontFace = L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF";
constexpr const wchar_t *TextFontFace = L"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";

HFONT MakeFont(int height, const wchar_t *face) {
    return ::CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, face);
}

std::wstring LoadText(HINSTANCE instance, UINT id) {
    const wchar_t *text = nullptr;
    int length = ::LoadStringW(instance, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

enum class FontKind { Window, Text };

// One control of the window: where it stands at 96 pixels per inch, and what it shows.
struct ControlSpec {
    UINT Id;
    const wchar_t *Class;
    DWORD ExStyle;
    DWORD Style;
    int Left, Top, Width, Height;
    bool Stretches; // anchored left and right: grows with the window's width
    FontKind Font;
    UINT Caption; // string resource, 0 for none
    UINT Hint;    // string resource for the tool tip, 0 for none
};

// In tab order.
constexpr ControlSpec ControlTable[] = {
    {IDC_FILENAME, L"EDIT", WS_EX_CLIENTEDGE, ES_AUTOHSCROLL, 8, 6, 295, 23, true, FontKind::Text,
     0, 0},
    {IDC_FILEEXT, L"COMBOBOX", 0, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 8, 36, 81,
     ComboHeight, false, FontKind::Text, 0, 0},
    {IDC_LEFTDELETE, L"BUTTON", 0, BS_PUSHBUTTON | BS_NOTIFY, 96, 36, 49, 23, false,
     FontKind::Window, IDS_LEFTDELETE, IDS_HINT_LEFTDELETE},
    {IDC_RIGHTDELETE, L"BUTTON", 0, BS_PUSHBUTTON | BS_NOTIFY, 152, 36, 49, 23, false,
     FontKind::Window, IDS_RIGHTDELETE, IDS_HINT_RIGHTDELETE},
    {IDC_EXECUTE, L"BUTTON", 0, BS_DEFPUSHBUTTON | BS_NOTIFY, 208, 36, 95, 23, true,
     FontKind::Window, IDS_EXECUTE, IDS_HINT_EXECUTE},
};

struct Bounds {
    int Left, Top, Width, Height;
};

// Where a control stands in a client area clientWidth wide, on a display of dpi.
Bounds ControlBounds(const ControlSpec &spec, int clientWidth, UINT dpi) {
    const auto scale = [dpi](int length) { return ScaleToDpi(length, static_cast<int>(dpi)); };
    Bounds at{scale(spec.Left), scale(spec.Top), scale(spec.Width), scale(spec.Height)};
    if (spec.Stretches) {
        const int rightMargin = scale(DesignClientWidth - (spec.Left + spec.Width));
        at.Width = std::max(0, clientWidth - rightMargin - at.Left);
    }
    // The height given to a drop-down box is that of the box with its list open.
    if (spec.Id == IDC_FILEEXT) at.Height = scale(ComboHeight + ListRows * ItemHeight + 2);
    return at;
}

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
    dpi_ = platform::WindowDpi(nullptr);
    HWND hwnd = ::CreateWindowExW(WS_EX_TOOLWINDOW, ClassName, L"Tovimar",
                                  WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
                                  DesignLeft, DesignTop, Scale(DesignWindowWidth),
                                  Scale(WindowHeight), application, menu_, instance, this);
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
        if (wParam == IDT_RETRY) btnExecuteClick();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lParam));
        return 0;
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO *>(lParam));
        return 0;
    case WM_WINDOWPOSCHANGING:
        OnWindowPosChanging(*reinterpret_cast<WINDOWPOS *>(lParam));
        break;
    case WM_ACTIVATE:
        OnActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_SHOWWINDOW:
        if (lParam == 0) OnShowWindow(wParam != FALSE);
        break;
    case WM_SETTINGCHANGE:
        platform::ReloadLocaleValues();
        break;
    case WM_SETCURSOR:
        // The hints wait for the pointer's first visit: the start does not pay for them.
        if (!hintsMade_) {
            hintsMade_ = true;
            CreateHints();
        }
        break;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT *>(lParam));
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Logging off ends the run without the close handler: nothing saved, no chain.
        if (wParam != FALSE) ::DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        StopTimer();
        if (toolTip_ != nullptr) ::DestroyWindow(toolTip_);
        toolTip_ = nullptr;
        ::PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        return 0;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

int TFormMain::Scale(int length) const {
    return ScaleToDpi(length, static_cast<int>(dpi_));
}

bool TFormMain::OnCreate() {
    dpi_ = platform::WindowDpi(hwnd_);
    MakeFonts();
    CreateControls();
    mnuReLoad = MenuItem(menu_, IDM_RELOAD);
    mnuExtExecute = MenuItem(menu_, IDM_EXTEXECUTE);
    mnuRename = MenuItem(menu_, IDM_RENAME);
    mnuDelete = MenuItem(menu_, IDM_DELETE);
    WindowFront = MenuItem(menu_, IDM_WINDOWFRONT);
    mnuOptionCursor = MenuItem(menu_, IDM_OPTIONCURSOR);
    mnuWindowVariable = MenuItem(menu_, IDM_WINDOWVARIABLE);
    MenuItem(menu_, IDM_FORWENDREL).SetEnabled(!HomePageAddress.empty());
    return edtFileName.Handle() && cmbFileExt.Handle() && btnExecute.Handle();
}

void TFormMain::MakeFonts() {
    windowFont_.Reset(MakeFont(Scale(12), WindowFontFace));
    textFont_.Reset(MakeFont(Scale(15), TextFontFace));
    ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.Get()), FALSE);
}

void TFormMain::CreateControls() {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));

    for (const ControlSpec &spec : ControlTable) {
        const Bounds at = ControlBounds(spec, Scale(DesignClientWidth), dpi_);
        HWND control = ::CreateWindowExW(
            spec.ExStyle, spec.Class, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | spec.Style, at.Left,
            at.Top, at.Width, at.Height, hwnd_,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(spec.Id)), instance, nullptr);
        if (spec.Caption != 0) ::SetWindowTextW(control, LoadText(instance, spec.Caption).c_str());
    }
    edtFileName = Edit(::GetDlgItem(hwnd_, IDC_FILENAME));
    cmbFileExt = ComboBox(::GetDlgItem(hwnd_, IDC_FILEEXT));
    btnLeftDelete = Button(::GetDlgItem(hwnd_, IDC_LEFTDELETE));
    btnRightDelete = Button(::GetDlgItem(hwnd_, IDC_RIGHTDELETE));
    btnExecute = Button(::GetDlgItem(hwnd_, IDC_EXECUTE));
    ::SendMessageW(cmbFileExt.Handle(), CB_SETMINVISIBLE, ListRows, 0);
    ApplyDpi(false);

    // The byte limits see each key before our own handlers.
    LimitTyping(edtFileName.Handle(), NameLimit, EditProc, IDC_FILENAME,
                reinterpret_cast<DWORD_PTR>(this));
    LimitTyping(cmbFileExt.EditHandle(), ExtensionLimit, EditProc, IDC_FILEEXT,
                reinterpret_cast<DWORD_PTR>(this));
}

void TFormMain::CreateHints() {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    // Hints on the three buttons only. The tip window has no owner: Wine links a window made
    // topmost below its topmost owned popups and then drops it from the top band, so an owned
    // tip would defeat the always-on-top option. It is destroyed with the main window.
    toolTip_ =
        ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                          WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    for (const ControlSpec &spec : ControlTable) {
        if (spec.Hint == 0) continue;
        std::wstring hint = LoadText(instance, spec.Hint);
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = hwnd_;
        tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(hwnd_, int(spec.Id)));
        tool.lpszText = hint.data();
        ::SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ::SendMessageW(toolTip_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(TipDelay, 0));
    ::SendMessageW(toolTip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(TipShowTime, 0));
}

LRESULT CALLBACK TFormMain::EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data) {
    auto *self = reinterpret_cast<TFormMain *>(data);
    // The handlers reached from here end in the error box as those of the window procedure.
    try {
        switch (message) {
        case WM_LBUTTONDBLCLK:
            if (id == IDC_FILENAME) {
                LRESULT r = CallControl(edit, message, wParam, lParam);
                self->mnuExtExecuteClick();
                return r;
            }
            break;
        case WM_IME_CHAR:
        case WM_CHAR:
            if (id == IDC_FILEEXT && (wParam >= L' ' || wParam == L'\b')) {
                wchar_t ch = static_cast<wchar_t>(wParam);
                std::string typed = ch == L'\b' ? std::string("\b") : platform::ToAnsi({&ch, 1});
                if (self->cmbFileExtKeyPress(typed)) return 0;
            }
            break;
        }
    } catch (const std::exception &e) {
        self->ShowError(e);
        return 0;
    }
    return CallControl(edit, message, wParam, lParam);
}

void TFormMain::OnCommand(UINT id, UINT code, HWND control) {
    if (control == nullptr && !MenuItem(menu_, id).Enabled()) return; // a disabled item's shortcut
    switch (id) {
    case IDC_FILENAME:
        if (code == EN_CHANGE) edtFileNameChange();
        if (code == EN_SETFOCUS) UpdateDefaultButton();
        break;
    case IDC_FILEEXT:
        if (code == CBN_SETFOCUS) UpdateDefaultButton();
        if (cmbFileExt.Quiet()) break;
        if (code == CBN_SELCHANGE) {
            // The edit part still shows the old text when the list selection changes.
            int index = cmbFileExt.ItemIndex();
            if (index >= 0) cmbFileExt.SetText(cmbFileExt.Item(index));
        }
        if (code == CBN_EDITCHANGE || code == CBN_SELCHANGE) edtFileNameChange();
        break;
    case IDC_LEFTDELETE:
    case IDC_RIGHTDELETE:
    case IDC_EXECUTE:
        if (code == BN_SETFOCUS || code == BN_KILLFOCUS) UpdateDefaultButton();
        if (code != BN_CLICKED) break;
        if (id == IDC_LEFTDELETE) btnLeftDeleteClick();
        if (id == IDC_RIGHTDELETE) btnRightDeleteClick();
        if (id == IDC_EXECUTE) btnExecuteClick();
        break;
    case IDM_RELOAD:
        mnuReLoadClick();
        break;
    case IDM_EXTEXECUTE:
        mnuExtExecuteClick();
        break;
    case IDM_RENAME:
        btnExecuteClick();
        break;
    case IDM_DELETE:
        mnuDeleteClick();
        break;
    case IDM_EXIT:
        mnuExitClick();
        break;
    case IDM_ALLLOWER:
        mnuAllLowerClick();
        break;
    case IDM_ALLUPPER:
        mnuAllUpperClick();
        break;
    case IDM_HALFWIDTH:
        H1Click();
        break;
    case IDM_FULLWIDTH:
        Z1Click();
        break;
    case IDM_SPACEDELETE:
        mnuSpeceDeleteClick();
        break;
    case IDM_SPACEUNBAR:
        mnuSpaceUnBarClick();
        break;
    case IDM_DATETIME:
        D1Click();
        break;
    case IDM_WINDOWFRONT:
        WindowFront.SetChecked(!WindowFront.Checked());
        WindowFrontClick();
        break;
    case IDM_OPTIONCURSOR:
        mnuOptionCursor.SetChecked(!mnuOptionCursor.Checked());
        break;
    case IDM_WINDOWVARIABLE:
        mnuWindowVariable.SetChecked(!mnuWindowVariable.Checked());
        break;
    case IDM_HELP:
        mnuHelpClick();
        break;
    case IDM_FORWENDREL:
        mnuForWendrelClick();
        break;
    case IDM_VERSION:
        mnuVersionClick();
        break;
    }
}

void TFormMain::OnClose() {
    if (CloseMustWait()) return;
    // An error in the close handler (a settings file that cannot be written) keeps the window.
    try {
        FormClose();
    } catch (const std::exception &e) {
        ShowError(e);
        return;
    }
    ::DestroyWindow(hwnd_);
}

void TFormMain::OnSize(int width) {
    LayOut(width, false);
}

void TFormMain::LayOut(int clientWidth, bool all) {
    for (const ControlSpec &spec : ControlTable) {
        if (!spec.Stretches && !all) continue;
        const Bounds at = ControlBounds(spec, clientWidth, dpi_);
        ::SetWindowPos(::GetDlgItem(hwnd_, int(spec.Id)), nullptr, at.Left, at.Top, at.Width,
                       at.Height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void TFormMain::ApplyDpi(bool relayout) {
    for (const ControlSpec &spec : ControlTable) {
        HFONT font = spec.Font == FontKind::Text ? textFont_.Get() : windowFont_.Get();
        ::SendMessageW(::GetDlgItem(hwnd_, int(spec.Id)), WM_SETFONT,
                       reinterpret_cast<WPARAM>(font), relayout);
    }
    if (relayout) {
        RECT client{};
        ::GetClientRect(hwnd_, &client);
        LayOut(client.right, true);
    }
    // The list's rows, then the closed box's height through its edit field's height. Each
    // change lays the box out again: only changes are sent.
    HWND box = cmbFileExt.Handle();
    if (::SendMessageW(box, CB_GETITEMHEIGHT, 0, 0) != Scale(ItemHeight))
        ::SendMessageW(box, CB_SETITEMHEIGHT, 0, Scale(ItemHeight));
    RECT boxRect{};
    ::GetWindowRect(box, &boxRect);
    LRESULT field = ::SendMessageW(box, CB_GETITEMHEIGHT, WPARAM(-1), 0);
    const int missing = Scale(ComboHeight) - (boxRect.bottom - boxRect.top);
    if (field != CB_ERR && missing != 0)
        ::SendMessageW(box, CB_SETITEMHEIGHT, WPARAM(-1), field + missing);

    HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
    okGlyph_.Reset(platform::LoadButtonImages(instance, OkGlyphArt, Scale(GlyphCell)));
    BUTTON_IMAGELIST images{okGlyph_.Get(), {Scale(2), 0, 0, 0}, BUTTON_IMAGELIST_ALIGN_LEFT};
    if (okGlyph_.Get() != nullptr)
        ::SendMessageW(btnExecute.Handle(), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
}

void TFormMain::OnDpiChanged(UINT dpi, const RECT &suggested) {
    if (dpi == 0 || dpi == dpi_) return;
    dpi_ = dpi;
    MakeFonts();
    ApplyDpi(true);
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFormMain::OnGetMinMaxInfo(MINMAXINFO &info) const {
    info.ptMinTrackSize.x = Scale(MinimumWindowWidth);
    info.ptMinTrackSize.y = Scale(WindowHeight);
    info.ptMaxTrackSize.y = Scale(WindowHeight);
}

void TFormMain::OnWindowPosChanging(WINDOWPOS &pos) const {
    // The size limits hold for sizes set by the program too (a saved width of 100 opens 300
    // wide), and for a resize that does not come through the frame (Wine without a window
    // manager).
    if (pos.flags & SWP_NOSIZE) return;
    pos.cx = std::max(pos.cx, Scale(MinimumWindowWidth));
    pos.cy = Scale(WindowHeight);
}

void TFormMain::OnShowWindow(bool shown) {
    // The taskbar button belongs to the application window: it goes with the main window.
    if (application_ != nullptr) ::ShowWindow(application_, shown ? SW_SHOWNOACTIVATE : SW_HIDE);
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
    lastFocus_ = edtFileName.Enabled() ? edtFileName.Handle() : nullptr;
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
}

void TFormMain::FormShow() {
    if (application_ != nullptr) ::SetWindowTextA(application_, ApplicationTitle);
    // Without an ANSI path to the program's folder no settings file can be kept there.
    if (platform::ProgramPathUsable())
        IniFileName = PathFolder(platform::ArgumentAt(0)) + "\\Tovimar.ini";
    const ResolvedTarget target = platform::ResolveStartTarget(1);
    TargetPath = target.Workable() ? target.Path : std::string();
    IsFolder = target.IsFolder;
    targetProblem_ = target.Problem;
    // A missing entry's name is still shown, so that the message says which one.
    if (!target.Path.empty()) {
        edtFileName.SetText(StripExtension(PathName(target.Path)));
        cmbFileExt.SetText(PathExtension(target.Path));
        edtFileName.SelectAll();
    }
    if (!HasTarget()) DisableTargetCommands();
    IniLoad();
    PutExtensionOnTop();
    PlaceWindow();
    edtFileNameChange();
}

void TFormMain::DisableTargetCommands() {
    for (const Control &control :
         std::array<Control, 5>{edtFileName, cmbFileExt, btnExecute, btnLeftDelete, btnRightDelete})
        control.SetEnabled(false);
    for (const MenuItem &item : {mnuRename, mnuDelete, mnuReLoad, mnuExtExecute})
        item.SetEnabled(false);
    ::EnableMenuItem(menu_, MENU_EDIT, MF_BYPOSITION | MF_GRAYED);
    ::DrawMenuBar(hwnd_);
}

void TFormMain::edtFileNameChange() {
    SetTitle(StatusLine(edtFileName.Text().size(), cmbFileExt.Text().size()));
}

void TFormMain::mnuExitClick() {
    ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TFormMain::SetTitle(const ShownText &text) const {
    Frame(hwnd_).SetText(text);
}

void TFormMain::StartTimer() {
    if (timerRunning_) return;
    if (::SetTimer(hwnd_, IDT_RETRY, RetryInterval, nullptr) == 0)
        throw TovimarError(std::string(msg::NoTimer));
    timerRunning_ = true;
}

void TFormMain::StopTimer() {
    if (timerRunning_ && hwnd_ != nullptr) ::KillTimer(hwnd_, IDT_RETRY);
    timerRunning_ = false;
}

int TFormMain::ShowMessageBox(const ShownText &text, const ShownText &caption, UINT flags) const {
    return app::ShowMessageBox(hwnd_, text, caption, flags);
}

void TFormMain::ShowError(const ShownText &message) const {
    ShowMessageBox(ErrorBoxText(message), ApplicationTitle, MB_ICONSTOP | MB_OK);
}

void TFormMain::ShowError(const std::exception &error) const {
    // Other errors are the runtime's own, in ASCII.
    const auto *own = dynamic_cast<const TovimarError *>(&error);
    ShowError(own != nullptr ? own->Message() : ShownText(error.what()));
}

} // namespace tovimar::app
