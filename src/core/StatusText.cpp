#include "core/StatusText.h"

#include "Version.h"

namespace tovimar {

std::string StatusLine(size_t nameBytes, size_t extensionBytes, bool utf8) {
    return "Tovimar v" TOVIMAR_VERSION "  -  " + std::to_string(int64_t(nameBytes)) + "+" +
           std::to_string(int64_t(extensionBytes)) + " byte" + (utf8 ? " (UTF-8)" : "");
}

} // namespace tovimar
