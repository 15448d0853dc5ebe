// Opening the target, the help text and the home page; the version box.
#include "app/MainUnit.h"

#include "app/WebAddresses.h"
#include "core/Messages.h"
#include "core/PathRules.h"
#include "platform/Platform.h"
#include "Version.h"

#include <string>

namespace tovimar::app {

namespace {

constexpr const char *HelpFileName = "Tovimar.txt";
constexpr const char *VersionLine = "Tovimar v" TOVIMAR_VERSION;

} // namespace

void TFormMain::mnuExtExecuteClick() {
    // The file as found at start: the edited name does not exist yet.
    if (!HasTarget()) return;
    platform::ShellOpen(Handle(), TargetPath, SW_SHOWNORMAL);
}

void TFormMain::mnuHelpClick() {
    const std::string path = PathPrefix(platform::ArgumentAt(0)) + HelpFileName;
    if (platform::FileIsPresent(path)) {
        platform::ShellOpen(Handle(), path, SW_SHOWNORMAL);
    } else if (!OnlineHelpAddress.empty()) {
        platform::ShellOpen(Handle(), std::string(OnlineHelpAddress), SW_SHOW);
    } else {
        // No address to fall back on: say which file is missing and where it was looked for.
        ShowMessageBox(ShownText(msg::HelpNotFound) + "\r\n" + ShownText::System(path),
                       ApplicationTitle, MB_ICONEXCLAMATION | MB_OK);
    }
}

void TFormMain::mnuForWendrelClick() {
    // The menu item is disabled without an address.
    if (HomePageAddress.empty()) return;
    platform::ShellOpen(Handle(), std::string(HomePageAddress), SW_SHOW);
}

void TFormMain::mnuVersionClick() {
    const std::string caption = std::string(msg::VersionCaptionHead) +
                                std::to_string(ExecuteCount) + std::string(msg::VersionCaptionTail);
    const std::string text =
        std::string(VersionLine) + "\r\n" + std::string(msg::VersionSecondLine);
    ShowMessageBox(text, caption, MB_ICONINFORMATION | MB_OK);
}

} // namespace tovimar::app
