#include "core/TakenTime.h"

namespace tovimar {

std::optional<TakenTime> ReadTakenTime(ByteSource &) {
    return std::nullopt;
}

} // namespace tovimar
