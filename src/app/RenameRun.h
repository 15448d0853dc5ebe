// One rename or delete of the target at a time: the attempts, the hidden wait for a file in use
// with its retry timer, and a close that has to wait for an attempt to end.
#pragma once

#include "core/Execution.h"
#include "core/ShownText.h"

#include <windows.h>

#include <exception>
#include <string>

namespace tovimar::app {

// A request in its working code page: the old path, the name and the extension decide it
// together.
struct WorkedRequest {
    ExecutionRequest Request;
    uint32_t CodePage = CP_ACP;
};

class RenameRun {
public:
    RenameRun() = default;
    RenameRun(const RenameRun &) = delete;
    RenameRun &operator=(const RenameRun &) = delete;

    // frame: the window shown, hidden and closed; application: the owner of its taskbar button.
    void Attach(HWND frame, HWND application);
    // The window is being destroyed: no more ticks, no more attempts.
    void Detach();

    // The button, the rename commands and each tick of the retry timer. thenNext: a rename
    // that goes through opens the next entry instead of closing, where there is one.
    void Attempt(bool thenNext = false);
    void OnTimer(UINT_PTR id);
    // The next attempt deletes, unless the delete name is edited away first.
    void AskDelete() { deleteMode_ = true; }
    // True while an attempt runs: the close is then done once it has ended.
    bool CloseMustWait();
    // A closing window must not retry.
    void StopTimer();
    // A fresh target: no retry, no delete mode.
    void Reset();

protected:
    ~RenameRun() = default;
    // The target and the name and extension as typed.
    virtual WorkedRequest Request() const = 0;
    virtual void ShowTitle(const ShownText &text) = 0;
    // The file stayed under a name it was not meant to have: what follows acts on it there.
    virtual void FollowTarget(const std::wstring &path) = 0;
    virtual void AddExtensionToHistory() = 0;
    virtual void StartNextInChain() = 0;
    // renamedPath: the target under its new name. False when there is no next entry.
    virtual bool OpenNext(const std::wstring &renamedPath) = 0;
    virtual void ShowError(const std::exception &error) = 0;

private:
    enum class State {
        Idle,
        Running,        // an attempt is under way; the shell's and our boxes pump messages
        WaitingForFile, // hidden, the retry timer set
        Closing,        // the attempt's own close is under way
    };

    class AttemptScope;

    void RunOnce();
    void SetFrameEnabled(bool enabled);
    void WaitHidden();
    void StopRetrying();
    void CloseAfterAttempt();
    void StartTimer();

    HWND frame_ = nullptr;
    HWND application_ = nullptr;
    State state_ = State::Idle;
    bool timerSet_ = false;
    // Asked for meanwhile (the taskbar's close): done when the attempt ends.
    bool closeAsked_ = false;
    bool deleteMode_ = false;
    bool thenNext_ = false;
};

} // namespace tovimar::app
