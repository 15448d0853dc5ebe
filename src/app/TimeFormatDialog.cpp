#include "app/TimeFormatDialog.h"

#include "app/Controls.h"
#include "app/NameEditor.h"
#include "app/TextCrossing.h"
#include "core/NameCheck.h"
#include "platform/LocaleData.h"
#include "resource.h"

#include <exception>
#include <iterator>
#include <optional>
#include <string>

namespace tovimar::app {

namespace {

// The kanji are quoted: a trail byte of one could read as a letter of the pattern (that of
// 年 in code page 932 is N, the minutes).
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
    const std::string stamp = FormatLocalTime(pattern, *value);
    ShowText(dialog, id, WideOf(stamp));
    return CheckName(stamp) == NameFault::ForbiddenCharacter;
}

void Refresh(HWND dialog, const DialogState &state) {
    const std::string pattern = Edit(::GetDlgItem(dialog, IDC_TF_PATTERN)).Text();
    bool forbidden = ShowPreview(dialog, IDC_TF_NOW, pattern, platform::CurrentLocalTime());
    forbidden |= ShowPreview(dialog, IDC_TF_MODIFIED, pattern, state.Dates.Modified);
    forbidden |= ShowPreview(dialog, IDC_TF_TAKEN, pattern, state.Dates.Taken);
    ::ShowWindow(::GetDlgItem(dialog, IDC_TF_WARNING), forbidden ? SW_SHOW : SW_HIDE);
}

INT_PTR HandleMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto *state = reinterpret_cast<DialogState *>(::GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<DialogState *>(lParam);
        ::SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        HWND presets = ::GetDlgItem(dialog, IDC_TF_PRESETS);
        for (const wchar_t *preset : Presets)
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
            HWND presets = ::GetDlgItem(dialog, IDC_TF_PRESETS);
            const LRESULT index = ::SendMessageW(presets, CB_GETCURSEL, 0, 0);
            if (index >= 0 && size_t(index) < std::size(Presets))
                ShowText(dialog, IDC_TF_PATTERN, Presets[index]);
        } else if (id == IDOK) {
            state->Pattern = Edit(::GetDlgItem(dialog, IDC_TF_PATTERN)).Text();
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

std::optional<std::string> EditTimeFormat(HWND owner, const std::string &pattern,
                                          const PreviewDates &dates) {
    DialogState state{pattern, dates};
    const INT_PTR result =
        ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_TIMEFORMAT), owner,
                          DialogProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) return std::nullopt;
    return state.Pattern;
}

} // namespace tovimar::app
