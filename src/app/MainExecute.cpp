// Rename and delete of the target: what the run needs of the window.
#include "app/MainUnit.h"

#include "core/NameEditing.h"

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

void TFormMain::Run::ShowError(const std::exception &error) {
    form_.ShowError(error);
}

} // namespace tovimar::app
