// The title bar is the status line: version and the byte lengths of name and extension.
#pragma once

#include <cstddef>
#include <string>

namespace tovimar {

std::string StatusLine(size_t nameBytes, size_t extensionBytes);

} // namespace tovimar
