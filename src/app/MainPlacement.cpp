// Where the window opens, its width for long names, and the always-on-top option.
#include "app/MainUnit.h"

namespace tovimar::app {

void TFormMain::PlaceWindow() {}

void TFormMain::WindowFrontClick() {
    ::SetWindowPos(Handle(), WindowFront.Checked() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace tovimar::app
