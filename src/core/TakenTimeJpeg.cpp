#include "core/TakenTimeFormats.h"

#include <cstring>
#include <string_view>

namespace tovimar::taken {

constexpr std::string_view XmpId{"http://ns.adobe.com/xap/1.0/\0", 29};
constexpr std::string_view PhotoshopId{"Photoshop 3.0\0", 14};

std::optional<TakenTime> ReadJpeg(Reader &reader, Span jpeg) {
    uint8_t m[4];
    if (!reader.Copy(jpeg, 0, m, 2) || m[0] != 0xFF || m[1] != 0xD8) return std::nullopt;
    uint64_t pos = 2; // from the start of the image
    EmbeddedMetadata found;
    for (int step = 0; step < MaxSegments; ++step) {
        if (!reader.Copy(jpeg, pos, m, 2) || m[0] != 0xFF) break;
        const uint8_t marker = m[1];
        if (marker == 0xFF) { // fill byte
            ++pos;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA) break; // the image data begins
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            pos += 2;
            continue;
        }
        if (!reader.Copy(jpeg, pos + 2, m + 2, 2)) break;
        const uint16_t length = Big16(m + 2);
        if (length < 2) break;
        const Span segment{jpeg.Begin + pos + 4, jpeg.Begin + pos + 2 + length};
        char id[XmpId.size()];
        const bool app1 = marker == 0xE1, app13 = marker == 0xED;
        if (app1 && reader.Copy(segment, 0, id, 6) && std::memcmp(id, "Exif\0\0", 6) == 0) {
            if (auto t = ReadExif(reader, {segment.Begin + 6, segment.End})) return t;
        } else if (app1 && !found.Xmp.Length() && reader.Copy(segment, 0, id, sizeof id) &&
                   std::string_view(id, sizeof id) == XmpId) {
            found.Xmp = {segment.Begin + sizeof id, segment.End};
        } else if (app13 && !found.Photoshop.Length() &&
                   reader.Copy(segment, 0, id, PhotoshopId.size()) &&
                   std::string_view(id, PhotoshopId.size()) == PhotoshopId) {
            found.Photoshop = {segment.Begin + PhotoshopId.size(), segment.End};
        }
        pos += 2 + length;
    }
    // What came before a damaged part still counts.
    return ReadEmbeddedDate(reader, found);
}

bool StartsRaf(const uint8_t *h) {
    return std::memcmp(h, "FUJIFILM", 8) == 0;
}

// Fujifilm's RAF: a big-endian header whose offset 84 gives where the embedded JPEG lies.
std::optional<TakenTime> ReadRaf(Reader &reader) {
    uint8_t h[92];
    if (!reader.Copy(reader.File(), 0, h, sizeof h) || std::memcmp(h, "FUJIFILMCCD-RAW ", 16) != 0)
        return std::nullopt;
    const uint64_t at = Big32(h + 84);
    uint64_t end;
    if (!AddWithin(at, Big32(h + 88), reader.File().End, end)) return std::nullopt;
    return ReadJpeg(reader, {at, end});
}

} // namespace tovimar::taken
