// Rename and delete of the target: what the run needs of the window.
#include "app/MainUnit.h"

#include "core/NameEditing.h"
#include "core/NextEntry.h"
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

bool TFormMain::OpenNextEntry(const std::string &renamedPath) {
    platform::WinFileSystem disk(hwnd_);
    std::optional<std::string> next =
        walk_.Next(platform::AnsiCharacterRule(), targetPath_, renamedPath, isFolder_, disk);
    if (!next) return false;
    targetPath_ = std::move(*next);
    targetProblem_ = TargetProblem::None;
    run_.Reset();
    nameEditor_.ShowName(targetPath_);
    extensionBox_.PutTextOnTop();
    ShowByteCounts();
    nameField_.Focus();
    return true;
}

ExecutionRequest TFormMain::Run::Request() const {
    ExecutionRequest request;
    request.TargetPath = form_.targetPath_;
    request.IsFolder = form_.isFolder_;
    request.Name = form_.nameField_.Text();
    request.Extension = form_.extensionField_.Text();
    return request;
}

void TFormMain::Run::ShowTitle(const ShownText &text) {
    form_.SetTitle(text);
}

void TFormMain::Run::FollowTarget(const std::string &path) {
    form_.targetPath_ = path;
}

void TFormMain::Run::AddExtensionToHistory() {
    form_.extensionBox_.AddTextToHistory();
}

void TFormMain::Run::StartNextInChain() {
    form_.StartNextInChain();
}

bool TFormMain::Run::OpenNext(const std::string &renamedPath) {
    return form_.OpenNextEntry(renamedPath);
}

void TFormMain::Run::ShowError(const std::exception &error) {
    form_.ShowError(error);
}

} // namespace tovimar::app
