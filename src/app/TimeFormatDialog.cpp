#include "app/TimeFormatDialog.h"

#include "app/Controls.h"
#include "app/MainWindow.h"
#include "app/NameEditor.h"
#include "app/TextCrossing.h"
#include "core/IniText.h"
#include "core/IniValue.h"
#include "core/Messages.h"
#include "core/NameCheck.h"
#include "platform/Handles.h"
#include "platform/LocaleData.h"
#include "platform/Locale.h"
#include "resource.h"

#include <exception>
#include <optional>
#include <string>

namespace tovimar::app {

namespace {

// The kanji are quoted: a trail byte of one could read as a letter of the pattern (that of
// 年 in code page 932 is N, the minutes). Only those the ANSI code page holds are offered.
constexpr const wchar_t *Presets[] = {
    L"yymmddhhnnss",
    L"yyyymmdd_hhnnss",
    L"yyyy-mm-dd",
    L"'IMG_'yyyymmdd_hhnnss",
    L"yyyy\"\u5E74\"mm\"\u6708\"dd\"\u65E5\"",
};

struct DialogState {
    std::string Pattern;
    PreviewDates Dates;
    HFONT Font;
};

void ShowText(HWND dialog, int id, const std::wstring &text) {
    ::SetDlgItemTextW(dialog, id, text.c_str());
}

// One row of the preview; true when its result could not be part of a file name.
bool ShowPreview(HWND dialog, int id, const std::string &pattern, std::optional<double> value) {
    if (!value) {
        wchar_t none[32] = {};
        ::LoadStringW(::GetModuleHandleW(nullptr), IDS_TF_NONE, none, 32);
        ShowText(dialog, id, none);
        return false;
    }
    const std::string stamp = RenderLocalTimeFormat(pattern, *value);
    ShowText(dialog, id, WideOf(stamp));
    return CheckName(platform::AnsiCharacterRule(), stamp) == NameFault::ForbiddenCharacter;
}

void Refresh(HWND dialog, const DialogState &state) {
    const std::string pattern = Edit(::GetDlgItem(dialog, IDC_TF_PATTERN)).Text();
    bool forbidden = ShowPreview(dialog, IDC_TF_NOW, pattern, platform::CurrentLocalTime());
    forbidden |= ShowPreview(dialog, IDC_TF_MODIFIED, pattern, state.Dates.Modified);
    forbidden |= ShowPreview(dialog, IDC_TF_TAKEN, pattern, state.Dates.Taken);
    ::ShowWindow(::GetDlgItem(dialog, IDC_TF_WARNING), forbidden ? SW_SHOW : SW_HIDE);
}

// Why the settings file would not give the typed pattern back as it is; nullopt when it would.
// Blanks are not quoted away: quotes would change what the pattern renders.
std::optional<ShownText> RefusalOf(const std::wstring &typed) {
    if (!FitsAnsi(typed)) return ShownText(msg::TimeFormatUnreadable);
    switch (CheckIniValue(AnsiOf(typed))) {
    case IniValueFault::None:
        return std::nullopt;
    case IniValueFault::BlankAtEnd:
        return ShownText(msg::TimeFormatBlankAtEnd);
    case IniValueFault::LineBreak:
        return ShownText(msg::TimeFormatLineBreak);
    case IniValueFault::TooLong:
        return ShownText(msg::TimeFormatTooLongHead) + FormatIniInteger(int32_t(IniStringLimit)) +
               msg::TimeFormatTooLongTail;
    }
    return std::nullopt;
}

BOOL CALLBACK SetFontOf(HWND control, LPARAM font) {
    ::SendMessageW(control, WM_SETFONT, WPARAM(font), FALSE);
    return TRUE;
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto *state = reinterpret_cast<DialogState *>(::GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<DialogState *>(lParam);
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        if (state->Font) ::EnumChildWindows(dialog, SetFontOf, LPARAM(state->Font));
        HWND presets = ::GetDlgItem(dialog, IDC_TF_PRESETS);
        for (const wchar_t *preset : Presets)
            if (FitsAnsi(preset))
                ::SendMessageW(presets, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(preset));
        ShowText(dialog, IDC_TF_PATTERN, WideOf(state->Pattern));
        Refresh(dialog, *state);
        return TRUE;
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        if (!state) return FALSE;
        if (id == IDC_TF_PATTERN && code == EN_CHANGE) {
            Refresh(dialog, *state);
        } else if (id == IDC_TF_PRESETS && code == CBN_SELCHANGE) {
            const ComboBox presets(::GetDlgItem(dialog, IDC_TF_PRESETS));
            const int index = presets.ItemIndex();
            if (index >= 0) ShowText(dialog, IDC_TF_PATTERN, WideOf(presets.Item(index)));
        } else if (id == IDOK) {
            const Edit field(::GetDlgItem(dialog, IDC_TF_PATTERN));
            const std::wstring typed = field.WideText();
            if (const std::optional<ShownText> refusal = RefusalOf(typed)) {
                ShowMessageBox(dialog, *refusal, MainWindow::ApplicationTitle,
                               MB_ICONEXCLAMATION | MB_OK);
                ::SendMessageW(dialog, WM_NEXTDLGCTL, WPARAM(field.Handle()), TRUE);
                return TRUE;
            }
            state->Pattern = AnsiOf(typed);
            ::EndDialog(dialog, IDOK);
        } else if (id == IDCANCEL) {
            ::EndDialog(dialog, IDCANCEL);
        } else {
            return FALSE;
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// No exception may cross the system's call back into this.
INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMessage(dialog, message, wParam, lParam);
    } catch (const std::exception &) {
        return FALSE;
    }
}

} // namespace

std::optional<std::string> EditTimeFormat(HWND owner, HFONT font, const std::string &pattern,
                                          const PreviewDates &dates) {
    // A copy: the window makes its fonts anew when the display's density changes.
    LOGFONTW look{};
    platform::Font own;
    if (font && ::GetObjectW(font, sizeof look, &look) == sizeof look)
        own.Reset(::CreateFontIndirectW(&look));
    DialogState state{pattern, dates, own.Get()};
    const INT_PTR result =
        ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TIMEFORMAT), owner,
                          DialogProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) return std::nullopt;
    return state.Pattern;
}

} // namespace tovimar::app
