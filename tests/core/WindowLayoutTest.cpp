#include "core/WindowLayout.h"

#include <gtest/gtest.h>

#include <climits>

namespace tovimar {
namespace {

PlacementInput Saved(int left, int top, int width) {
    PlacementInput input;
    input.Left = left;
    input.Top = top;
    input.Width = width;
    input.ScreenWidth = 1920;
    input.ScreenHeight = 1080;
    return input;
}

PlacementInput AtCursor(PlacementInput input, int x, int y) {
    input.AtCursor = true;
    input.CursorX = x;
    input.CursorY = y;
    return input;
}

PlacementInput ForName(PlacementInput input, size_t bytes) {
    input.VariableWidth = true;
    input.NameBytes = bytes;
    return input;
}

PlacementInput OnScreen(PlacementInput input, int width, int height) {
    input.ScreenWidth = width;
    input.ScreenHeight = height;
    return input;
}

PlacementInput AtDpi(PlacementInput input, int dpi) {
    input.Dpi = dpi;
    return input;
}

TEST(Placement, Table) {
    const struct {
        const char *Case;
        PlacementInput Input;
        Placement Expected;
    } rows[] = {
        {"saved place kept", Saved(100, 200, 320), {100, 200, 320, false}},
        {"at the cursor", AtCursor(Saved(0, 0, 320), 500, 400), {340, 346, 320, false}},
        {"odd width halves toward zero",
         AtCursor(Saved(0, 0, 301), 501, 400),
         {351, 346, 301, false}},
        {"cursor near the bottom-right corner",
         AtCursor(Saved(0, 0, 320), 1910, 1075),
         {1600, 972, 320, false}},
        {"cursor at the top-left corner", AtCursor(Saved(500, 500, 320), 3, 3), {0, 0, 320, false}},
        {"cursor left of the primary screen",
         AtCursor(Saved(0, 0, 320), -101, -7),
         {0, 0, 320, false}},
        {"40-byte name widens", ForName(Saved(10, 10, 320), 40), {10, 10, 368, true}},
        {"41-byte name widens the same", ForName(Saved(10, 10, 320), 41), {10, 10, 368, true}},
        {"5-byte name leaves the width", ForName(Saved(10, 10, 320), 5), {10, 10, 320, false}},
        {"exactly the width is no growth", ForName(Saved(10, 10, 320), 34), {10, 10, 320, false}},
        {"option off ignores a long name", Saved(10, 10, 320), {10, 10, 320, false}},
        {"cursor uses the width before growing",
         AtCursor(ForName(Saved(0, 0, 320), 40), 500, 400),
         {340, 346, 368, true}},
        {"growth pushed back from the right edge",
         ForName(Saved(1700, 10, 320), 40),
         {1552, 10, 368, true}},
        {"huge name takes the screen", ForName(Saved(50, 10, 320), 1000000), {0, 10, 1920, true}},
        {"left -50 comes back", Saved(-50, 20, 320), {0, 20, 320, false}},
        {"right edge one pixel inside stays", Saved(1599, 971, 320), {1599, 971, 320, false}},
        {"right edge on the screen edge", Saved(1600, 972, 320), {1600, 972, 320, false}},
        {"right edge past the screen", Saved(1700, 1000, 320), {1600, 972, 320, false}},
        {"wider than the screen", Saved(300, 0, 2500), {0, 0, 1920, false}},
        {"saved width below the limit", Saved(0, 0, 100), {0, 0, 300, false}},
        {"screen narrower than the limit",
         OnScreen(Saved(40, 40, 320), 200, 100),
         {0, 0, 300, false}},
        {"damaged settings", Saved(INT_MAX, INT_MIN, INT_MAX), {0, 0, 1920, false}},
        {"damaged settings at the cursor",
         AtCursor(Saved(INT_MIN, INT_MAX, INT_MIN), 10, 10),
         {0, 0, 300, false}},
        {"144 dpi: the limit grows", AtDpi(Saved(0, 0, 320), 144), {0, 0, 450, false}},
        {"144 dpi: a long name's width grows",
         AtDpi(ForName(Saved(10, 10, 480), 40), 144),
         {10, 10, 552, true}},
        {"144 dpi: the design width is no growth",
         AtDpi(ForName(Saved(10, 10, 480), 40 * 480 / 552), 144),
         {10, 10, 480, false}},
        {"no dpi counts as 96", AtDpi(Saved(0, 0, 100), 0), {0, 0, 300, false}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Case);
        const Placement placed = PlaceWindow(row.Input);
        EXPECT_EQ(placed.Left, row.Expected.Left);
        EXPECT_EQ(placed.Top, row.Expected.Top);
        EXPECT_EQ(placed.Width, row.Expected.Width);
        EXPECT_EQ(placed.SelectName, row.Expected.SelectName);
    }
}

TEST(ScaleToDpi, Table) {
    const struct {
        int Length, Dpi, Expected;
    } rows[] = {
        {320, 96, 320}, {108, 96, 108}, {320, 144, 480}, {108, 144, 162},
        {15, 144, 23},  {12, 120, 15},  {-10, 144, -15}, {INT_MAX, 192, INT_MAX},
    };
    for (const auto &row : rows)
        EXPECT_EQ(ScaleToDpi(row.Length, row.Dpi), row.Expected) << row.Length << " @ " << row.Dpi;
}

TEST(PickImageSize, Table) {
    const int drawn[] = {18, 36, 23, 27};
    const struct {
        int Wanted;
        size_t Expected;
    } rows[] = {
        {18, 0}, {12, 0}, {20, 2}, {23, 2}, {24, 3}, {27, 3}, {32, 1}, {36, 1}, {45, 1},
    };
    for (const auto &row : rows)
        EXPECT_EQ(PickImageSize(drawn, row.Wanted), row.Expected) << row.Wanted;
    EXPECT_EQ(PickImageSize({}, 18), 0u);
}

} // namespace
} // namespace tovimar
