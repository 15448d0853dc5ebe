// Closing: the usage counter, the settings save and the next instance of the chain.
#include "app/MainWindow.h"

#include "core/Errors.h"
#include "core/Messages.h"
#include "platform/Arguments.h"
#include "platform/Locale.h"
#include "platform/Shell.h"
#include "platform/Text.h"

#include <shellapi.h>

namespace tovimar::app {

void MainWindow::SaveAndStartNext() {
    // A hidden window waiting for a file in use must not retry while it closes.
    run_.StopTimer();
    options_.CountRun();
    // A settings file that cannot be written is reported once; the close and the chain go on,
    // or a hidden retry window would report it again on every tick.
    try {
        options_.Save(iniFileName_, extensionBox_);
    } catch (const TovimarError &e) {
        ShowError(e);
    }
    StartNextInChain();
}

void MainWindow::EndWithoutWindow(DWORD error) {
    // A window destroyed inside its creation has posted the quit message, which would end the
    // box's own message loop at once.
    MSG quit;
    while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    const std::string reason = platform::SystemErrorText(error);
    ShownText text = ShownText(msg::WindowNotMade);
    text += "\r\n" + (reason.empty() || error == ERROR_SUCCESS ? ShownText(msg::NoSystemReason)
                                                               : ShownText::System(reason));
    ShowMessageBox(text, ApplicationTitle, MB_ICONSTOP | MB_OK);
    StartNextInChain();
}

void MainWindow::StartNextInChain() {
    if (chainLaunched_ || chainStopped_ || platform::ArgumentCount() < 2) return;
    const std::wstring parameters = platform::ChainParameters(2);
    // Whether the next instance started cannot be told from here; the rest of the list is
    // then simply left alone.
    platform::StartProgram(Handle(), parameters);
    chainLaunched_ = true;
}

void MainWindow::CloseStoppingChain() {
    chainStopped_ = true;
    ::SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    // A close that did not happen leaves the chain as it was.
    if (hwnd_ != nullptr) chainStopped_ = false;
}

void MainWindow::ShowPathsLeft() {
    if (application_ == nullptr) return;
    const int left = platform::ArgumentCount() - 1;
    if (left < 1) {
        Frame(application_).SetText(ApplicationTitle);
        return;
    }
    std::string title(msg::ChainLeftHead);
    title += std::to_string(int64_t(left));
    title += msg::ChainLeftTail;
    Frame(application_).SetText(title);
}

} // namespace tovimar::app
