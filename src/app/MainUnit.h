// The main window: its controls, menus, keyboard rules and every handler of the program.
#pragma once

#include "app/Controls.h"
#include "app/ExtensionBox.h"
#include "app/MainControls.h"
#include "app/NameEditor.h"
#include "app/RenameRun.h"
#include "app/WindowOptions.h"
#include "core/ExtensionHistory.h"
#include "core/Target.h"
#include "platform/Handles.h"

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
    bool IsFolder = false;
    bool ChainLaunched = false;

    // Controls.
    Edit edtFileName;
    ComboBox cmbFileExt;
    Button btnLeftDelete;
    Button btnRightDelete;
    Button btnExecute;

    // Set-up (MainUnit.cpp) and closing (MainClose.cpp).
    void FormShow();
    void FormClose();
    // Starts the next instance of the chain for the remaining arguments, once.
    void StartNextInChain();

    // Placement and the always-on-top option (MainPlacement.cpp).
    void PlaceWindow();
    // Where the settings put the window, for a set-up that ends before the window is placed.
    void MoveToSavedPlace();
    // The window options' commands.
    void ToggleAlwaysOnTop() { options_.ToggleAlwaysOnTop(); }
    void ToggleOpenAtCursor() { options_.ToggleOpenAtCursor(); }
    void ToggleVariableWidth() { options_.ToggleVariableWidth(); }

    // Refreshes the title's byte counts; serves the change of the extension box as well.
    void ShowByteCounts();
    // The Exit command: closes as the close box does.
    void Quit();

    // Rename and delete (MainExecute.cpp). The button and the rename command give the target
    // the name shown, or delete it after the delete command.
    void ApplyName();
    void DeleteTarget();
    // The rename run, reaching into this window for what it needs.
    class Run final : public RenameRun {
    public:
        explicit Run(TFormMain &form) : form_(form) {}

    private:
        ExecutionRequest Request() const override;
        void ShowTitle(const ShownText &text) override;
        void FollowTarget(const std::string &path) override;
        void AddExtensionToHistory() override;
        void StartNextInChain() override;
        void ShowError(const std::exception &error) override;
        TFormMain &form_;
    };

    // Editing commands: the name editor's, run by the command table.
    template <void (NameEditor::*Command)() const> void EditName() { (nameEditor_.*Command)(); }
    void PasteDateTime() { nameEditor_.PasteDateTime(options_.Current().TimeFormat); }
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
    TargetProblem targetProblem_ = TargetProblem::None;
    bool placed_ = false;
    ExtensionBox extensionBox_;
    NameEditor nameEditor_;
    // The options and the settings file; the saved place is where the window moves when placed.
    WindowOptions options_;
    Run run_{*this};
};

} // namespace tovimar::app
