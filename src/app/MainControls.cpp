#include "app/MainControls.h"

#include "core/WindowLayout.h"
#include "platform/Graphics.h"
#include "resource.h"

#include <algorithm>
#include <string>

namespace tovimar::app {

namespace {

constexpr UINT TipDelay = 500;
constexpr UINT TipShowTime = 2500;

// The glyph's drawings, one for each of GlyphCells.
constexpr platform::ButtonArt OkGlyphArt[] = {{GlyphCells[0], IDB_OK},
                                              {GlyphCells[1], IDB_OK23},
                                              {GlyphCells[2], IDB_OK27},
                                              {GlyphCells[3], IDB_OK36}};
static_assert(std::size(OkGlyphArt) == std::size(GlyphCells));

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
    {IDC_NAME, L"EDIT", WS_EX_CLIENTEDGE, ES_AUTOHSCROLL, 8, 6, 295, 23, true, FontKind::Text, 0,
     0},
    {IDC_EXTENSION, L"COMBOBOX", 0, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL, 8, 36, 81,
     ComboHeight, false, FontKind::Text, 0, 0},
    {IDC_DELETELEFT, L"BUTTON", 0, BS_PUSHBUTTON | BS_NOTIFY, 96, 36, 49, 23, false,
     FontKind::Window, IDS_DELETELEFT, IDS_HINT_DELETELEFT},
    {IDC_DELETERIGHT, L"BUTTON", 0, BS_PUSHBUTTON | BS_NOTIFY, 152, 36, 49, 23, false,
     FontKind::Window, IDS_DELETERIGHT, IDS_HINT_DELETERIGHT},
    {IDC_RENAME, L"BUTTON", 0, BS_DEFPUSHBUTTON | BS_NOTIFY, 208, 36, 95, 23, true,
     FontKind::Window, IDS_RENAME, IDS_HINT_RENAME},
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
    if (spec.Id == IDC_EXTENSION) at.Height = scale(ComboHeight + ListRows * ItemHeight + 2);
    return at;
}

} // namespace

MainControls::MainControls() : dpi_(platform::WindowDpi(nullptr)) {}

void MainControls::MakeFonts() {
    windowFont_.Reset(MakeFont(Scale(12), WindowFontFace));
    textFont_.Reset(MakeFont(Scale(15), TextFontFace));
    ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(windowFont_.Get()), FALSE);
}

bool MainControls::Create(HWND window) {
    window_ = window;
    dpi_ = platform::WindowDpi(window_);
    MakeFonts();
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    for (const ControlSpec &spec : ControlTable) {
        const Bounds at = ControlBounds(spec, Scale(DesignClientWidth), dpi_);
        HWND control = ::CreateWindowExW(
            spec.ExStyle, spec.Class, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | spec.Style, at.Left,
            at.Top, at.Width, at.Height, window_,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(spec.Id)), instance, nullptr);
        if (control == nullptr) return false;
        if (spec.Caption != 0) ::SetWindowTextW(control, LoadText(instance, spec.Caption).c_str());
    }
    ::SendMessageW(::GetDlgItem(window_, IDC_EXTENSION), CB_SETMINVISIBLE, ListRows, 0);
    ApplyDpi(false);
    return true;
}

void MainControls::OnPointerVisit() {
    if (toolTip_ != nullptr) return;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window_, GWLP_HINSTANCE));
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
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(window_, int(spec.Id)));
        tool.lpszText = hint.data();
        ::SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    ::SendMessageW(toolTip_, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(TipDelay, 0));
    ::SendMessageW(toolTip_, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(TipShowTime, 0));
}

void MainControls::OnSize(int clientWidth) {
    LayOut(clientWidth, false);
}

void MainControls::Destroy() {
    if (toolTip_ != nullptr) ::DestroyWindow(toolTip_);
    toolTip_ = nullptr;
}

void MainControls::LayOut(int clientWidth, bool all) {
    for (const ControlSpec &spec : ControlTable) {
        if (!spec.Stretches && !all) continue;
        const Bounds at = ControlBounds(spec, clientWidth, dpi_);
        ::SetWindowPos(::GetDlgItem(window_, int(spec.Id)), nullptr, at.Left, at.Top, at.Width,
                       at.Height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void MainControls::ApplyDpi(bool relayout) {
    for (const ControlSpec &spec : ControlTable) {
        HFONT font = spec.Font == FontKind::Text ? textFont_.Get() : windowFont_.Get();
        ::SendMessageW(::GetDlgItem(window_, int(spec.Id)), WM_SETFONT,
                       reinterpret_cast<WPARAM>(font), relayout);
    }
    if (relayout) {
        RECT client{};
        ::GetClientRect(window_, &client);
        LayOut(client.right, true);
    }
    // The list's rows, then the closed box's height through its edit field's height. Each
    // change lays the box out again: only changes are sent.
    HWND box = ::GetDlgItem(window_, IDC_EXTENSION);
    if (::SendMessageW(box, CB_GETITEMHEIGHT, 0, 0) != Scale(ItemHeight))
        ::SendMessageW(box, CB_SETITEMHEIGHT, 0, Scale(ItemHeight));
    RECT boxRect{};
    ::GetWindowRect(box, &boxRect);
    LRESULT field = ::SendMessageW(box, CB_GETITEMHEIGHT, WPARAM(-1), 0);
    const int missing = Scale(ComboHeight) - (boxRect.bottom - boxRect.top);
    if (field != CB_ERR && missing != 0)
        ::SendMessageW(box, CB_SETITEMHEIGHT, WPARAM(-1), field + missing);

    HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    const int cell = Scale(GlyphCell);
    okGlyph_.Reset(
        platform::LoadButtonImages(instance, OkGlyphArt[PickImageSize(GlyphCells, cell)], cell));
    BUTTON_IMAGELIST images{okGlyph_.Get(), {Scale(2), 0, 0, 0}, BUTTON_IMAGELIST_ALIGN_LEFT};
    if (okGlyph_.Get() != nullptr)
        ::SendMessageW(::GetDlgItem(window_, IDC_RENAME), BCM_SETIMAGELIST, 0,
                       reinterpret_cast<LPARAM>(&images));
}

void MainControls::OnDpiChanged(UINT dpi, const RECT &suggested) {
    if (dpi == 0 || dpi == dpi_) return;
    dpi_ = dpi;
    MakeFonts();
    ApplyDpi(true);
    ::SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainControls::OnGetMinMaxInfo(MINMAXINFO &info) const {
    info.ptMinTrackSize.x = Scale(MinimumWindowWidth);
    info.ptMinTrackSize.y = Scale(WindowHeight);
    info.ptMaxTrackSize.y = Scale(WindowHeight);
}

void MainControls::OnWindowPosChanging(WINDOWPOS &pos) const {
    // The size limits hold for sizes set by the program too (a saved width of 100 opens 300
    // wide), and for a resize that does not come through the frame (Wine without a window
    // manager).
    if (pos.flags & SWP_NOSIZE) return;
    pos.cx = std::max(pos.cx, Scale(MinimumWindowWidth));
    pos.cy = Scale(WindowHeight);
}

} // namespace tovimar::app
