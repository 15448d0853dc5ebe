#include "platform/Graphics.h"

#include "core/WindowLayout.h"

#include "WinTestSupport.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <vector>

namespace tovimar::platform {
namespace {

constexpr ButtonArt Drawn[] = {{18, IDB_OK}, {27, IDB_OK27}, {36, IDB_OK36}};
constexpr int DrawnCells[] = {18, 27, 36};

// The cell x cell pixels (0x00RRGGBB) that paint leaves at the origin of a blank bitmap.
template <typename Paint> std::vector<DWORD> Painted(int cell, Paint paint) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), cell, -cell, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void *bits = nullptr;
    MemoryDC dc(::CreateCompatibleDC(nullptr));
    Bitmap target(::CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!target) return {};
    {
        ScopedSelect select(dc.Get(), target.Get());
        paint(dc.Get());
        ::GdiFlush();
    }
    const auto *first = static_cast<const DWORD *>(bits);
    return std::vector<DWORD>(first, first + cell * cell);
}

// The normal (left) image of a bitmap resource loaded with cells of loadCell pixels.
std::vector<DWORD> ArtImage(HMODULE module, UINT id, int loadCell) {
    Bitmap art(static_cast<HBITMAP>(::LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP,
                                                 2 * loadCell, loadCell, LR_LOADMAP3DCOLORS)));
    return Painted(loadCell, [&](HDC dc) {
        MemoryDC source(::CreateCompatibleDC(dc));
        ScopedSelect select(source.Get(), art.Get());
        ::BitBlt(dc, 0, 0, loadCell, loadCell, source.Get(), 0, 0, SRCCOPY);
    });
}

TEST(ButtonImages, EachSizeComesFromItsOwnDrawing) {
    // The program's own bitmaps.
    const std::string exe = wintest::HelperPath("..\\Tovimar.exe");
    HMODULE module = ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << exe;
    const struct {
        int Cell;
        UINT Expected;
    } rows[] = {{18, IDB_OK}, {27, IDB_OK27}, {36, IDB_OK36}};
    for (const auto &row : rows) {
        ImageList list(
            LoadButtonImages(module, Drawn[PickImageSize(DrawnCells, row.Cell)], row.Cell));
        ASSERT_TRUE(list) << row.Cell;
        int width = 0, height = 0;
        ::ImageList_GetIconSize(list.Get(), &width, &height);
        EXPECT_EQ(width, row.Cell);
        EXPECT_EQ(height, row.Cell);
        const std::vector<DWORD> shown = Painted(
            row.Cell, [&](HDC dc) { ::ImageList_Draw(list.Get(), 0, dc, 0, 0, ILD_NORMAL); });
        EXPECT_EQ(shown, ArtImage(module, row.Expected, row.Cell)) << row.Cell;
        // Not the same as the small drawing stretched: the comparison above tells them apart.
        if (row.Expected != IDB_OK) {
            EXPECT_NE(shown, ArtImage(module, IDB_OK, row.Cell));
        }
    }
    ::FreeLibrary(module);
}

} // namespace
} // namespace tovimar::platform
