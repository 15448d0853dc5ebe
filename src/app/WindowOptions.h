// The window options and the settings file they come from: read once at the start, written at
// the close with what this run changed. The menu's check marks show the options.
#pragma once

#include "app/ExtensionBox.h"
#include "core/IniValue.h"
#include "core/Options.h"
#include "platform/IniFile.h"
#include "platform/Locale.h"

#include <windows.h>

#include <optional>
#include <string>

namespace tovimar::app {

class WindowOptions {
public:
    // The window whose place is saved and whose menu shows the options.
    void Attach(HWND window, HMENU menu) {
        window_ = window;
        menu_ = menu;
    }
    // The history's saved entries go into the box.
    void Load(const std::wstring &fileName, const ScaleLength &scale, ExtensionBox &box);
    // The window's place goes in unless its width follows the name. Throws TovimarError when
    // the file cannot be written.
    void Save(const std::wstring &fileName, const ExtensionBox &box);

    const Options &Current() const { return options_; }
    // The settings file this run saves to; empty before the load.
    std::wstring SettingsFileInUse() const { return file_ ? file_->SavedTo() : std::wstring(); }
    void CountRun();
    void ToggleAlwaysOnTop();
    void ToggleOpenAtCursor();
    void ToggleVariableWidth();
    // Cut as the next start would read it back, so this run uses what is saved.
    void SetTimeFormat(const std::string &pattern) {
        options_.TimeFormat = CutIniString(platform::AnsiCharacterRule(), pattern);
    }
    // Puts the window in or out of the topmost band as the option says.
    void ApplyAlwaysOnTop() const;

private:
    void ShowChecks() const;

    HWND window_ = nullptr;
    HMENU menu_ = nullptr;
    Options options_;
    // Open from the load to the save, which writes only what this run changed.
    std::optional<platform::IniFile> file_;
};

} // namespace tovimar::app
