// The extension box and the history it shows: the box's list is the history, always, and never
// holds entries of its own.
#pragma once

#include "app/Controls.h"
#include "core/ExtensionHistory.h"
#include "platform/Text.h"

#include <string>
#include <vector>

namespace tovimar::app {

class ExtensionBox {
public:
    void Attach(ComboBox box) { box_ = box; }

    // The saved values (UTF-8) at start, in key order; empty ones leave no gap.
    void LoadEntries(const std::vector<std::string> &utf8);
    // Every entry in UTF-8, most recent first, for the settings file.
    std::vector<std::string> EntriesUtf8() const;

    // The list shows the history; the box's text stays.
    void ShowHistory();
    // At start: the target's extension goes on top of the history.
    void PutTextOnTop();
    // After an execution: the box's text goes on top of the history when new.
    void AddTextToHistory();

    enum class KeyResult {
        Passed,  // the box handles the key itself
        Taken,   // completion handled it; the text is as it was
        Changed, // completion handled it and changed the text
    };
    // A character typed into the box, before it is inserted (L'\b' for Backspace).
    KeyResult OnKeyPress(wchar_t typed);

private:
    // The entries as the history's rules take them, in the code page they and text all fit.
    struct WorkingHistory {
        UINT CodePage;
        ExtensionHistory History;
    };
    WorkingHistory HistoryWith(const std::wstring &text) const;

    ComboBox box_;
    // Kept in UTF-16, so that every entry matches and completes whatever its characters.
    std::vector<std::wstring> entries_;
};

} // namespace tovimar::app
