#include "platform/Graphics.h"

namespace tovimar::platform {

HIMAGELIST MakeButtonImages(HINSTANCE instance, UINT bitmapId, int cell) {
    const int width = 2 * cell, height = cell;
    Bitmap glyph(static_cast<HBITMAP>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, 0)));
    WindowDC screen(nullptr);
    if (!glyph || !screen) return nullptr;
    Bitmap painted(::CreateCompatibleBitmap(screen.Get(), width, height));
    if (!painted) return nullptr;
    {
        MemoryDC source(::CreateCompatibleDC(screen.Get()));
        MemoryDC target(::CreateCompatibleDC(screen.Get()));
        if (!source || !target) return nullptr;
        ScopedSelect sourceBitmap(source.Get(), glyph.Get());
        ScopedSelect targetBitmap(target.Get(), painted.Get());
        const COLORREF transparent = ::GetPixel(source.Get(), 0, height - 1);
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF c = ::GetPixel(source.Get(), x, y);
                ::SetPixelV(target.Get(), x, y, c == transparent ? face : c);
            }
        }
    }
    HIMAGELIST list = ::ImageList_Create(cell, cell, ILC_COLOR24, 6, 0);
    if (list == nullptr) return nullptr;
    // One image per button state: normal, hot, pressed, disabled, default, stylus. Added three
    // times as normal/disabled pairs, then hot and stylus get the normal image.
    for (int i = 0; i < 3; ++i)
        ::ImageList_Add(list, painted.Get(), nullptr);
    ::ImageList_Copy(list, 1, list, 0, ILCF_MOVE);
    ::ImageList_Copy(list, 5, list, 0, ILCF_MOVE);
    return list;
}

} // namespace tovimar::platform
