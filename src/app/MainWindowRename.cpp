// Rename and delete of the target: what the run needs of the window.
#include "app/MainWindow.h"

#include "core/NameEditing.h"
#include "core/NextEntry.h"
#include "platform/Locale.h"
#include "platform/Text.h"
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

bool MainWindow::OpenNextEntry(const std::wstring &renamedPath) {
    // The walk keeps its folder's names from step to step: in UTF-8 every name of the folder
    // is one, and the order compares characters.
    constexpr uint32_t codePage = CP_UTF8;
    platform::WinFileSystem disk(hwnd_, codePage);
    std::optional<std::string> next =
        walk_.Next(platform::RuleOf(codePage), platform::FromWide(codePage, targetPath_),
                   platform::FromWide(codePage, renamedPath), isFolder_, disk);
    if (!next) return false;
    targetPath_ = platform::ToWide(codePage, *next);
    targetProblem_ = TargetProblem::None;
    run_.Reset();
    nameEditor_.ShowName(targetPath_);
    extensionBox_.PutTextOnTop();
    ShowByteCounts();
    nameField_.Focus();
    return true;
}

WorkedRequest MainWindow::Run::Request() const {
    const std::wstring name = window_.nameField_.WideText();
    const std::wstring extension = window_.extensionField_.WideText();
    WorkedRequest worked;
    worked.CodePage = platform::WorkingCodePageOf({window_.targetPath_, name, extension});
    ExecutionRequest &request = worked.Request;
    request.TargetPath = platform::FromWide(worked.CodePage, window_.targetPath_);
    request.IsFolder = window_.isFolder_;
    request.Name = platform::FromWide(worked.CodePage, name);
    request.Extension = platform::FromWide(worked.CodePage, extension);
    return worked;
}

void MainWindow::Run::ShowTitle(const ShownText &text) {
    window_.SetTitle(text);
}

void MainWindow::Run::FollowTarget(const std::wstring &path) {
    window_.targetPath_ = path;
}

void MainWindow::Run::AddExtensionToHistory() {
    window_.extensionBox_.AddTextToHistory();
}

void MainWindow::Run::StartNextInChain() {
    window_.StartNextInChain();
}

bool MainWindow::Run::OpenNext(const std::wstring &renamedPath) {
    return window_.OpenNextEntry(renamedPath);
}

void MainWindow::Run::ShowError(const std::exception &error) {
    window_.ShowError(error);
}

} // namespace tovimar::app
