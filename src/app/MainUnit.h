// The main window: its controls, menus, keyboard rules and every handler of the program.
#pragma once

#include "app/Controls.h"
#include "app/ExtensionBox.h"
#include "app/MainControls.h"
#include "app/NameEditor.h"
#include "core/ExtensionHistory.h"
#include "core/Target.h"
#include "platform/Handles.h"
#include "platform/IniFile.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>

namespace tovimar::app {

// The one main window. Its public face is what the program entry needs; every handler and
// all run-time state are its own, spread over the MainXxx.cpp files by family.
class TFormMain {
public:
    static constexpr const wchar_t *ClassName = L"TFormMain";
    static constexpr const char *ApplicationTitle = "Tovimar";
    static constexpr const char *DefaultTimeFormat = "yymmddhhnnss";

    TFormMain() = default;
    TFormMain(const TFormMain &) = delete;
    TFormMain &operator=(const TFormMain &) = delete;

    static bool Register(HINSTANCE instance);
    // Creates the window hidden, owned by the application window that holds the taskbar button.
    bool Create(HINSTANCE instance, HWND application);
    // Runs the set-up, then shows the window.
    void Show();
    // Menu shortcuts and keyboard rules, before the focused control sees the key.
    bool PreTranslateMessage(MSG &msg);
    HWND Handle() const { return hwnd_; }

private:
    // Run-time state.
    std::string IniFileName;
    std::string TargetPath;
    std::string NewPath;
    bool IsFolder = false;
    bool DeleteMode = false;
    int32_t ExecuteCount = 0;
    std::string TimeFormat = DefaultTimeFormat;
    bool ChainLaunched = false;

    // Controls.
    Edit edtFileName;
    ComboBox cmbFileExt;
    Button btnLeftDelete;
    Button btnRightDelete;
    Button btnExecute;
    MenuItem WindowFront{nullptr, 0};
    MenuItem mnuOptionCursor{nullptr, 0};
    MenuItem mnuWindowVariable{nullptr, 0};

    // Set-up (MainUnit.cpp) and closing (MainClose.cpp).
    void FormShow();
    void FormClose();
    // Starts the next instance of the chain for the remaining arguments, once.
    void TovimarExecute();

    // Settings (MainSettings.cpp).
    void IniLoad();
    void IniSave();

    // Placement and the always-on-top option (MainPlacement.cpp).
    void PlaceWindow();
    // Where the settings put the window, for a set-up that ends before the window is placed.
    void MoveToSavedPlace();
    // The window options; each flips its own check mark.
    void ToggleAlwaysOnTop();
    void ToggleOpenAtCursor();
    void ToggleVariableWidth();
    // Puts the window in or out of the topmost band as the option says.
    void ApplyAlwaysOnTop();

    // Refreshes the title's byte counts; serves the change of the extension box as well.
    void ShowByteCounts();
    // The Exit command: closes as the close box does.
    void Quit();

    // Rename and delete (MainExecute.cpp).
    void btnExecuteClick();
    void mnuDeleteClick();
    void RunExecution();
    void SetFrameEnabled(bool enabled);
    void WaitHidden();
    void StopRetrying();
    void CloseAfterExecution();
    // True when an execution runs: the close is done once it has ended.
    bool CloseMustWait();

    // Editing commands: the name editor's, run by the command table.
    template <void (NameEditor::*Command)() const> void EditName() { (nameEditor_.*Command)(); }
    void PasteDateTime() { nameEditor_.PasteDateTime(TimeFormat); }
    void ReloadName() { nameEditor_.ShowName(TargetPath); }

    // Shell commands and the version box (MainShell.cpp).
    // Opens the target as the shell does on a double click.
    void OpenWithApplication();
    // The manual beside the program, else its web address.
    void OpenManual();
    void OpenHomePage();
    void ShowVersion();

    // Keyboard and focus (MainKeyboard.cpp).
    void OnActivate(bool active);
    void UpdateDefaultButton();
    void MoveFocus(bool forward);
    bool OnEnterKey();

    // The window itself (MainUnit.cpp).
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCreate();
    // Every command of the menu, the shortcuts and the buttons: its handler, and whether it
    // needs a target (without one it is greyed and its shortcut does nothing).
    struct Command {
        UINT Id;
        void (TFormMain::*Handler)();
        bool NeedsTarget;
    };
    static std::span<const Command> Commands();
    void OnCommand(UINT id, UINT code, HWND control);
    void OnClose();
    void OnShowWindow(bool shown);
    void DisableTargetCommands();
    int Scale(int length) const { return controls_.Scale(length); }
    bool HasTarget() const { return !TargetPath.empty(); }

    void SetTitle(const ShownText &text) const;
    // The retry timer; starting it while it runs keeps its period.
    void StartTimer();
    void StopTimer();
    bool TimerRunning() const { return timerRunning_; }
    // A message box owned by the window.
    int ShowMessageBox(const ShownText &text, const ShownText &caption, UINT flags) const;
    // The error box; a TovimarError keeps the encodings of its message's parts.
    void ShowError(const ShownText &message) const;
    void ShowError(const std::exception &error) const;

    HWND hwnd_ = nullptr;
    MainControls controls_;
    HWND application_ = nullptr;
    HMENU menu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HWND lastFocus_ = nullptr;
    bool timerRunning_ = false;
    TargetProblem targetProblem_ = TargetProblem::None;
    // Where the settings file puts the window; it moves there when placed.
    int savedLeft_ = 0;
    int savedTop_ = 0;
    int savedWidth_ = 0;
    bool placed_ = false;
    ExtensionBox extensionBox_;
    NameEditor nameEditor_;
    // Open from the load to the save, which writes only what this run changed.
    std::optional<platform::IniFile> settingsFile_;
};

} // namespace tovimar::app
