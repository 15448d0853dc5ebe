#include "core/WindowLayout.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tovimar {

namespace {

// Settings values may be anything: work in 64 bits, hand back what fits an int.
int ToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max()));
}

int64_t Scaled(int64_t length, int dpi) {
    return (length * dpi + (length < 0 ? -48 : 48)) / 96;
}

} // namespace

int ScaleToDpi(int length, int dpi) {
    return ToInt(Scaled(length, dpi));
}

size_t PickImageSize(std::span<const int> cells, int wanted) {
    size_t pick = 0;
    for (size_t i = 1; i < cells.size(); ++i) {
        const bool fits = cells[i] >= wanted;
        const bool pickFits = cells[pick] >= wanted;
        if (fits ? !pickFits || cells[i] < cells[pick] : !pickFits && cells[i] > cells[pick])
            pick = i;
    }
    return pick;
}

Placement PlaceWindow(const PlacementInput &input) {
    const int dpi = input.Dpi > 0 ? input.Dpi : 96;
    // The width the window really takes when asked for w.
    const auto Sized = [&](int64_t w) {
        return std::max<int64_t>(w, Scaled(MinimumWindowWidth, dpi));
    };
    int64_t left = input.Left;
    int64_t top = input.Top;
    int64_t width = Sized(input.Width);
    const int64_t height = input.Height;
    Placement result;

    if (input.AtCursor) {
        // Integer division truncates toward zero, as the placement rule wants.
        left = input.CursorX - width / 2;
        top = input.CursorY - height / 2;
    }

    if (input.VariableWidth) {
        const int64_t wanted = Scaled(
            static_cast<int64_t>(std::min<size_t>(input.NameBytes, 1u << 24) / 2) * 16 + 48, dpi);
        if (wanted > width) {
            width = wanted;
            result.SelectName = true;
        }
    }

    const int64_t screenWidth = input.ScreenWidth;
    const int64_t screenHeight = input.ScreenHeight;
    if (screenWidth < width) width = Sized(screenWidth);
    if (left + width >= screenWidth) left = screenWidth - width;
    if (top + height >= screenHeight) top = screenHeight - height;
    if (left < 0) left = 0;
    if (top < 0) top = 0;

    result.Left = ToInt(left);
    result.Top = ToInt(top);
    result.Width = ToInt(width);
    return result;
}

} // namespace tovimar
