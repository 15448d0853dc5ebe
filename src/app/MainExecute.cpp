// Rename and delete of the target: what the run needs of the window.
#include "app/MainUnit.h"

#include "core/NameEditing.h"
#include "core/NextEntry.h"
#include "platform/Platform.h"
#include "platform/WinFileSystem.h"

namespace tovimar::app {

void TFormMain::ApplyName() {
    run_.Attempt();
}

void TFormMain::DeleteTarget() {
    run_.AskDelete();
    nameField_.SetText(CurrentLiterals().DeleteName);
    // The same road as a click on the button.
    renameButton_.Click();
}

bool TFormMain::OpenNextEntry(const std::wstring &renamedPath) {
    const uint32_t codePage = platform::WorkingCodePageOf({targetPath_, renamedPath});
    platform::WinFileSystem disk(hwnd_, codePage);
    std::optional<std::string> next =
        walk_.Next(platform::RuleOf(codePage), platform::ToCodePage(codePage, targetPath_),
                   platform::ToCodePage(codePage, renamedPath), isFolder_, disk);
    if (!next) return false;
    targetPath_ = platform::FromCodePage(codePage, *next);
    targetProblem_ = TargetProblem::None;
    run_.Reset();
    nameEditor_.ShowName(targetPath_);
    extensionBox_.PutTextOnTop();
    ShowByteCounts();
    nameField_.Focus();
    return true;
}

WorkedRequest TFormMain::Run::Request() const {
    const std::wstring name = form_.nameField_.WideText();
    const std::wstring extension = form_.extensionField_.WideText();
    WorkedRequest worked;
    worked.CodePage = platform::WorkingCodePageOf({form_.targetPath_, name, extension});
    ExecutionRequest &request = worked.Request;
    request.TargetPath = platform::ToCodePage(worked.CodePage, form_.targetPath_);
    request.IsFolder = form_.isFolder_;
    request.Name = platform::ToCodePage(worked.CodePage, name);
    request.Extension = platform::ToCodePage(worked.CodePage, extension);
    return worked;
}

void TFormMain::Run::ShowTitle(const ShownText &text) {
    form_.SetTitle(text);
}

void TFormMain::Run::FollowTarget(const std::wstring &path) {
    form_.targetPath_ = path;
}

void TFormMain::Run::AddExtensionToHistory() {
    form_.extensionBox_.AddTextToHistory();
}

void TFormMain::Run::StartNextInChain() {
    form_.StartNextInChain();
}

bool TFormMain::Run::OpenNext(const std::wstring &renamedPath) {
    return form_.OpenNextEntry(renamedPath);
}

void TFormMain::Run::ShowError(const std::exception &error) {
    form_.ShowError(error);
}

} // namespace tovimar::app
