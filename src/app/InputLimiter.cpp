#include "app/InputLimiter.h"

#include "app/Controls.h"
#include "app/TextCrossing.h"

#include <imm.h>

#include <string>
#include <utility>
#include <vector>

namespace tovimar::app {

namespace {

// A caret or selection end that stands inside a surrogate pair moves out of it: a caret
// on in the direction it came from before, a selection outwards, its caret staying on the
// side that moved. Typing there would split the pair.
void KeepWholeCharacters(const Edit &box, WideSelection before) {
    std::wstring text = box.WideText();
    WideSelection sel = box.Selection();
    const bool caret = sel.Start == sel.End;
    size_t start = WholeCharacterIndex(text, sel.Start, caret && sel.Start > before.Start);
    size_t end = caret ? start : WholeCharacterIndex(text, sel.End, true);
    if (start == sel.Start && end == sel.End) return;
    if (sel.Start < before.Start)
        box.Select(end, start);
    else
        box.Select(start, end);
}

// Backspace and Delete take one UTF-16 unit in Wine's edit: a caret next to a surrogate
// pair selects the pair first, so that the key removes it whole.
void SelectPairBeside(const Edit &box, bool after) {
    const WideSelection sel = box.Selection();
    const std::wstring text = box.WideText();
    const size_t i = sel.Start;
    if (sel.End != i) return;
    if (after && i + 1 < text.size() && IS_SURROGATE_PAIR(text[i], text[i + 1]))
        box.Select(i, i + 2);
    if (!after && i >= 2 && IS_SURROGATE_PAIR(text[i - 2], text[i - 1])) box.Select(i - 2, i);
}

// A hook on an edit field: the byte limit first, then the owner's handler, if any, then the
// control's own procedure. It sits in the window's procedure slot and is found in a small table
// of the program's own: comctl32's subclass chain reads a window property at every message, and
// under Wine each such read is a trip to the window server.
struct EditHook {
    HWND Edit = nullptr;
    size_t MaxBytes = 0;
    EditHandler Handler = nullptr;
    UINT_PTR Id = 0;
    DWORD_PTR Data = 0;
    WNDPROC Control = ::DefWindowProcW;
    // The other field of the name: its text decides the working code page too.
    HWND Partner = nullptr;
    // The first half of a character beyond U+FFFF, waiting for the second.
    wchar_t PendingHalf = 0;
};

// The hooked edits; all live on the program's one thread.
std::vector<EditHook> &EditHooks() {
    static std::vector<EditHook> hooks;
    return hooks;
}

EditHook *FindHook(HWND edit) {
    for (EditHook &hook : EditHooks())
        if (hook.Edit == edit) return &hook;
    return nullptr;
}

// The first half of a typed surrogate pair the edit waits with; swapped for next.
wchar_t SwapPendingHalf(HWND edit, wchar_t next) {
    EditHook *hook = FindHook(edit);
    return hook != nullptr ? std::exchange(hook->PendingHalf, next) : 0;
}

// A copy: a handler may hook another edit and so move the table.
EditHook HookOf(HWND edit) {
    const EditHook *hook = FindHook(edit);
    return hook != nullptr ? *hook : EditHook{edit};
}

// Whether the partner's text, if any, fits the ANSI code page.
bool PartnerFits(HWND edit) {
    const HWND partner = HookOf(edit).Partner;
    return partner == nullptr || FitsAnsi(Edit(partner).WideText());
}

// The next layer after the byte limit.
LRESULT CallHandler(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const EditHook hook = HookOf(edit);
    if (hook.Handler == nullptr) return CallControl(edit, message, wParam, lParam);
    return hook.Handler(edit, message, wParam, lParam, hook.Id, hook.Data);
}

// Limits what the user can type, paste or compose into an edit to maxBytes bytes of the working
// code page the edit and its partner then need. Texts set by the program are not limited.
// (EM_LIMITTEXT will not do: Wine's edit counts UTF-16 units even where Windows counts bytes.)
LRESULT CALLBACK ByteLimitProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const size_t maxBytes = HookOf(edit).MaxBytes;
    switch (message) {
    case WM_KEYDOWN: {
        // Wine's edit steps over half a surrogate pair (End, Left after an emoji): the caret
        // moves on out of the pair in the direction it went.
        Edit box(edit);
        if (wParam == VK_DELETE) SelectPairBeside(box, true);
        const WideSelection before = box.Selection();
        LRESULT r = CallHandler(edit, message, wParam, lParam);
        if (::IsWindow(edit)) KeepWholeCharacters(box, before);
        return r;
    }
    case WM_CHAR:
    case WM_IME_CHAR: {
        KeepWholeCharacters(Edit(edit), Edit(edit).Selection());
        wchar_t ch = static_cast<wchar_t>(wParam);
        if (ch == L'\b') SelectPairBeside(Edit(edit), false);
        if (ch < L' ' || ch == 0x7F) break; // editing keys, not text
        // A character beyond U+FFFF comes in two messages: the first half waits for the second,
        // and the pair goes in whole or not at all.
        const wchar_t pendingHalf = SwapPendingHalf(edit, IS_HIGH_SURROGATE(ch) ? ch : 0);
        if (IS_HIGH_SURROGATE(ch)) return 0;
        std::wstring typed(1, ch);
        if (IS_LOW_SURROGATE(ch) && pendingHalf != 0) typed.insert(0, 1, pendingHalf);
        Edit box(edit);
        std::wstring text = box.WideText();
        if (FittingInsert(text, box.Selection(), typed, maxBytes, PartnerFits(edit)).empty()) {
            ::MessageBeep(MB_OK);
            return 0;
        }
        if (typed.size() == 2) {
            ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(typed.c_str()));
            return 0;
        }
        break;
    }
    case WM_PASTE: {
        KeepWholeCharacters(Edit(edit), Edit(edit).Selection());
        std::wstring clip;
        if (::IsClipboardFormatAvailable(CF_UNICODETEXT) && ::OpenClipboard(edit)) {
            if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
                if (auto *p = static_cast<const wchar_t *>(::GlobalLock(data))) {
                    clip = p;
                    ::GlobalUnlock(data);
                }
            }
            ::CloseClipboard();
        }
        // A single-line field takes the first line only.
        clip = clip.substr(0, clip.find_first_of(L"\r\n"));
        Edit box(edit);
        std::wstring insert =
            FittingInsert(box.WideText(), box.Selection(), clip, maxBytes, PartnerFits(edit));
        if (insert.empty() && !clip.empty()) ::MessageBeep(MB_OK);
        if (!insert.empty())
            ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(insert.c_str()));
        return 0;
    }
    case WM_IME_COMPOSITION:
        if (lParam & GCS_RESULTSTR) {
            // The edit inserts the committed text itself. Take it out again and type it in
            // character by character: the limit and every hook of the edit see each one, as
            // for typed text (the extension box completes on them).
            Edit box(edit);
            std::wstring before = box.WideText();
            WideSelection sel = box.Selection();
            LRESULT r = CallHandler(edit, message, wParam, lParam);
            std::wstring after = box.WideText();
            size_t kept = before.size() - (sel.End - sel.Start);
            if (after.size() < kept || after == before) return r;
            size_t insertedLength = after.size() - kept;
            std::wstring inserted = after.substr(sel.Start, insertedLength);
            box.Select(sel.Start, sel.Start + insertedLength);
            ::SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
            for (wchar_t ch : inserted)
                ::SendMessageW(edit, WM_CHAR, ch, 1);
            return r;
        }
        break;
    case WM_NCDESTROY: {
        // The last message: the control's own procedure gets it, and the hook goes.
        const EditHook hook = HookOf(edit);
        LRESULT r = CallHandler(edit, message, wParam, lParam);
        ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.Control));
        std::erase_if(EditHooks(), [edit](const EditHook &h) { return h.Edit == edit; });
        return r;
    }
    }
    return CallHandler(edit, message, wParam, lParam);
}

} // namespace

LRESULT CallControl(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(HookOf(edit).Control, edit, message, wParam, lParam);
}

void PairLimitedFields(HWND first, HWND second) {
    if (EditHook *hook = FindHook(first)) hook->Partner = second;
    if (EditHook *hook = FindHook(second)) hook->Partner = first;
}

void LimitTyping(HWND edit, size_t maxBytes, EditHandler handler, UINT_PTR id, DWORD_PTR data) {
    EditHook hook{edit, maxBytes, handler, id, data};
    hook.Control = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ByteLimitProc)));
    EditHooks().push_back(hook);
}

} // namespace tovimar::app
