// Rename and delete of the target: what the run needs of the window.
#include "app/MainWindow.h"

#include "core/NameEditing.h"
#include "core/NextEntry.h"
#include "platform/Locale.h"
#include "platform/WinFileSystem.h"

namespace tovimar::app {

void MainWindow::ApplyName() {
    run_.Attempt();
}

void MainWindow::DeleteTarget() {
    run_.AskDelete();
    nameField_.SetText(CurrentLiterals().DeleteName);
    // The same road as a click on the button.
    renameButton_.Click();
}

bool MainWindow::OpenNextEntry(const std::string &renamedPath) {
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

ExecutionRequest MainWindow::Run::Request() const {
    ExecutionRequest request;
    request.TargetPath = window_.targetPath_;
    request.IsFolder = window_.isFolder_;
    request.Name = window_.nameField_.Text();
    request.Extension = window_.extensionField_.Text();
    return request;
}

void MainWindow::Run::ShowTitle(const ShownText &text) {
    window_.SetTitle(text);
}

void MainWindow::Run::FollowTarget(const std::string &path) {
    window_.targetPath_ = path;
}

void MainWindow::Run::AddExtensionToHistory() {
    window_.extensionBox_.AddTextToHistory();
}

void MainWindow::Run::StartNextInChain() {
    window_.StartNextInChain();
}

bool MainWindow::Run::OpenNext(const std::string &renamedPath) {
    return window_.OpenNextEntry(renamedPath);
}

void MainWindow::Run::ShowError(const std::exception &error) {
    window_.ShowError(error);
}

} // namespace tovimar::app
