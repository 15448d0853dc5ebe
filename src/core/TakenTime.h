#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tovimar {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    virtual size_t Read(uint64_t offset, void *buffer, size_t count) = 0;
};

struct TakenTime {
    int Year, Month, Day, Hour, Minute, Second, Millisecond;
    bool Utc;
};

std::optional<TakenTime> ReadTakenTime(ByteSource &source);

} // namespace tovimar
