// The extension box and the history it shows: the box's list is the history, always, and never
// holds entries of its own.
#pragma once

#include "app/Controls.h"
#include "core/ExtensionHistory.h"
#include "platform/Text.h"

#include <string>

namespace tovimar::app {

class ExtensionBox {
public:
    void Attach(ComboBox box) { box_ = box; }
    ExtensionHistory &History() { return history_; }

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
    // A character typed into the box, before it is inserted ("\b" for Backspace).
    KeyResult OnKeyPress(const std::string &typed);

private:
    ComboBox box_;
    ExtensionHistory history_{platform::AnsiUpper};
};

} // namespace tovimar::app
