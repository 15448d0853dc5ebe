// The settings file and the options' check marks.
#include "app/WindowOptions.h"

#include "app/Controls.h"
#include "core/Errors.h"
#include "core/IniValue.h"
#include "core/Messages.h"
#include "platform/Text.h"
#include "resource.h"

#include <algorithm>
#include <string>

namespace tovimar::app {

namespace {

constexpr const char *Section = "Tovimar";

} // namespace

void WindowOptions::Load(const std::wstring &fileName, const ScaleLength &scale,
                         ExtensionBox &box) {
    // One read of the file; the values come from memory. The window moves to the saved place
    // once, when it is placed; the options act through the placement and their own commands.
    options_ = LoadOptions(file_.emplace(fileName, Section, platform::UserSettingsFile), scale);
    box.LoadEntries(options_.Extensions);
    ShowChecks();
}

void WindowOptions::Save(const std::wstring &fileName, const ExtensionBox &box) {
    if (fileName.empty()) throw TovimarError(std::string(msg::ProgramFolderUnreadable));
    platform::IniFile &ini =
        file_ ? *file_ : file_.emplace(fileName, Section, platform::UserSettingsFile);

    if (!options_.VariableWidth) {
        RECT r{};
        ::GetWindowRect(window_, &r);
        options_.Left = r.left;
        options_.Top = r.top;
        options_.Width = r.right - r.left;
    }
    options_.Extensions = box.EntriesUtf8();
    SaveOptions(ini, options_);

    // Every failed write is the same error: the file cannot be written. It names the file
    // read, also when the user's file failed after it: beside the program that is the file
    // the person placed there and can make writable, where a second path would only puzzle.
    if (!ini.Save())
        throw TovimarError(platform::ShownTextOf(ini.FileName()) + msg::CannotWriteSuffix);
}

void WindowOptions::CountRun() {
    options_.ExecuteCount = NextUsageCount(options_.ExecuteCount);
}

void WindowOptions::ToggleAlwaysOnTop() {
    options_.AlwaysOnTop = !options_.AlwaysOnTop;
    ShowChecks();
    ApplyAlwaysOnTop();
}

void WindowOptions::ToggleOpenAtCursor() {
    options_.OpenAtCursor = !options_.OpenAtCursor;
    ShowChecks();
}

void WindowOptions::ToggleVariableWidth() {
    options_.VariableWidth = !options_.VariableWidth;
    ShowChecks();
}

void WindowOptions::ApplyAlwaysOnTop() const {
    // No activation: at set-up the window is still hidden; from the menu it is active already.
    ::SetWindowPos(window_, options_.AlwaysOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void WindowOptions::ShowChecks() const {
    MenuItem(menu_, IDM_ALWAYSONTOP).SetChecked(options_.AlwaysOnTop);
    MenuItem(menu_, IDM_OPENATCURSOR).SetChecked(options_.OpenAtCursor);
    MenuItem(menu_, IDM_VARIABLEWIDTH).SetChecked(options_.VariableWidth);
}

} // namespace tovimar::app
