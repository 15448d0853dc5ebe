#include "core/TakenTimeFormats.h"

#include <cstring>

namespace tovimar::taken {

std::optional<TakenTime> ReadJpeg(Reader &reader) {
    const Span file = reader.File();
    uint64_t pos = 2;
    for (int step = 0; step < MaxSegments; ++step) {
        uint8_t m[4];
        if (!reader.Copy(file, pos, m, 2) || m[0] != 0xFF) return std::nullopt;
        const uint8_t marker = m[1];
        if (marker == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) return std::nullopt; // the image data begins
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            pos += 2;
            continue;
        }
        if (!reader.Copy(file, pos + 2, m + 2, 2)) return std::nullopt;
        const uint16_t length = Big16(m + 2);
        if (length < 2) return std::nullopt;
        const Span segment{pos + 4, pos + 2 + length};
        uint8_t id[6];
        if (marker == 0xE1 && reader.Copy(segment, 0, id, 6) &&
            std::memcmp(id, "Exif\0\0", 6) == 0) {
            if (auto t = ReadExif(reader, {segment.Begin + 6, segment.End})) return t;
        }
        pos = segment.End;
    }
    return std::nullopt;
}

} // namespace tovimar::taken
