// The Edit menu and the two delete buttons: commands that rewrite the name and the extension.
#include "app/MainUnit.h"

#include "core/NameEditing.h"
#include "core/PathRules.h"
#include "core/Timestamp.h"
#include "platform/LocaleData.h"

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

// Extension first, name last: the name's change event then refreshes the title with both.
void TFormMain::mnuAllLowerClick() {
    cmbFileExt.SetText(platform::AnsiLower(cmbFileExt.Text()));
    edtFileName.SetText(platform::AnsiLower(edtFileName.Text()));
}

void TFormMain::mnuAllUpperClick() {
    cmbFileExt.SetText(platform::AnsiUpper(cmbFileExt.Text()));
    edtFileName.SetText(platform::AnsiUpper(edtFileName.Text()));
}

// A result too long for the mapping's buffer leaves the name as it is.
void TFormMain::H1Click() {
    if (auto mapped = platform::MapWidth(edtFileName.Text(), false)) edtFileName.SetText(*mapped);
}

void TFormMain::Z1Click() {
    if (auto mapped = platform::MapWidth(edtFileName.Text(), true)) edtFileName.SetText(*mapped);
}

void TFormMain::ReplaceBlanks(std::string_view blank, std::optional<std::string_view> wideBlank) {
    cmbFileExt.SetText(ReplaceAll(cmbFileExt.Text(), Blank, blank));
    edtFileName.SetText(ReplaceAll(edtFileName.Text(), Blank, blank));
    const std::string &wide = CurrentLiterals().WideBlank;
    if (wide.empty() || !wideBlank) return;
    cmbFileExt.SetText(ReplaceAll(cmbFileExt.Text(), wide, *wideBlank));
    edtFileName.SetText(ReplaceAll(edtFileName.Text(), wide, *wideBlank));
}

void TFormMain::mnuSpeceDeleteClick() {
    ReplaceBlanks("", "");
}

void TFormMain::mnuSpaceUnBarClick() {
    const std::string &wide = CurrentLiterals().WideUnderscore;
    ReplaceBlanks(Underscore, wide.empty() ? std::nullopt : std::optional<std::string_view>(wide));
}

void TFormMain::btnLeftDeleteClick() {
    NameSelection edited = DeleteLeft(ReadField(edtFileName));
    edtFileName.Focus();
    edtFileName.SetText(edited.Text);
    SelectBytes(edtFileName, edited.SelStart, edited.SelLength);
}

void TFormMain::btnRightDeleteClick() {
    NameSelection edited = DeleteRight(ReadField(edtFileName));
    edtFileName.SetText(edited.Text);
    edtFileName.Focus();
    SelectBytes(edtFileName, edited.SelStart, edited.SelLength);
}

void TFormMain::D1Click() {
    NameSelection field = ReadField(edtFileName);
    std::string stamp = FormatTimestamp(options_.Current().TimeFormat, platform::CurrentLocalTime(),
                                        CurrentLocaleFormats(), platform::EraText);
    NameSelection edited = PasteOver(field, stamp);
    edtFileName.SetText(edited.Text);
    edtFileName.SetSelStart(edited.SelStart);
}

void TFormMain::mnuReLoadClick() {
    edtFileName.SetText(StripExtension(PathName(TargetPath)));
    cmbFileExt.SetText(PathExtension(TargetPath));
    edtFileName.SelectAll();
}

} // namespace tovimar::app
