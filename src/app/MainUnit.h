// The main window: its controls, menus, keyboard rules and every handler of the program.
#pragma once

#include "app/Controls.h"
#include "core/ExtensionHistory.h"
#include "platform/Handles.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <exception>
#include <string>

namespace tovimar::app {

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

    // Run-time state.
    std::string IniFileName;
    std::string TargetPath;
    std::string NewPath;
    bool IsFolder = false;
    bool DeleteMode = false;
    int32_t ExecuteCount = 0;
    static constexpr const char *DefaultTimeFormat = "yymmddhhnnss";
    std::string TimeFormat = DefaultTimeFormat;
    bool ChainLaunched = false;

    // Controls.
    Edit edtFileName;
    ComboBox cmbFileExt;
    Button btnLeftDelete;
    Button btnRightDelete;
    Button btnExecute;
    MenuItem mnuReLoad{nullptr, 0};
    MenuItem mnuExtExecute{nullptr, 0};
    MenuItem mnuRename{nullptr, 0};
    MenuItem mnuDelete{nullptr, 0};
    MenuItem WindowFront{nullptr, 0};
    MenuItem mnuOptionCursor{nullptr, 0};
    MenuItem mnuWindowVariable{nullptr, 0};

    // Set-up and closing.
    void FormShow();
    void FormClose();
    void IniLoad();
    void IniSave();
    void PutExtensionOnTop();
    // After an execution: the extension box's text goes on top of the history when new.
    void AddExtensionToHistory();
    void PlaceWindow();
    void TovimarExecute();

    // Handlers.
    void edtFileNameChange();
    void btnExecuteClick();
    void mnuDeleteClick();
    void mnuExitClick();
    void btnLeftDeleteClick();
    void btnRightDeleteClick();
    void D1Click();
    void mnuReLoadClick();
    void mnuAllLowerClick();
    void mnuAllUpperClick();
    void H1Click();
    void Z1Click();
    void mnuSpeceDeleteClick();
    void mnuSpaceUnBarClick();
    void WindowFrontClick();
    void mnuExtExecuteClick();
    void mnuHelpClick();
    void mnuForWendrelClick();
    void mnuVersionClick();
    // A character typed into the extension box, before it is inserted ("\b" for Backspace);
    // true when the handler took it (completion from the history).
    bool cmbFileExtKeyPress(const std::string &typed);

    // Helpers for the handlers.
    void SetTitle(std::string_view bytes) const;
    // The retry timer; starting it while it runs keeps its period.
    void StartTimer();
    void StopTimer();
    bool TimerRunning() const { return timerRunning_; }
    // Shows a message box owned by the window (ANSI texts).
    int ShowMessageBox(std::string_view text, std::string_view caption, UINT flags) const;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool OnCreate();
    void OnCommand(UINT id, UINT code, HWND control);
    void OnClose();
    void OnSize(int width);
    void OnGetMinMaxInfo(MINMAXINFO &info) const;
    void OnWindowPosChanging(WINDOWPOS &pos) const;
    void OnActivate(bool active);
    void OnShowWindow(bool shown);
    // True when an execution runs: the close is done once it has ended (MainExecute.cpp).
    bool CloseMustWait();

    void CreateControls();
    void DisableTargetCommands();
    void LayOut(int clientWidth);
    void UpdateDefaultButton();
    void MoveFocus(bool forward);
    bool OnEnterKey();
    // The execution's endings (MainExecute.cpp).
    void RunExecution();
    void SetFrameEnabled(bool enabled);
    void WaitHidden();
    void StopRetrying();
    void CloseAfterExecution();
    bool HasTarget() const { return !TargetPath.empty(); }

    void ShowError(const char *message) const;
    // The extension box's list shows the history; it never holds entries of its own.
    void ShowHistory();

    HWND hwnd_ = nullptr;
    HWND application_ = nullptr;
    HMENU menu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HWND toolTip_ = nullptr;
    HWND lastFocus_ = nullptr;
    bool timerRunning_ = false;
    bool targetUnreadable_ = false;
    bool rootTarget_ = false;
    ExtensionHistory history_{platform::AnsiUpper};
    platform::Font windowFont_;
    platform::Font textFont_;
    platform::ImageList okGlyph_;
};

} // namespace tovimar::app
