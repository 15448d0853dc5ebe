// Thin, non-owning wrappers over the window's Unicode controls. Every text, caret position and
// length crosses between UTF-16 and ANSI bytes here and nowhere else.
#pragma once

#include "core/Errors.h"
#include "core/Messages.h"
#include "core/ShownText.h"
#include "platform/Platform.h"

#include <windows.h>

#include <commctrl.h>
#include <imm.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tovimar::app {

// An index between the two halves of a surrogate pair (Wine's edit puts the caret there after
// End, Left) moved to the pair's start, or past it when roundUp is set.
inline size_t WholeCharacterIndex(std::wstring_view text, size_t index, bool roundUp = false) {
    if (index > text.size()) return text.size();
    if (index == 0 || index == text.size() || !IS_LOW_SURROGATE(text[index]) ||
        !IS_HIGH_SURROGATE(text[index - 1]))
        return index;
    return roundUp ? index + 1 : index - 1;
}

// Byte offset (in the ANSI text) of the UTF-16 index of text; an index inside a character
// counts from its start, or from its end when roundUp is set.
inline size_t ByteOffsetOf(std::wstring_view text, size_t index, bool roundUp = false) {
    return platform::ToAnsi(text.substr(0, WholeCharacterIndex(text, index, roundUp))).size();
}

// UTF-16 index of a byte offset. An offset inside a double-byte character rounds down to the
// character's start, or up past it when roundUp is set.
inline size_t IndexOfByteOffset(std::wstring_view text, size_t offset, bool roundUp = false) {
    size_t bytes = 0;
    size_t i = 0;
    while (i < text.size() && bytes < offset) {
        size_t units = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() ? 2 : 1;
        size_t length = platform::ToAnsi(text.substr(i, units)).size();
        if (bytes + length > offset && !roundUp) break;
        bytes += length;
        i += units;
    }
    return i;
}

// A text for the screen as characters: the program's own pieces from code page 932, so that
// they read the same on every system; the system's pieces from the ANSI code page.
inline std::wstring Widen(const ShownText &text) {
    std::wstring wide;
    for (const ShownText::Piece &piece : text.Pieces()) {
        wide += piece.From == ShownText::Source::Program ? platform::FromProgramText(piece.Bytes)
                                                         : platform::FromAnsi(piece.Bytes);
    }
    return wide;
}

// A message box owned by owner.
inline int ShowMessageBox(HWND owner, const ShownText &text, const ShownText &caption, UINT flags) {
    return ::MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), flags);
}

class Control {
public:
    explicit Control(HWND handle = nullptr) : handle_(handle) {}

    HWND Handle() const { return handle_; }
    std::wstring WideText() const {
        std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(handle_)) + 1, L'\0');
        text.resize(static_cast<size_t>(::GetWindowTextW(handle_, text.data(), int(text.size()))));
        return text;
    }
    std::string Text() const { return platform::ToAnsi(WideText()); }
    bool Enabled() const { return ::IsWindowEnabled(handle_) != FALSE; }
    void SetEnabled(bool enabled) const { ::EnableWindow(handle_, enabled ? TRUE : FALSE); }
    void Focus() const { ::SetFocus(handle_); }
    // True when the focus is on this control or on a child of it (the combo box's edit).
    bool HasFocus() const {
        HWND focus = ::GetFocus();
        return focus != nullptr && (focus == handle_ || ::IsChild(handle_, focus));
    }

protected:
    // Setting the text the control already holds does nothing; true when the text changed.
    // Not public here: each kind says what else a new text brings (caret, change handler), so
    // a copy sliced to Control cannot set a text without it.
    bool ReplaceText(std::string_view bytes) const {
        if (Text() == bytes) return false;
        ::SetWindowTextW(handle_, platform::FromAnsi(bytes).c_str());
        return true;
    }

    HWND handle_;
};

// A top-level window: its text is the title, a text of the program (a status line or a fixed
// message), never a file name.
class Frame : public Control {
public:
    using Control::Control;
    // Setting the title it already shows does nothing.
    void SetText(const ShownText &text) const {
        std::wstring wide = Widen(text);
        if (WideText() != wide) ::SetWindowTextW(handle_, wide.c_str());
    }
};

// A selection in UTF-16 units, as the controls report it.
struct WideSelection {
    size_t Start = 0;
    size_t End = 0;
};

class Edit : public Control {
public:
    using Control::Control;

    // Sets a different text, which raises EN_CHANGE once; the caret then stands at 0.
    void SetText(std::string_view bytes) const {
        if (ReplaceText(bytes)) ::SendMessageW(handle_, EM_SETSEL, 0, 0);
    }
    // In bytes of whole characters: the start rounds down, the end of a selection up, so that
    // a command works on what the user sees selected.
    size_t SelStart() const { return ByteOffsetOf(WideText(), Selection().Start); }
    size_t SelLength() const {
        std::wstring text = WideText();
        WideSelection sel = Selection();
        if (sel.End <= sel.Start) return 0;
        return ByteOffsetOf(text, sel.End, true) - ByteOffsetOf(text, sel.Start);
    }
    // Collapses the selection to a caret at the byte offset.
    void SetSelStart(size_t bytes) const {
        size_t index = IndexOfByteOffset(WideText(), bytes);
        Select(index, index);
    }
    // Selects from the current start over that many bytes, cut at the end of the text.
    void SetSelLength(size_t bytes) const {
        std::wstring text = WideText();
        size_t start = WholeCharacterIndex(text, Selection().Start);
        size_t end = IndexOfByteOffset(text, ByteOffsetOf(text, start) + bytes, true);
        Select(start, end);
    }
    // A caret or selection end that stands inside a surrogate pair moves out of it: a caret
    // on in the direction it came from before, a selection outwards, its caret staying on the
    // side that moved. Typing there would split the pair.
    void KeepWholeCharacters(WideSelection before) const {
        std::wstring text = WideText();
        WideSelection sel = Selection();
        const bool caret = sel.Start == sel.End;
        size_t start = WholeCharacterIndex(text, sel.Start, caret && sel.Start > before.Start);
        size_t end = caret ? start : WholeCharacterIndex(text, sel.End, true);
        if (start == sel.Start && end == sel.End) return;
        if (sel.Start < before.Start)
            Select(end, start);
        else
            Select(start, end);
    }
    // Backspace and Delete take one UTF-16 unit in Wine's edit: a caret next to a surrogate
    // pair selects the pair first, so that the key removes it whole.
    void SelectPairBeside(bool after) const {
        const WideSelection sel = Selection();
        const std::wstring text = WideText();
        const size_t i = sel.Start;
        if (sel.End != i) return;
        if (after && i + 1 < text.size() && IS_SURROGATE_PAIR(text[i], text[i + 1]))
            Select(i, i + 2);
        if (!after && i >= 2 && IS_SURROGATE_PAIR(text[i - 2], text[i - 1])) Select(i - 2, i);
    }
    void SelectAll() const { Select(0, WideText().size()); }

    WideSelection Selection() const {
        DWORD start = 0, end = 0;
        ::SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    void Select(size_t start, size_t end) const {
        ::SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    }
};

class ComboBox : public Control {
public:
    using Control::Control;

    // Setting the text from the program raises no change handler.
    void SetText(std::string_view bytes) const {
        const HWND outer = quietBox_;
        quietBox_ = handle_;
        ReplaceText(bytes);
        quietBox_ = outer;
    }
    // True while the program writes the box's text, so that the change handler ignores it.
    bool Quiet() const { return handle_ != nullptr && quietBox_ == handle_; }

    HWND EditHandle() const {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        return ::GetComboBoxInfo(handle_, &info) ? info.hwndItem : nullptr;
    }
    Edit EditBox() const { return Edit(EditHandle()); }

    int Count() const { return int(::SendMessageW(handle_, CB_GETCOUNT, 0, 0)); }
    std::string Item(int i) const {
        LRESULT length = ::SendMessageW(handle_, CB_GETLBTEXTLEN, WPARAM(i), 0);
        if (length == CB_ERR) return {};
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        length = ::SendMessageW(handle_, CB_GETLBTEXT, WPARAM(i), LPARAM(text.data()));
        text.resize(length == CB_ERR ? 0 : static_cast<size_t>(length));
        return platform::ToAnsi(text);
    }
    // Inserts at i (-1 appends); the list running out of room is an error.
    void InsertItem(int i, std::string_view bytes) const {
        std::wstring text = platform::FromAnsi(bytes);
        LRESULT r = ::SendMessageW(handle_, CB_INSERTSTRING, WPARAM(i), LPARAM(text.c_str()));
        if (r == CB_ERR || r == CB_ERRSPACE) throw TovimarError(std::string(msg::CannotInsertLine));
    }
    void DeleteItem(int i) const { ::SendMessageW(handle_, CB_DELETESTRING, WPARAM(i), 0); }
    void Clear() const { ::SendMessageW(handle_, CB_RESETCONTENT, 0, 0); }
    // First entry equal to the text ignoring letter case, or -1.
    int FindExact(std::string_view bytes) const {
        std::wstring text = platform::FromAnsi(bytes);
        LRESULT r = ::SendMessageW(handle_, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(text.c_str()));
        return r == CB_ERR ? -1 : int(r);
    }
    int ItemIndex() const { return int(::SendMessageW(handle_, CB_GETCURSEL, 0, 0)); }
    void SetItemIndex(int i) const { ::SendMessageW(handle_, CB_SETCURSEL, WPARAM(i), 0); }
    bool DroppedDown() const { return ::SendMessageW(handle_, CB_GETDROPPEDSTATE, 0, 0) != 0; }

private:
    // The program's windows all live on one thread: one box at a time is written.
    static inline HWND quietBox_ = nullptr;
};

class Button : public Control {
public:
    using Control::Control;

    // The same road as a click: the parent's command handler runs, also while the window is
    // hidden or the button unseen.
    void Click() const {
        ::SendMessageW(::GetParent(handle_), WM_COMMAND,
                       MAKEWPARAM(::GetDlgCtrlID(handle_), BN_CLICKED),
                       reinterpret_cast<LPARAM>(handle_));
    }
    // The default button draws the heavy border; only one button should carry it.
    // Each change redraws the button: only a change is sent.
    void SetDefault(bool isDefault) const {
        const bool now = (::GetWindowLongW(handle_, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
        if (now == isDefault) return;
        ::SendMessageW(handle_, BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
};

// One item of a menu bar, found by command ID.
class MenuItem {
public:
    MenuItem(HMENU menu, UINT id) : menu_(menu), id_(id) {}

    bool Checked() const { return (::GetMenuState(menu_, id_, MF_BYCOMMAND) & MF_CHECKED) != 0; }
    void SetChecked(bool checked) const {
        ::CheckMenuItem(menu_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
    bool Enabled() const {
        UINT state = ::GetMenuState(menu_, id_, MF_BYCOMMAND);
        return state != UINT(-1) && (state & (MF_DISABLED | MF_GRAYED)) == 0;
    }
    void SetEnabled(bool enabled) const {
        ::EnableMenuItem(menu_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }

private:
    HMENU menu_;
    UINT id_;
};

// The longest head of insert that fits in place of the selection without the ANSI text
// growing past maxBytes; characters the ANSI code page cannot hold are left out.
inline std::wstring FittingInsert(std::wstring_view text, WideSelection sel,
                                  std::wstring_view insert, size_t maxBytes) {
    std::wstring accepted;
    size_t bytes = ByteOffsetOf(text, sel.Start) + platform::ToAnsi(text.substr(sel.End)).size();
    for (size_t i = 0; i < insert.size();) {
        size_t units = IS_HIGH_SURROGATE(insert[i]) && i + 1 < insert.size() ? 2 : 1;
        std::wstring_view ch = insert.substr(i, units);
        i += units;
        if (!platform::FitsAnsiCodePage(ch)) continue;
        size_t length = platform::ToAnsi(ch).size();
        if (bytes + platform::ToAnsi(accepted).size() + length > maxBytes) break;
        accepted += ch;
    }
    return accepted;
}

// A hook on an edit field: the byte limit first, then the owner's handler, if any, then the
// control's own procedure. It sits in the window's procedure slot and is found in a small table
// of the program's own: comctl32's subclass chain reads a window property at every message, and
// under Wine each such read is a trip to the window server.
using EditHandler = LRESULT (*)(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                DWORD_PTR data);

struct EditHook {
    HWND Edit = nullptr;
    size_t MaxBytes = 0;
    EditHandler Handler = nullptr;
    UINT_PTR Id = 0;
    DWORD_PTR Data = 0;
    WNDPROC Control = ::DefWindowProcW;
};

// The hooked edits; all live on the program's one thread.
inline std::vector<EditHook> &EditHooks() {
    static std::vector<EditHook> hooks;
    return hooks;
}

// A copy: a handler may hook another edit and so move the table.
inline EditHook HookOf(HWND edit) {
    for (const EditHook &hook : EditHooks())
        if (hook.Edit == edit) return hook;
    return EditHook{edit};
}

// The control's own procedure, past every hook.
inline LRESULT CallControl(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::CallWindowProcW(HookOf(edit).Control, edit, message, wParam, lParam);
}

// The next layer after the byte limit.
inline LRESULT CallHandler(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const EditHook hook = HookOf(edit);
    if (hook.Handler == nullptr) return CallControl(edit, message, wParam, lParam);
    return hook.Handler(edit, message, wParam, lParam, hook.Id, hook.Data);
}

// Limits what the user can type, paste or compose into an edit to maxBytes ANSI bytes, and
// refuses characters the ANSI code page cannot hold. Texts set by the program are not limited.
// (EM_LIMITTEXT will not do: Wine's edit counts UTF-16 units even where Windows counts bytes.)
inline LRESULT CALLBACK ByteLimitProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    const size_t maxBytes = HookOf(edit).MaxBytes;
    switch (message) {
    case WM_KEYDOWN: {
        // Wine's edit steps over half a surrogate pair (End, Left after an emoji): the caret
        // moves on out of the pair in the direction it went.
        Edit box(edit);
        if (wParam == VK_DELETE) box.SelectPairBeside(true);
        const WideSelection before = box.Selection();
        LRESULT r = CallHandler(edit, message, wParam, lParam);
        if (::IsWindow(edit)) box.KeepWholeCharacters(before);
        return r;
    }
    case WM_CHAR:
    case WM_IME_CHAR: {
        Edit(edit).KeepWholeCharacters(Edit(edit).Selection());
        wchar_t ch = static_cast<wchar_t>(wParam);
        if (ch == L'\b') Edit(edit).SelectPairBeside(false);
        if (ch < L' ' || ch == 0x7F) break; // editing keys, not text
        // A character beyond U+FFFF comes in two messages: the first half waits for the second,
        // and the pair goes in whole or not at all.
        static wchar_t pendingHalf = 0;
        if (IS_HIGH_SURROGATE(ch)) {
            pendingHalf = ch;
            return 0;
        }
        std::wstring typed(1, ch);
        if (IS_LOW_SURROGATE(ch) && pendingHalf != 0) typed.insert(0, 1, pendingHalf);
        pendingHalf = 0;
        Edit box(edit);
        std::wstring text = box.WideText();
        if (FittingInsert(text, box.Selection(), typed, maxBytes).empty()) {
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
        Edit(edit).KeepWholeCharacters(Edit(edit).Selection());
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
        // Dropping what the code page cannot hold would change the name unseen: refuse it all,
        // as such a character typed is refused.
        if (!platform::FitsAnsiCodePage(clip)) {
            ::MessageBeep(MB_OK);
            return 0;
        }
        Edit box(edit);
        std::wstring insert = FittingInsert(box.WideText(), box.Selection(), clip, maxBytes);
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

// Hooks the edit; handler, when given, sees every message after the limit, and passes on with
// CallControl.
inline void LimitTyping(HWND edit, size_t maxBytes, EditHandler handler = nullptr, UINT_PTR id = 0,
                        DWORD_PTR data = 0) {
    EditHook hook{edit, maxBytes, handler, id, data};
    hook.Control = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ByteLimitProc)));
    EditHooks().push_back(hook);
}

} // namespace tovimar::app
