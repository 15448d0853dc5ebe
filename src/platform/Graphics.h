// Images for the window's controls, and the display's pixels per inch.
#pragma once

#include "platform/Handles.h"

#include <windows.h>

namespace tovimar::platform {

// One drawing of a button's image: a bitmap resource that holds two square cells side by side,
// the normal image, then the disabled one, each Cell pixels square.
struct ButtonArt {
    int Cell;
    UINT BitmapId;
};

// A button's image list of cell-pixel squares from art, shrunk or stretched to fit. The bitmap's
// light grey (192, 192, 192) is loaded as the button face and its dark grey as the 3D shadow:
// Wine's buttons ignore image-list masks. Null when it cannot be loaded.
HIMAGELIST LoadButtonImages(HINSTANCE instance, const ButtonArt &art, int cell);

// Pixels per inch of the window's display, or of the system's when window is null or the
// system cannot tell per window (before Windows 10).
UINT WindowDpi(HWND window);

} // namespace tovimar::platform
