#include "platform/Graphics.h"

#include <commctrl.h>

#include <vector>

namespace tovimar::platform {

HIMAGELIST LoadButtonImages(HINSTANCE instance, const ButtonArt &art, int cell) {
    if (cell <= 0) return nullptr;
    Bitmap glyph(
        static_cast<HBITMAP>(::LoadImageW(instance, MAKEINTRESOURCEW(art.BitmapId), IMAGE_BITMAP,
                                          2 * cell, cell, LR_LOADMAP3DCOLORS)));
    if (!glyph) return nullptr;
    HIMAGELIST list = ::ImageList_Create(cell, cell, ILC_COLOR24, 6, 0);
    if (list == nullptr) return nullptr;
    // One image per button state: normal, hot, pressed, disabled, default, stylus. Added three
    // times as normal/disabled pairs, then hot and stylus get the normal image.
    for (int i = 0; i < 3; ++i)
        ::ImageList_Add(list, glyph.Get(), nullptr);
    ::ImageList_Copy(list, 1, list, 0, ILCF_MOVE);
    ::ImageList_Copy(list, 5, list, 0, ILCF_MOVE);
    return list;
}

UINT WindowDpi(HWND window) {
    using GetDpiForWindowFunction = UINT(WINAPI *)(HWND);
    // Windows 10 and later; looked up once.
    static const auto getDpiForWindow =
        reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void (*)()>(
            ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (window != nullptr && getDpiForWindow != nullptr) {
        if (UINT dpi = getDpiForWindow(window)) return dpi;
    }
    WindowDC screen(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

} // namespace tovimar::platform
