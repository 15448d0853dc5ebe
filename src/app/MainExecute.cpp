// Rename and delete of the target: what the run needs of the window.
#include "app/MainUnit.h"

#include "core/NameEditing.h"

namespace tovimar::app {

void TFormMain::ApplyName() {
    run_.Attempt();
}

void TFormMain::DeleteTarget() {
    run_.AskDelete();
    edtFileName.SetText(CurrentLiterals().DeleteName);
    // The same road as a click on the button.
    btnExecute.Click();
}

ExecutionRequest TFormMain::Run::Request() const {
    ExecutionRequest request;
    request.TargetPath = form_.TargetPath;
    request.IsFolder = form_.IsFolder;
    request.Name = form_.edtFileName.Text();
    request.Extension = form_.cmbFileExt.Text();
    return request;
}

void TFormMain::Run::ShowTitle(const ShownText &text) {
    form_.SetTitle(text);
}

void TFormMain::Run::FollowTarget(const std::string &path) {
    form_.TargetPath = path;
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
