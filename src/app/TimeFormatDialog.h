// The date format dialog: the pattern with a live preview over the dates at hand.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tovimar::app {

// The dates the preview shows besides now; nullopt where the target has none.
struct PreviewDates {
    std::optional<double> Modified;
    std::optional<double> Taken;
};

// Modal over owner, in font (the window's); the pattern chosen with OK, nullopt after Cancel.
// OK keeps only a pattern the settings file gives back as it is.
std::optional<std::string> EditTimeFormat(HWND owner, HFONT font, const std::string &pattern,
                                          const PreviewDates &dates);

} // namespace tovimar::app
