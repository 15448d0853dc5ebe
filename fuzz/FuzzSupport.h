// What every fuzz target shares: a property check that stops the run, and the lead-byte table
// chosen by one input byte.
#pragma once

#include "core/DoubleByte.h"

#include <cstdint>
#include <cstdlib>

namespace fuzz {

// A broken property is a finding: abort, so that libFuzzer keeps the input.
inline void Check(bool condition) {
    if (!condition) std::abort();
}

// The low bit of selector picks single-byte mode or code page 932's lead bytes.
inline void UseTableOf(uint8_t selector) {
    using namespace tovimar;
    SetDoubleByteTable((selector & 1) ? DoubleByteTable{} : ShiftJisTable());
}

} // namespace fuzz
