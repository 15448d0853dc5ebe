// The extension box: its list shows the history, typing completes from it. The history's rules
// work on bytes: the entries and the box's text go to the ANSI code page when they all fit it,
// else to UTF-8, and come back to UTF-16.
#include "app/ExtensionBox.h"

#include "core/WorkingCodePage.h"
#include "platform/Text.h"

#include <algorithm>

namespace tovimar::app {

namespace {

std::string BytesOf(UINT codePage, std::wstring_view text) {
    return platform::FromWide(codePage, text);
}

std::wstring WideOf(UINT codePage, std::string_view bytes) {
    return platform::ToWide(codePage, bytes);
}

// Upper case of UTF-8 text by the wide mapping (é to É).
std::string Utf8Upper(std::string text) {
    return BytesOf(CP_UTF8, platform::WideUpper(WideOf(CP_UTF8, text)));
}

} // namespace

void ExtensionBox::LoadEntries(const std::vector<std::string> &utf8) {
    for (const std::string &value : utf8)
        if (!value.empty()) entries_.push_back(WideOf(CP_UTF8, value));
}

std::vector<std::string> ExtensionBox::EntriesUtf8() const {
    std::vector<std::string> values;
    for (const std::wstring &entry : entries_)
        values.push_back(BytesOf(CP_UTF8, entry));
    return values;
}

ExtensionBox::WorkingHistory ExtensionBox::HistoryWith(const std::wstring &text) const {
    const auto fits = [](const std::wstring &t) { return platform::FitsAnsiCodePage(t); };
    const bool allFit = fits(text) && std::all_of(entries_.begin(), entries_.end(), fits);
    const UINT codePage = WorkingCodePage(platform::AnsiCodePage(), {allFit});
    std::vector<std::string> bytes;
    for (const std::wstring &entry : entries_)
        bytes.push_back(BytesOf(codePage, entry));
    return {codePage, ExtensionHistory(codePage == CP_UTF8 ? Utf8Upper : platform::AnsiUpper,
                                       std::move(bytes))};
}

void ExtensionBox::ShowHistory() {
    // Emptying the list empties the box's text as well: keep it. The empty list at start needs
    // neither.
    const bool filled = box_.Count() > 0;
    const std::wstring text = filled ? box_.WideText() : std::wstring();
    if (filled) box_.Clear();
    for (const std::wstring &entry : entries_)
        box_.InsertItem(-1, std::wstring_view(entry));
    if (filled) box_.SetText(std::wstring_view(text));
}

void ExtensionBox::PutTextOnTop() {
    const std::wstring current = box_.WideText();
    const WorkingHistory working = HistoryWith(current);
    if (const auto found = working.History.FindExact(BytesOf(working.CodePage, current)))
        entries_.erase(entries_.begin() + std::ptrdiff_t(*found));
    entries_.insert(entries_.begin(), current);
    ShowHistory();
}

void ExtensionBox::AddTextToHistory() {
    const std::wstring current = box_.WideText();
    const WorkingHistory working = HistoryWith(current);
    if (working.History.FindExact(BytesOf(working.CodePage, current))) return;
    // Only the new entry changes: insert it rather than rebuild the list.
    entries_.insert(entries_.begin(), current);
    box_.InsertItem(0, std::wstring_view(current));
}

ExtensionBox::KeyResult ExtensionBox::OnKeyPress(wchar_t typed) {
    // Half of a surrogate pair completes nothing: the box takes it as it is.
    if (typed >= 0xD800 && typed <= 0xDFFF) return KeyResult::Passed;
    Edit edit = box_.EditBox();
    const std::wstring text = box_.WideText();
    const std::wstring typedText(1, typed);
    const WorkingHistory working = HistoryWith(text + typedText);
    const UINT codePage = working.CodePage;
    const WideSelection sel = edit.Selection();
    const size_t start = WholeCharacterIndex(text, std::min<size_t>(sel.Start, text.size()));
    const size_t end =
        std::max(start, WholeCharacterIndex(text, std::min<size_t>(sel.End, text.size()), true));
    ExtensionBoxState state;
    state.Text = BytesOf(codePage, text);
    state.SelectionStart = BytesOf(codePage, std::wstring_view(text).substr(0, start)).size();
    state.SelectionLength =
        BytesOf(codePage, std::wstring_view(text).substr(start, end - start)).size();
    if (const int index = box_.ItemIndex(); index >= 0)
        state.CurrentEntry = static_cast<size_t>(index);

    const CharacterRule &rule = platform::RuleOf(codePage);
    const ExtensionKeyResult result =
        typed == L'\b'
            ? BackspaceInExtensionBox(rule, state)
            : TypeIntoExtensionBox(rule, state, BytesOf(codePage, typedText), working.History);
    if (!result.Consumed) return KeyResult::Passed;

    // Choosing the list's entry puts its text into the box: the text is set after it.
    const ExtensionBoxState &next = result.State;
    const std::string_view nextText = next.Text;
    const size_t selStart = WideOf(codePage, nextText.substr(0, next.SelectionStart)).size();
    const size_t selEnd =
        WideOf(codePage, nextText.substr(0, next.SelectionStart + next.SelectionLength)).size();
    box_.SetItemIndex(next.CurrentEntry ? static_cast<int>(*next.CurrentEntry) : -1);
    box_.SetText(std::wstring_view(WideOf(codePage, nextText)));
    edit.Select(selStart, selEnd);
    return result.Changed ? KeyResult::Changed : KeyResult::Taken;
}

} // namespace tovimar::app
