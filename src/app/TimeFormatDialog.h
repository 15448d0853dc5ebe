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

// Modal over owner; the pattern chosen with OK, nullopt after Cancel.
std::optional<std::string> EditTimeFormat(HWND owner, const std::string &pattern,
                                          const PreviewDates &dates);

} // namespace tovimar::app
