#include "core/TakenTimeFormats.h"

#include <algorithm>
#include <cstring>

namespace tovimar::taken {

namespace {

struct Text {
    char Bytes[24] = {};
    size_t Length = 0;
    bool Present = false;
};

struct ExifTags {
    Text Original, Digitized, SubSecOriginal, SubSecDigitized;
    uint32_t ExifIfd = 0;
    EmbeddedMetadata Embedded;
};

constexpr uint16_t TagExifIfd = 0x8769;
constexpr uint16_t TagDateTimeOriginal = 0x9003;
constexpr uint16_t TagDateTimeDigitized = 0x9004;
constexpr uint16_t TagSubSecOriginal = 0x9291;
constexpr uint16_t TagSubSecDigitized = 0x9292;
constexpr uint16_t TagXmp = 0x02BC, TagIptc = 0x83BB, TagPhotoshop = 0x8649;
constexpr uint16_t TypeByte = 1, TypeAscii = 2, TypeLong = 4, TypeUndefined = 7, TypeIfd = 13;

class Tiff {
public:
    Tiff(Reader &reader, Span span) : reader_(reader), span_(span) {}

    // The header: byte order, the magic number (raw variants included), IFD0's offset.
    bool Open(uint32_t &ifd0) {
        uint8_t h[8];
        if (!reader_.Copy(span_, 0, h, sizeof h)) return false;
        if (h[0] == 'I' && h[1] == 'I')
            little_ = true;
        else if (h[0] != 'M' || h[1] != 'M')
            return false;
        const uint16_t magic = U16(h + 2);
        // 42, and Olympus' "RO"/"RS" and Panasonic's 0x55 over the same layout.
        if (magic != 42 && magic != 0x4F52 && magic != 0x5352 && magic != 0x55) return false;
        ifd0 = U32(h + 4);
        return true;
    }

    // Reads the tags wanted from the IFD at offset; next is the following IFD's offset. False
    // when the table runs outside the span.
    bool Scan(uint32_t offset, ExifTags &tags, bool dates, uint32_t &next) {
        uint8_t b[12];
        if (!reader_.Copy(span_, offset, b, 2)) return false;
        const uint32_t count = U16(b);
        for (uint32_t i = 0; i < count; ++i) {
            if (!reader_.Copy(span_, offset + 2 + 12 * uint64_t(i), b, 12)) return false;
            const uint16_t tag = U16(b), type = U16(b + 2);
            const uint32_t n = U32(b + 4);
            if (tag == TagExifIfd && (type == TypeLong || type == TypeIfd) && n == 1) {
                if (!tags.ExifIfd) tags.ExifIfd = U32(b + 8);
            } else if (dates && tag == TagDateTimeOriginal) {
                Ascii(b, tags.Original);
            } else if (dates && tag == TagDateTimeDigitized) {
                Ascii(b, tags.Digitized);
            } else if (dates && tag == TagSubSecOriginal) {
                Ascii(b, tags.SubSecOriginal);
            } else if (dates && tag == TagSubSecDigitized) {
                Ascii(b, tags.SubSecDigitized);
            } else if (dates && tag == TagXmp) {
                Bytes(b, tags.Embedded.Xmp);
            } else if (dates && tag == TagIptc) {
                Bytes(b, tags.Embedded.Iptc);
            } else if (dates && tag == TagPhotoshop) {
                Bytes(b, tags.Embedded.Photoshop);
            }
        }
        if (!reader_.Copy(span_, offset + 2 + 12 * uint64_t(count), b, 4))
            next = 0;
        else
            next = U32(b);
        return true;
    }

private:
    uint16_t U16(const uint8_t *p) const { return little_ ? uint16_t(p[1] << 8 | p[0]) : Big16(p); }
    uint32_t U32(const uint8_t *p) const {
        return little_ ? uint32_t(U16(p + 2)) << 16 | U16(p) : Big32(p);
    }

    // The start of an ASCII value, when the whole of it lies inside the span.
    void Ascii(const uint8_t *entry, Text &text) {
        const uint32_t count = U32(entry + 4);
        if (U16(entry + 2) != TypeAscii || count == 0) return;
        Text t;
        t.Length = std::min<size_t>(count, sizeof t.Bytes);
        if (count <= 4) {
            std::memcpy(t.Bytes, entry + 8, t.Length);
        } else {
            const uint32_t at = U32(entry + 8);
            uint64_t end;
            if (!AddWithin(at, count, span_.Length(), end)) return;
            if (!reader_.Copy(span_, at, t.Bytes, t.Length)) return;
        }
        t.Present = true;
        text = t;
    }

    // Where a value of bytes (or of longs, as IPTC is often tagged) lies, when it is all inside
    // the span; values of 4 bytes or fewer are too small to hold what is wanted.
    void Bytes(const uint8_t *entry, Span &value) {
        const uint16_t type = U16(entry + 2);
        if (type != TypeByte && type != TypeUndefined && type != TypeLong && type != TypeAscii)
            return;
        const uint64_t length = uint64_t(U32(entry + 4)) * (type == TypeLong ? 4 : 1);
        uint64_t end;
        if (length <= 4 || !AddWithin(U32(entry + 8), length, span_.Length(), end)) return;
        value = {span_.Begin + U32(entry + 8), span_.Begin + end};
    }

    Reader &reader_;
    Span span_;
    bool little_ = false;
};

// "YYYY:MM:DD HH:MM:SS", with the fraction of a second as the digits of subSec.
std::optional<TakenTime> ParseExifDate(const Text &date, const Text &subSec) {
    if (!date.Present || date.Length < 19) return std::nullopt;
    const char *s = date.Bytes;
    if (s[4] != ':' || s[7] != ':' || s[10] != ' ' || s[13] != ':' || s[16] != ':')
        return std::nullopt;
    TakenTime t{Digits(s, 4),
                Digits(s + 5, 2),
                Digits(s + 8, 2),
                Digits(s + 11, 2),
                Digits(s + 14, 2),
                Digits(s + 17, 2),
                0,
                false};
    // "4" is 400 ms and "0421" 42 ms: the digits are a decimal fraction.
    if (subSec.Present) {
        int scale = 100;
        for (size_t i = 0; i < subSec.Length && scale > 0; ++i, scale /= 10) {
            const char c = subSec.Bytes[i];
            if (c < '0' || c > '9') break;
            t.Millisecond += (c - '0') * scale;
        }
    }
    if (!InRange(t)) return std::nullopt;
    return t;
}

} // namespace

std::optional<TakenTime> ReadExif(Reader &reader, Span span, EmbeddedMetadata *found) {
    Tiff tiff(reader, span);
    uint32_t ifd0;
    if (!tiff.Open(ifd0)) return std::nullopt;
    ExifTags tags;
    // IFD0 holds the Exif IFD's offset; TIFF/EP raw files may hold the dates there too. The
    // following IFDs are looked at only for a misplaced Exif offset.
    uint32_t seen[MaxIfds + 1] = {};
    int seenCount = 0;
    uint32_t offset = ifd0;
    for (int i = 0; i < MaxIfds && offset != 0 && !tags.ExifIfd; ++i) {
        if (std::find(seen, seen + seenCount, offset) != seen + seenCount) break; // a cycle
        seen[seenCount++] = offset;
        uint32_t next;
        if (!tiff.Scan(offset, tags, i == 0, next)) break;
        offset = next;
    }
    if (found) *found = tags.Embedded;
    if (tags.ExifIfd && std::find(seen, seen + seenCount, tags.ExifIfd) == seen + seenCount) {
        ExifTags exif;
        uint32_t next;
        if (tiff.Scan(tags.ExifIfd, exif, true, next)) {
            if (exif.Original.Present) tags.Original = exif.Original;
            if (exif.SubSecOriginal.Present) tags.SubSecOriginal = exif.SubSecOriginal;
            if (exif.Digitized.Present) tags.Digitized = exif.Digitized;
            if (exif.SubSecDigitized.Present) tags.SubSecDigitized = exif.SubSecDigitized;
        }
    }
    if (auto t = ParseExifDate(tags.Original, tags.SubSecOriginal)) return t;
    return ParseExifDate(tags.Digitized, tags.SubSecDigitized);
}

std::optional<TakenTime> ReadExifBlock(Reader &reader, Span span) {
    uint8_t id[6];
    if (reader.Copy(span, 0, id, 6) && std::memcmp(id, "Exif\0\0", 6) == 0) span.Begin += 6;
    return ReadExif(reader, span);
}

} // namespace tovimar::taken
