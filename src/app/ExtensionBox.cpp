// The extension box: its list shows the history, typing completes from it.
#include "app/ExtensionBox.h"
#include "platform/Locale.h"

namespace tovimar::app {

void ExtensionBox::ShowHistory() {
    // Emptying the list empties the box's text as well: keep it. The empty list at start needs
    // neither.
    const bool filled = box_.Count() > 0;
    const std::wstring text = filled ? box_.WideText() : std::wstring();
    if (filled) box_.Clear();
    for (const std::string &entry : history_.Entries())
        box_.InsertItem(-1, entry);
    if (filled) box_.SetWideText(text);
}

// The history holds ANSI entries: an extension outside the code page is no entry of it.
void ExtensionBox::PutTextOnTop() {
    if (FitsAnsi(box_.WideText())) history_.MoveToTop(box_.Text());
    ShowHistory();
}

void ExtensionBox::AddTextToHistory() {
    if (!FitsAnsi(box_.WideText())) return;
    const std::string current = box_.Text();
    // Only the new entry changes: insert it rather than rebuild the list.
    if (history_.AddIfNew(current)) box_.InsertItem(0, current);
}

ExtensionBox::KeyResult ExtensionBox::OnKeyPress(const std::string &typed) {
    Edit edit = box_.EditBox();
    ExtensionBoxState state;
    state.Text = box_.Text();
    state.SelectionStart = edit.SelStart();
    state.SelectionLength = edit.SelLength();
    if (const int index = box_.ItemIndex(); index >= 0)
        state.CurrentEntry = static_cast<size_t>(index);

    const CharacterRule &rule = platform::AnsiCharacterRule();
    const ExtensionKeyResult result = typed == "\b"
                                          ? BackspaceInExtensionBox(rule, state)
                                          : TypeIntoExtensionBox(rule, state, typed, history_);
    if (!result.Consumed) return KeyResult::Passed;

    // Choosing the list's entry puts its text into the box: the text is set after it.
    const ExtensionBoxState &next = result.State;
    box_.SetItemIndex(next.CurrentEntry ? static_cast<int>(*next.CurrentEntry) : -1);
    box_.SetText(next.Text);
    edit.SetSelStart(next.SelectionStart);
    edit.SetSelLength(next.SelectionLength);
    return result.Changed ? KeyResult::Changed : KeyResult::Taken;
}

} // namespace tovimar::app
