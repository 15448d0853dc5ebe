// Thin, non-owning wrappers over the window's Unicode controls: texts, caret positions and
// lengths in bytes of a working code page (ANSI unless given), crossed through TextCrossing.h.
#pragma once

#include "app/TextCrossing.h"
#include "core/Errors.h"
#include "core/Messages.h"
#include "core/ShownText.h"

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace tovimar::app {

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
    std::string Text(uint32_t codePage = CP_ACP) const { return BytesOf(WideText(), codePage); }
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
    bool ReplaceText(std::wstring_view text) const {
        if (WideText() == text) return false;
        ::SetWindowTextW(handle_, std::wstring(text).c_str());
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

class Edit : public Control {
public:
    using Control::Control;

    // Sets a different text, which raises EN_CHANGE once; the caret then stands at 0.
    void SetText(std::string_view bytes, uint32_t codePage = CP_ACP) const {
        SetWideText(WideOf(bytes, codePage));
    }
    void SetWideText(std::wstring_view text) const {
        if (ReplaceText(text)) ::SendMessageW(handle_, EM_SETSEL, 0, 0);
    }
    // In bytes of whole characters: the start rounds down, the end of a selection up, so that
    // a command works on what the user sees selected.
    size_t SelStart(uint32_t codePage = CP_ACP) const {
        return ByteOffsetOf(WideText(), Selection().Start, false, codePage);
    }
    size_t SelLength(uint32_t codePage = CP_ACP) const {
        std::wstring text = WideText();
        WideSelection sel = Selection();
        if (sel.End <= sel.Start) return 0;
        return ByteOffsetOf(text, sel.End, true, codePage) -
               ByteOffsetOf(text, sel.Start, false, codePage);
    }
    // Collapses the selection to a caret at the byte offset.
    void SetSelStart(size_t bytes, uint32_t codePage = CP_ACP) const {
        size_t index = IndexOfByteOffset(WideText(), bytes, false, codePage);
        Select(index, index);
    }
    // Selects from the current start over that many bytes, cut at the end of the text.
    void SetSelLength(size_t bytes, uint32_t codePage = CP_ACP) const {
        std::wstring text = WideText();
        size_t start = WholeCharacterIndex(text, Selection().Start);
        size_t end = IndexOfByteOffset(text, ByteOffsetOf(text, start, false, codePage) + bytes,
                                       true, codePage);
        Select(start, end);
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
    void SetText(std::string_view bytes, uint32_t codePage = CP_ACP) const {
        SetWideText(WideOf(bytes, codePage));
    }
    void SetWideText(std::wstring_view text) const {
        const HWND outer = quietBox_;
        quietBox_ = handle_;
        ReplaceText(text);
        quietBox_ = outer;
    }
    void SetText(std::wstring_view text) const {
        if (WideText() == text) return;
        const HWND outer = quietBox_;
        quietBox_ = handle_;
        ::SetWindowTextW(handle_, std::wstring(text).c_str());
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
    std::string Item(int i) const { return AnsiOf(WideItem(i)); }
    std::wstring WideItem(int i) const {
        LRESULT length = ::SendMessageW(handle_, CB_GETLBTEXTLEN, WPARAM(i), 0);
        if (length == CB_ERR) return {};
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        length = ::SendMessageW(handle_, CB_GETLBTEXT, WPARAM(i), LPARAM(text.data()));
        text.resize(length == CB_ERR ? 0 : static_cast<size_t>(length));
        return text;
    }
    // Inserts at i (-1 appends); the list running out of room is an error.
    void InsertItem(int i, std::string_view bytes) const { InsertItem(i, WideOf(bytes)); }
    void InsertItem(int i, std::wstring_view wide) const {
        const std::wstring text(wide);
        LRESULT r = ::SendMessageW(handle_, CB_INSERTSTRING, WPARAM(i), LPARAM(text.c_str()));
        if (r == CB_ERR || r == CB_ERRSPACE) throw TovimarError(std::string(msg::CannotInsertLine));
    }
    void Clear() const { ::SendMessageW(handle_, CB_RESETCONTENT, 0, 0); }
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

    void SetChecked(bool checked) const {
        ::CheckMenuItem(menu_, id_, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
    void SetEnabled(bool enabled) const {
        ::EnableMenuItem(menu_, id_, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }

private:
    HMENU menu_;
    UINT id_;
};

} // namespace tovimar::app
