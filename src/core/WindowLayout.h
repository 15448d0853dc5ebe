// The window's sizes at 96 pixels per inch, their scaling to the display, the choice of the
// glyph's drawing, and where the window opens: at the cursor if asked, wider for long names if
// asked, on the screen. No Windows types: the rules are tested natively.
#pragma once

#include "core/Options.h"

#include <cstddef>
#include <span>

namespace tovimar {

// Where the window is created, before the settings or the cursor place it.
inline constexpr int DesignLeft = 336;
inline constexpr int DesignTop = 377;
// Outer size of the window; only the width can change.
inline constexpr int WindowHeight = 108;
// The width before any saved one is read, and the window's own size limit (a smaller width
// never reaches the screen), are the settings' default and limit: core/Options.h.

// The client area's width at the design size: controls that stretch keep their distance to
// its right edge.
inline constexpr int DesignClientWidth = 312;

// The extension box: rows of its open list, their height, and the closed box's height.
inline constexpr int ListRows = 6;
inline constexpr int ItemHeight = 15;
inline constexpr int ComboHeight = 23;

// The OK glyph's square cell at the design size, and the cells it is drawn for.
inline constexpr int GlyphCell = 18;
inline constexpr int GlyphCells[] = {GlyphCell, 23, 27, 36};

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
