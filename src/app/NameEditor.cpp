#include "app/NameEditor.h"

#include "core/NameEditing.h"
#include "core/PathRules.h"
#include "core/TimeFormat.h"
#include "platform/Locale.h"
#include "platform/LocaleData.h"
#include "platform/Text.h"

namespace tovimar::app {

namespace {

NameSelection ReadField(const Edit &field, uint32_t codePage) {
    return {field.Text(codePage), field.SelStart(codePage), field.SelLength(codePage)};
}

void SelectBytes(const Edit &field, size_t start, size_t length, uint32_t codePage) {
    field.SetSelStart(start, codePage);
    field.SetSelLength(length, codePage);
}

// A literal of the ANSI code page in the bytes of a working code page.
std::string LiteralIn(uint32_t codePage, std::string_view literal) {
    return platform::FromWide(codePage, platform::FromAnsi(literal));
}

} // namespace

std::string RenderLocalTimeFormat(std::string_view timeFormat, double value) {
    return RenderTimeFormat(platform::AnsiCharacterRule(), timeFormat, value,
                            CurrentLocaleFormats(), platform::EraText);
}

uint32_t NameEditor::CodePage() const {
    return platform::WorkingCodePageOf({name_.WideText(), extension_.WideText()});
}

void NameEditor::ShowName(const std::wstring &path) const {
    const uint32_t codePage = platform::WorkingCodePageOf({path});
    const CharacterRule &rule = platform::RuleOf(codePage);
    const std::string bytes = platform::FromWide(codePage, path);
    name_.SetText(StripExtension(rule, PathName(rule, bytes)), codePage);
    extension_.SetText(PathExtension(rule, bytes), codePage);
    name_.SelectAll();
}

// Extension first, name last: the name's change event then refreshes the title with both.
// Outside the ANSI code page the wide mapping cases what the ANSI one cannot (é to É).
void NameEditor::ToLowerCase() const {
    if (CodePage() == CP_UTF8) {
        extension_.SetWideText(platform::WideLower(extension_.WideText()));
        name_.SetWideText(platform::WideLower(name_.WideText()));
        return;
    }
    extension_.SetText(platform::AnsiLower(extension_.Text()));
    name_.SetText(platform::AnsiLower(name_.Text()));
}

void NameEditor::ToUpperCase() const {
    if (CodePage() == CP_UTF8) {
        extension_.SetWideText(platform::WideUpper(extension_.WideText()));
        name_.SetWideText(platform::WideUpper(name_.WideText()));
        return;
    }
    extension_.SetText(platform::AnsiUpper(extension_.Text()));
    name_.SetText(platform::AnsiUpper(name_.Text()));
}

void NameEditor::ToHalfWidth() const {
    MapWidth(false);
}

void NameEditor::ToFullWidth() const {
    MapWidth(true);
}

void NameEditor::MapWidth(bool fullWidth) const {
    if (CodePage() == CP_UTF8) {
        if (auto mapped = platform::MapWidth(name_.WideText(), fullWidth))
            name_.SetWideText(*mapped);
        return;
    }
    if (auto mapped = platform::MapWidth(name_.Text(), fullWidth)) name_.SetText(*mapped);
}

void NameEditor::ReplaceBlanks(std::string_view blank,
                               std::optional<std::string_view> wideBlank) const {
    const uint32_t codePage = CodePage();
    const CharacterRule &rule = platform::RuleOf(codePage);
    const auto replace = [&](const auto &field, std::string_view from, std::string_view to) {
        field.SetText(ReplaceAll(rule, field.Text(codePage), LiteralIn(codePage, from),
                                 LiteralIn(codePage, to)),
                      codePage);
    };
    replace(extension_, Blank, blank);
    replace(name_, Blank, blank);
    const std::string &wide = CurrentLiterals().WideBlank;
    if (wide.empty() || !wideBlank) return;
    replace(extension_, wide, *wideBlank);
    replace(name_, wide, *wideBlank);
}

void NameEditor::RemoveBlanks() const {
    ReplaceBlanks("", "");
}

void NameEditor::BlanksToUnderscores() const {
    const std::string &wide = CurrentLiterals().WideUnderscore;
    ReplaceBlanks(Underscore, wide.empty() ? std::nullopt : std::optional<std::string_view>(wide));
}

void NameEditor::DeleteLeftOfCaret() const {
    const uint32_t codePage = CodePage();
    NameSelection edited = DeleteLeft(ReadField(name_, codePage));
    name_.Focus();
    name_.SetText(edited.Text, codePage);
    SelectBytes(name_, edited.SelStart, edited.SelLength, codePage);
}

void NameEditor::DeleteRightOfCaret() const {
    const uint32_t codePage = CodePage();
    NameSelection edited = DeleteRight(platform::RuleOf(codePage), ReadField(name_, codePage));
    name_.SetText(edited.Text, codePage);
    name_.Focus();
    SelectBytes(name_, edited.SelStart, edited.SelLength, codePage);
}

void NameEditor::PasteTimeFormatNow(std::string_view timeFormat) const {
    PasteTimeFormat(timeFormat, platform::CurrentLocalTime());
}

void NameEditor::PasteTimeFormat(std::string_view timeFormat, double value) const {
    // The stamp is ANSI; the name it goes into may be UTF-8.
    const uint32_t codePage = CodePage();
    NameSelection field = ReadField(name_, codePage);
    std::string stamp = LiteralIn(codePage, RenderLocalTimeFormat(timeFormat, value));
    NameSelection edited = PasteOver(field, stamp);
    name_.SetText(edited.Text, codePage);
    name_.SetSelStart(edited.SelStart, codePage);
}

} // namespace tovimar::app
