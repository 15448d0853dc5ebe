// The locale behind the date-time patterns, the local clock and the width mapping.
#pragma once

#include "core/TimeFormat.h"

#include <optional>
#include <string>
#include <string_view>

namespace tovimar::platform {

// Reads the locale texts and the lead-byte table for the thread locale and installs both.
void LoadLocaleValues();
// After a settings change: the thread locale goes back to the user's, then LoadLocaleValues.
void ReloadLocaleValues();
// The locale texts of the thread locale as they stand, without installing them.
LocaleFormats ReadSystemLocaleFormats();

// GetDateFormatA with the alternative calendar of the thread locale; nullopt when it fails.
std::optional<std::string> EraText(int year, int month, int day, std::string_view picture);
// GetLocalTime as a date-time value.
double CurrentLocalTime();

// The text in full-width (or half-width) forms by the user's locale; nullopt when the mapping
// fails, also when the result does not fit in 255 bytes.
std::optional<std::string> MapWidth(const std::string &text, bool fullWidth);
// The same for UTF-16 text (names outside the ANSI code page): what the ANSI code page holds
// and the Japanese width forms map, every other character stays itself; nullopt past 255
// UTF-16 units.
std::optional<std::wstring> MapWidth(const std::wstring &text, bool fullWidth);

} // namespace tovimar::platform
