// The two web addresses the Help menu opens. They are chosen when the program is built
// (TOVIMAR_HELP_URL, TOVIMAR_HOME_URL); an empty one means there is none to open.
#pragma once

#include <string_view>

#ifndef TOVIMAR_HELP_URL
#define TOVIMAR_HELP_URL ""
#endif
#ifndef TOVIMAR_HOME_URL
#define TOVIMAR_HOME_URL ""
#endif

namespace tovimar::app {

// The manual online, opened by the help command when no manual lies beside the program.
inline constexpr std::string_view OnlineHelpAddress = TOVIMAR_HELP_URL;
// The maker's home page.
inline constexpr std::string_view HomePageAddress = TOVIMAR_HOME_URL;

} // namespace tovimar::app
