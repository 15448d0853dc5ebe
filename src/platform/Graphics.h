// Images for the window's controls.
#pragma once

#include "platform/Handles.h"

#include <windows.h>

namespace tovimar::platform {

// A button's image list from a bitmap resource that holds square cells side by side: the
// normal image, then the disabled one. The colour of the bitmap's bottom-left pixel is
// transparent; it is painted in the button face, since Wine's buttons ignore image-list masks.
// Null when the bitmap cannot be loaded.
HIMAGELIST MakeButtonImages(HINSTANCE instance, UINT bitmapId, int cell);

} // namespace tovimar::platform
