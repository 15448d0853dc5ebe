// The main window: its controls, menus, keyboard rules and every handler of the program.
#pragma once

#include "app/Controls.h"
#include "app/ExtensionBox.h"
#include "app/MainControls.h"
#include "app/NameEditor.h"
#include "app/RenameRun.h"
#include "app/WindowOptions.h"
#include "core/ExtensionHistory.h"
#include "core/NextEntry.h"
#include "core/Target.h"
#include "platform/Handles.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <exception>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tovimar::app {

// The one main window. Its public face is what the program entry needs. It shows what its
// owners keep: the controls (MainControls), the name editing (NameEditor), the extension box
// (ExtensionBox), the options and the settings file (WindowOptions) and the rename run
// (RenameRun); it holds the target it works on and dispatches every command.
class MainWindow {
public:
    // The registered class name is kept as it always was: people's scripts find the window by it.
    static constexpr const wchar_t *ClassName = L"TFormMain";
    static constexpr const char *ApplicationTitle = "Tovimar";

    MainWindow() = default;
    MainWindow(const MainWindow &) = delete;
    MainWindow &operator=(const MainWindow &) = delete;

    static bool Register(HINSTANCE instance);
    // Creates the window hidden, owned by the application window that holds the taskbar button.
    bool Create(HINSTANCE instance, HWND application);
    // Runs the set-up, then shows the window.
    void Show();
    // After a failed Create: says why in a box, then starts the rest of the chain. Nothing was
    // loaded, so nothing is counted or saved.
    void EndWithoutWindow(DWORD error);
    // Menu shortcuts and keyboard rules, before the focused control sees the key.
    bool PreTranslateMessage(MSG &msg);
    HWND Handle() const { return hwnd_; }

private:
    // The settings file beside the program; empty when the program's own path is unknown.
    std::wstring iniFileName_;
    // The entry worked on, as found at start (or where a rename that went wrong left it);
    // empty when there is none.
    std::wstring targetPath_;
    bool isFolder_ = false;
    // The rest of the argument list went to the next instance.
    bool chainLaunched_ = false;
    // The person asked to close without starting the rest of the list.
    bool chainStopped_ = false;

    // Controls.
    Edit nameField_;
    ComboBox extensionField_;
    Button deleteLeftButton_;
    Button deleteRightButton_;
    Button renameButton_;

    // The set-up when the window is first shown: the target, the settings and the place
    // (MainWindow.cpp).
    void SetUpForTarget();
    // What every close does: the usage counter, the settings save and the rest of the chain
    // (MainWindowClosing.cpp).
    void SaveAndStartNext();
    // Starts the next instance of the chain for the remaining arguments, once.
    void StartNextInChain();
    // Closes as the exit command does, with no next instance.
    void CloseStoppingChain();
    // The taskbar's title: the paths of the chain still to come.
    void ShowPathsLeft();

    // Placement and the always-on-top option (MainWindowPlacement.cpp).
    void PlaceWindow();
    // Where the settings put the window, for a set-up that ends before the window is placed.
    void MoveToSavedPlace();

    // The working code page of the name and extension fields as they stand.
    uint32_t FieldsCodePage() const;
    // Refreshes the title's byte counts; serves the change of the extension box as well.
    void ShowByteCounts();

    // Rename and delete (MainWindowRename.cpp). The button and the rename command give the target
    // the name shown, or delete it after the delete command.
    void ApplyName();
    void DeleteTarget();
    // After a rename: the walk's next entry of the folder becomes the target.
    bool OpenNextEntry(const std::wstring &renamedPath);
    // Ctrl+Enter's walk through the target's folder, from its first step to the window's close.
    FolderWalk walk_;
    // The rename run, reaching into this window for what it needs.
    class Run final : public RenameRun {
    public:
        explicit Run(MainWindow &window) : window_(window) {}

    private:
        WorkedRequest Request() const override;
        void ShowTitle(const ShownText &text) override;
        void FollowTarget(const std::wstring &path) override;
        void AddExtensionToHistory() override;
        void StartNextInChain() override;
        bool OpenNext(const std::wstring &renamedPath) override;
        void ShowError(const std::exception &error) override;
        MainWindow &window_;
    };

    // A date of the target into the name like the current time; without one the title says
    // missing. The date format dialog (MainWindowDates.cpp).
    void PasteDate(std::optional<double> date, std::string_view missing);
    void EditTimeFormat();

    // Shell commands and the version box (MainWindowShell.cpp).
    // Opens the target as the shell does on a double click.
    void OpenWithApplication();
    // The manual beside the program, else its web address.
    void OpenManual();
    void OpenHomePage();
    void ShowVersion();

    // Keyboard and focus (MainWindowKeyboard.cpp).
    void OnActivate(bool active);
    void UpdateDefaultButton();
    void MoveFocus(bool forward);
    bool OnEnterKey();

    // The window itself (MainWindow.cpp).
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCreate();
    // Every command of the menu, the shortcuts and the buttons: its handler, and whether it
    // needs a target (without one it is greyed and its shortcut does nothing).
    struct Command {
        UINT Id;
        void (*Run)(MainWindow &window);
        bool NeedsTarget;
    };
    static std::span<const Command> Commands();
    void OnCommand(UINT id, UINT code, HWND control);
    void OnClose();
    void DisableTargetCommands();
    bool HasTarget() const { return !targetPath_.empty(); }

    void SetTitle(const ShownText &text) const;
    // A message box owned by the window.
    int ShowMessageBox(const ShownText &text, const ShownText &caption, UINT flags) const;
    // The error box; a TovimarError keeps the encodings of its message's parts.
    void ShowError(const ShownText &message) const;
    // Only from inside a handler of error.
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
