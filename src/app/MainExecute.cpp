// Rename and delete of the target: the window's side of an execution.
#include "app/MainUnit.h"

#include "core/Execution.h"
#include "core/Messages.h"
#include "core/NameEditing.h"
#include "platform/WinFileSystem.h"
#include "resource.h"

namespace tovimar::app {

namespace {

// How long a message stays readable before the window closes or hides.
constexpr DWORD MessagePause = 1000;

// The shell's error boxes and the error box pump messages: a retry tick arriving then must not
// start a second execution inside the first.
bool Executing = false;
// A close asked for meanwhile (the taskbar's close) waits for the execution to end; the
// execution's own close goes through at once.
bool CloseWaiting = false;
bool ExecutionCloses = false;

class ExecutionScope {
public:
    ExecutionScope() { Executing = true; }
    ExecutionScope(const ExecutionScope &) = delete;
    ExecutionScope &operator=(const ExecutionScope &) = delete;
    ~ExecutionScope() { Executing = false; }
};

} // namespace

void TFormMain::btnExecuteClick() {
    if (Executing || hwnd_ == nullptr) return;
    {
        ExecutionScope scope;
        // Shown here, while the scope holds, so that ticks queued behind the box are dropped.
        try {
            RunExecution();
        } catch (const std::exception &e) {
            ShowError(e);
        }
    }
    if (CloseWaiting) {
        CloseWaiting = false;
        if (hwnd_ != nullptr) ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    }
}

bool TFormMain::CloseMustWait() {
    if (!Executing || ExecutionCloses) return false;
    CloseWaiting = true;
    return true;
}

void TFormMain::RunExecution() {
    ExecutionRequest request;
    request.TargetPath = TargetPath;
    request.IsFolder = IsFolder;
    request.DeleteMode = DeleteMode;
    request.Name = edtFileName.Text();
    request.Extension = cmbFileExt.Text();
    request.Retrying = TimerRunning();

    platform::WinFileSystem disk(hwnd_);
    const ExecutionOutcome outcome = RenameOrDelete(request, disk);
    if (outcome.EndDeleteMode) DeleteMode = false;
    if (!outcome.NewPath.empty()) NewPath = outcome.NewPath;
    // The file stayed under a name it was not meant to have: what follows acts on it there.
    if (!outcome.MovedTo.empty()) TargetPath = outcome.MovedTo;
    if (outcome.Title) SetTitle(*outcome.Title);

    // A hidden window has nobody to show the message to.
    const bool visible = ::IsWindowVisible(hwnd_) != FALSE;
    if (outcome.End == Ending::HideAndRetry && visible) SetFrameEnabled(false);
    if (outcome.Pause && visible) {
        ::UpdateWindow(hwnd_);
        ::Sleep(MessagePause);
    }

    switch (outcome.End) {
    case Ending::Stay:
        if (outcome.StopRetry) StopRetrying();
        break;
    case Ending::HideAndRetry:
        if (visible) WaitHidden();
        break;
    case Ending::Close:
        if (outcome.UpdateHistory) extensionBox_.AddTextToHistory();
        CloseAfterExecution();
        break;
    }
}

void TFormMain::mnuDeleteClick() {
    DeleteMode = true;
    edtFileName.SetText(CurrentLiterals().DeleteName);
    // The same road as a click on the button.
    btnExecute.Click();
}

void TFormMain::SetFrameEnabled(bool enabled) {
    ::EnableWindow(hwnd_, enabled ? TRUE : FALSE);
    if (application_ != nullptr) ::EnableWindow(application_, enabled ? TRUE : FALSE);
}

void TFormMain::WaitHidden() {
    // The application window and its taskbar button go with it (OnShowWindow).
    ::ShowWindow(hwnd_, SW_HIDE);
    try {
        StartTimer();
    } catch (const std::exception &e) {
        // Without the timer nothing would ever wake the hidden window: say so and close.
        ShowError(e);
        CloseAfterExecution();
        return;
    }
    // The rest of the list need not wait for this file.
    TovimarExecute();
}

void TFormMain::StopRetrying() {
    StopTimer();
    SetFrameEnabled(true);
    ::ShowWindow(hwnd_, SW_SHOW);
    // The system may refuse a process the user is not working with; the taskbar button then
    // flashes instead.
    ::SetForegroundWindow(hwnd_);
}

void TFormMain::CloseAfterExecution() {
    ExecutionCloses = true;
    ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    ExecutionCloses = false;
    // A close that did not happen must not leave a window waiting unseen for ever.
    if (hwnd_ != nullptr && !::IsWindowVisible(hwnd_)) StopRetrying();
}

} // namespace tovimar::app
