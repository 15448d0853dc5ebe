// How many bytes the name field and the extension box take, typed or pasted.
#pragma once

#include <cstddef>

namespace tovimar {

inline constexpr size_t NameByteLimit = 160;
inline constexpr size_t ExtensionByteLimit = 16;

} // namespace tovimar
