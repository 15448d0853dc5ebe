// Opening the target, the help text and the home page; the version box.
#include "app/MainWindow.h"

#include "app/TextCrossing.h"
#include "app/WebAddresses.h"
#include "core/Messages.h"
#include "platform/Arguments.h"
#include "platform/Files.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "Version.h"

#include <string>

namespace tovimar::app {

namespace {

constexpr const wchar_t *HelpFileName = L"Tovimar.txt";
constexpr const char *VersionLine = "Tovimar v" TOVIMAR_VERSION;

// Opens a file or address through the shell; a failure is said in a message box.
void OpenOrSay(HWND owner, const std::wstring &file, int show) {
    const DWORD error = platform::ShellOpen(owner, file, show);
    if (error == ERROR_SUCCESS || error == ERROR_CANCELLED) return;
    // What could not be opened, and the system's word for why.
    ShownText text = ShownText(msg::CannotOpenWithApplication) + "\r\n" +
                     ShownText::Utf8(platform::FromWide(CP_UTF8, file));
    const std::string reason = platform::SystemErrorText(error);
    if (!reason.empty()) text += "\r\n" + ShownText::System(reason);
    ShowMessageBox(owner, text, MainWindow::ApplicationTitle, MB_ICONEXCLAMATION | MB_OK);
}

} // namespace

void MainWindow::OpenWithApplication() {
    // The file as found at start: the edited name does not exist yet.
    if (!HasTarget()) return;
    OpenOrSay(Handle(), targetPath_, SW_SHOWNORMAL);
}

void MainWindow::OpenManual() {
    const std::wstring manual = platform::ProgramFolderFile(HelpFileName);
    if (platform::FileIsPresent(manual)) {
        OpenOrSay(Handle(), manual, SW_SHOWNORMAL);
    } else if (!OnlineHelpAddress.empty()) {
        OpenOrSay(Handle(), platform::FromAnsi(OnlineHelpAddress), SW_SHOW);
    } else {
        // No address to fall back on: say which file is missing and where it was looked for.
        ShowMessageBox(ShownText(msg::HelpNotFound) + "\r\n" + platform::ShownTextOf(manual),
                       ApplicationTitle, MB_ICONEXCLAMATION | MB_OK);
    }
}

void MainWindow::OpenHomePage() {
    // The menu item is disabled without an address.
    if (HomePageAddress.empty()) return;
    OpenOrSay(Handle(), platform::FromAnsi(HomePageAddress), SW_SHOW);
}

void MainWindow::ShowVersion() {
    const std::string caption = std::string(msg::VersionCaptionHead) +
                                std::to_string(int64_t(options_.Current().ExecuteCount)) +
                                std::string(msg::VersionCaptionTail);
    ShownText text = std::string(VersionLine) + "\r\n" + std::string(msg::VersionSecondLine);
    // A start through the folder's short form names the file by it: shown by its long one.
    const std::wstring settings = options_.SettingsFileInUse();
    if (!settings.empty())
        text += "\r\n" + ShownText(msg::SettingsFileHead) +
                platform::ShownTextOf(platform::ResolveLongPath(settings));
    ShowMessageBox(text, caption, MB_ICONINFORMATION | MB_OK);
}

} // namespace tovimar::app
