#include "core/StatusText.h"

namespace tovimar {

std::string StatusLine(size_t nameBytes, size_t extensionBytes) {
    return "Tovimar v0.88  -  " + std::to_string(nameBytes) + "+" + std::to_string(extensionBytes) +
           " byte";
}

} // namespace tovimar
