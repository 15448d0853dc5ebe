#include "app/RenameRun.h"

#include "core/Errors.h"
#include "core/Messages.h"
#include "platform/Locale.h"
#include "platform/WinFileSystem.h"
#include "resource.h"

namespace tovimar::app {

namespace {

// How long a message stays readable before the window closes or hides.
constexpr DWORD MessagePause = 1000;
constexpr UINT RetryInterval = 1000;

} // namespace

// Holds the state at Running for one attempt, whatever leaves it.
class RenameRun::AttemptScope {
public:
    explicit AttemptScope(RenameRun &run) : run_(run) { run_.state_ = State::Running; }
    AttemptScope(const AttemptScope &) = delete;
    AttemptScope &operator=(const AttemptScope &) = delete;
    ~AttemptScope() { run_.state_ = run_.timerSet_ ? State::WaitingForFile : State::Idle; }

private:
    RenameRun &run_;
};

void RenameRun::Attach(HWND frame, HWND application) {
    frame_ = frame;
    application_ = application;
}

void RenameRun::Detach() {
    StopTimer();
    frame_ = nullptr;
}

void RenameRun::Attempt(bool thenNext) {
    // A retry tick arriving while a box pumps messages must not start a second attempt inside
    // the first.
    if (frame_ == nullptr || state_ == State::Running || state_ == State::Closing) return;
    thenNext_ = thenNext;
    {
        AttemptScope scope(*this);
        // Shown here, while the scope holds, so that ticks queued behind the box are dropped.
        try {
            RunOnce();
        } catch (const std::exception &e) {
            ShowError(e);
        }
    }
    if (closeAsked_) {
        closeAsked_ = false;
        if (frame_ != nullptr) ::SendMessageW(frame_, WM_CLOSE, 0, 0);
    }
}

void RenameRun::OnTimer(UINT_PTR id) {
    if (id == IDT_RETRY) Attempt();
}

bool RenameRun::CloseMustWait() {
    // The attempt's own close goes through at once.
    if (state_ != State::Running) return false;
    closeAsked_ = true;
    return true;
}

void RenameRun::RunOnce() {
    ExecutionRequest request = Request();
    request.DeleteMode = deleteMode_;
    request.Retrying = timerSet_;

    platform::WinFileSystem disk(frame_);
    const ExecutionOutcome outcome = RenameOrDelete(platform::AnsiCharacterRule(), request, disk);
    if (outcome.EndDeleteMode) deleteMode_ = false;
    if (!outcome.MovedTo.empty()) FollowTarget(outcome.MovedTo);
    if (outcome.Title) ShowTitle(*outcome.Title);

    // A hidden window has nobody to show the message to.
    const bool visible = ::IsWindowVisible(frame_) != FALSE;
    if (outcome.End == Ending::HideAndRetry && visible) SetFrameEnabled(false);
    if (outcome.Pause && visible) {
        ::UpdateWindow(frame_);
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
        if (outcome.UpdateHistory) AddExtensionToHistory();
        // Only a rename that went through goes on; a delete or a failure closes as always.
        if (thenNext_ && !request.DeleteMode && !outcome.Title && OpenNext(outcome.NewPath)) break;
        CloseAfterAttempt();
        break;
    }
}

void RenameRun::SetFrameEnabled(bool enabled) {
    ::EnableWindow(frame_, enabled ? TRUE : FALSE);
    if (application_ != nullptr) ::EnableWindow(application_, enabled ? TRUE : FALSE);
}

void RenameRun::WaitHidden() {
    // The application window and its taskbar button go with it.
    ::ShowWindow(frame_, SW_HIDE);
    try {
        StartTimer();
    } catch (const std::exception &e) {
        // Without the timer nothing would ever wake the hidden window: say so and close.
        ShowError(e);
        CloseAfterAttempt();
        return;
    }
    // The rest of the list need not wait for this file.
    StartNextInChain();
}

void RenameRun::StopRetrying() {
    StopTimer();
    SetFrameEnabled(true);
    ::ShowWindow(frame_, SW_SHOW);
    // The system may refuse a process the user is not working with; the taskbar button then
    // flashes instead.
    ::SetForegroundWindow(frame_);
}

void RenameRun::CloseAfterAttempt() {
    state_ = State::Closing;
    ::SendMessageW(frame_, WM_CLOSE, 0, 0);
    state_ = State::Running;
    // A close that did not happen must not leave a window waiting unseen for ever.
    if (frame_ != nullptr && !::IsWindowVisible(frame_)) StopRetrying();
}

void RenameRun::StartTimer() {
    // Started again while it runs, it keeps its period.
    if (timerSet_) return;
    if (::SetTimer(frame_, IDT_RETRY, RetryInterval, nullptr) == 0)
        throw TovimarError(std::string(msg::NoTimer));
    timerSet_ = true;
}

void RenameRun::Reset() {
    StopTimer();
    deleteMode_ = false;
}

void RenameRun::StopTimer() {
    if (timerSet_ && frame_ != nullptr) ::KillTimer(frame_, IDT_RETRY);
    timerSet_ = false;
    if (state_ == State::WaitingForFile) state_ = State::Idle;
}

} // namespace tovimar::app
