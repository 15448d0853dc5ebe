#include "app/NameEditor.h"

#include "core/NameEditing.h"
#include "core/PathRules.h"
#include "core/TimeFormat.h"
#include "platform/Locale.h"
#include "platform/LocaleData.h"
#include "platform/Text.h"

namespace tovimar::app {

namespace {

NameSelection ReadField(const Edit &field) {
    return {field.Text(), field.SelStart(), field.SelLength()};
}

void SelectBytes(const Edit &field, size_t start, size_t length) {
    field.SetSelStart(start);
    field.SetSelLength(length);
}

} // namespace

std::string RenderLocalTimeFormat(std::string_view timeFormat, double value) {
    return RenderTimeFormat(platform::AnsiCharacterRule(), timeFormat, value,
                            CurrentLocaleFormats(), platform::EraText);
}

void NameEditor::ShowName(const std::string &path) const {
    const CharacterRule &rule = platform::AnsiCharacterRule();
    name_.SetText(StripExtension(rule, PathName(rule, path)));
    extension_.SetText(PathExtension(rule, path));
    name_.SelectAll();
}

// Extension first, name last: the name's change event then refreshes the title with both.
void NameEditor::ToLowerCase() const {
    extension_.SetText(platform::AnsiLower(extension_.Text()));
    name_.SetText(platform::AnsiLower(name_.Text()));
}

void NameEditor::ToUpperCase() const {
    extension_.SetText(platform::AnsiUpper(extension_.Text()));
    name_.SetText(platform::AnsiUpper(name_.Text()));
}

void NameEditor::ToHalfWidth() const {
    if (auto mapped = platform::MapWidth(name_.Text(), false)) name_.SetText(*mapped);
}

void NameEditor::ToFullWidth() const {
    if (auto mapped = platform::MapWidth(name_.Text(), true)) name_.SetText(*mapped);
}

void NameEditor::ReplaceBlanks(std::string_view blank,
                               std::optional<std::string_view> wideBlank) const {
    const CharacterRule &rule = platform::AnsiCharacterRule();
    extension_.SetText(ReplaceAll(rule, extension_.Text(), Blank, blank));
    name_.SetText(ReplaceAll(rule, name_.Text(), Blank, blank));
    const std::string &wide = CurrentLiterals().WideBlank;
    if (wide.empty() || !wideBlank) return;
    extension_.SetText(ReplaceAll(rule, extension_.Text(), wide, *wideBlank));
    name_.SetText(ReplaceAll(rule, name_.Text(), wide, *wideBlank));
}

void NameEditor::RemoveBlanks() const {
    ReplaceBlanks("", "");
}

void NameEditor::BlanksToUnderscores() const {
    const std::string &wide = CurrentLiterals().WideUnderscore;
    ReplaceBlanks(Underscore, wide.empty() ? std::nullopt : std::optional<std::string_view>(wide));
}

void NameEditor::DeleteLeftOfCaret() const {
    NameSelection edited = DeleteLeft(ReadField(name_));
    name_.Focus();
    name_.SetText(edited.Text);
    SelectBytes(name_, edited.SelStart, edited.SelLength);
}

void NameEditor::DeleteRightOfCaret() const {
    NameSelection edited = DeleteRight(platform::AnsiCharacterRule(), ReadField(name_));
    name_.SetText(edited.Text);
    name_.Focus();
    SelectBytes(name_, edited.SelStart, edited.SelLength);
}

void NameEditor::PasteTimeFormatNow(std::string_view timeFormat) const {
    PasteTimeFormat(timeFormat, platform::CurrentLocalTime());
}

void NameEditor::PasteTimeFormat(std::string_view timeFormat, double value) const {
    NameSelection field = ReadField(name_);
    std::string stamp = RenderLocalTimeFormat(timeFormat, value);
    NameSelection edited = PasteOver(field, stamp);
    name_.SetText(edited.Text);
    name_.SetSelStart(edited.SelStart);
}

} // namespace tovimar::app
