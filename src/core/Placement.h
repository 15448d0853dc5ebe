// Where the window opens: at the cursor if asked, wider for long names if asked, on the screen.
#pragma once

#include <cstddef>
#include <span>

namespace tovimar {

inline constexpr int WindowHeight = 108;
// The width before any saved one is read, and the saved width's default.
inline constexpr int DesignWindowWidth = 320;
// The window's own size limit; a smaller width never reaches the screen.
inline constexpr int MinimumWindowWidth = 300;

struct PlacementInput {
    int Left = 0;
    int Top = 0;
    int Width = DesignWindowWidth;
    int Height = WindowHeight;
    bool AtCursor = false;
    int CursorX = 0;
    int CursorY = 0;
    bool VariableWidth = false;
    size_t NameBytes = 0;
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    // Pixels per inch of the display: the sizes above are for 96 and grow with it.
    int Dpi = 96;
};

struct Placement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    bool SelectName = false; // the window grew for the name: select it all
};

Placement PlaceWindow(const PlacementInput &input);

// A length of the 96-pixels-per-inch design on a display of dpi pixels per inch, rounded.
int ScaleToDpi(int length, int dpi);

// Of images drawn for square cells of the given sizes, the one to show in a cell of wanted
// pixels: the smallest at least as large (shrinking keeps a mark sharp, stretching blurs its
// steps), else the largest. Its index; 0 when there is none.
size_t PickImageSize(std::span<const int> cells, int wanted);

} // namespace tovimar
