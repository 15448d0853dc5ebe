// The dates an entry carries: when it was last written and, read from its contents, when the
// photo or video in it was taken. Both as local date-time values.
#pragma once

#include <optional>
#include <string>

namespace tovimar::platform {

// Files and folders alike; nullopt when the entry cannot be reached.
std::optional<double> LastWriteLocalTime(const std::wstring &path);
struct TakenRead {
    std::optional<double> Time; // nullopt when the file holds no such date or was not read
    bool Unreadable = false;    // the file could not be opened or read
};
// The file is closed again before this returns.
TakenRead TakenLocalTime(const std::wstring &path);

} // namespace tovimar::platform
