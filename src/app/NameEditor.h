// The commands that rewrite the name and the extension in their fields: letter case, width,
// blanks, the date and time, the deletes at the caret, and the name as found.
#pragma once

#include "app/Controls.h"

#include <optional>
#include <string>
#include <string_view>

namespace tovimar::app {

// A local date-time value through timeFormat, with the locale in force.
std::string RenderLocalTimeFormat(std::string_view timeFormat, double value);

class NameEditor {
public:
    NameEditor() = default;
    NameEditor(Edit name, ComboBox extension) : name_(name), extension_(extension) {}

    // Name and extension of path in the fields, the name selected.
    void ShowName(const std::wstring &path) const;
    // The working code page of the two fields as they stand.
    uint32_t CodePage() const;

    void ToLowerCase() const;
    void ToUpperCase() const;
    // The name only; a result too long for the mapping leaves it as it is.
    void ToHalfWidth() const;
    void ToFullWidth() const;
    // Blanks, single-byte and full-width, in the extension and the name.
    void RemoveBlanks() const;
    void BlanksToUnderscores() const;

    // The current date and time in timeFormat over the selection; the caret before it.
    void PasteTimeFormatNow(std::string_view timeFormat) const;
    // The same for any local date-time value.
    void PasteTimeFormat(std::string_view timeFormat, double value) const;
    // Everything left of the selection goes; the focus comes to the name.
    void DeleteLeftOfCaret() const;
    // A run right of the selection goes; the focus comes to the name.
    void DeleteRightOfCaret() const;

private:
    void MapWidth(bool fullWidth) const;
    // The four blank passes: extension and name, single-byte blanks, then full-width ones. The
    // full-width passes are skipped where the code page holds no full-width blank or no
    // replacement for it (nullopt).
    void ReplaceBlanks(std::string_view blank, std::optional<std::string_view> wideBlank) const;

    Edit name_;
    ComboBox extension_;
};

} // namespace tovimar::app
