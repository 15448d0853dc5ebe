// The title bar is the status line: version and the byte lengths of name and extension.
#pragma once

#include <cstddef>
#include <string>

namespace tovimar {

// utf8: the counts are UTF-8 bytes, the name or the extension being outside the ANSI code page.
std::string StatusLine(size_t nameBytes, size_t extensionBytes, bool utf8 = false);

} // namespace tovimar
