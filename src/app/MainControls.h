// The main window's controls: made from one table, given their fonts and the OK glyph, laid out
// for the window's width and the display's density, with their tool tips.
#pragma once

#include "core/WindowLayout.h"
#include "platform/Handles.h"

#include <windows.h>

namespace tovimar::app {

class MainControls {
public:
    // The display's density before the window exists.
    MainControls();

    // Makes the controls in window's client area at the window's density.
    bool Create(HWND window);
    // The tips wait for the pointer's first visit: the start does not pay for them.
    void OnPointerVisit();
    // Only the controls that stretch follow a new width.
    void OnSize(int clientWidth);
    // Fonts, list rows, the glyph and every control for the new density; the window moves to
    // the place the system suggests.
    void OnDpiChanged(UINT dpi, const RECT &suggested);
    void OnGetMinMaxInfo(MINMAXINFO &info) const;
    // The size limits hold for sizes the program sets as well.
    void OnWindowPosChanging(WINDOWPOS &pos) const;
    void Destroy();

    // Design length at the display's density.
    int Scale(int length) const { return ScaleToDpi(length, static_cast<int>(dpi_)); }
    UINT Dpi() const { return dpi_; }
    // The buttons' font, which the window's dialogs share; owned here.
    HFONT WindowFont() const { return windowFont_.Get(); }

private:
    void MakeFonts();
    void ApplyDpi(bool relayout);
    void LayOut(int clientWidth, bool all);

    HWND window_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HWND toolTip_ = nullptr;
    platform::Font windowFont_;
    platform::Font textFont_;
    platform::ImageList okGlyph_;
};

} // namespace tovimar::app
