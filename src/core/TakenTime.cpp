#include "core/TakenTime.h"

#include "core/Timestamp.h"

#include <algorithm>
#include <cstring>

namespace tovimar {

size_t MemoryByteSource::Read(uint64_t offset, void *buffer, size_t count) {
    if (offset >= bytes_.size()) return 0;
    const size_t n = std::min<uint64_t>(count, bytes_.size() - offset);
    std::memcpy(buffer, bytes_.data() + offset, n);
    return n;
}

namespace {

// Every walk over the file's own lists stops here, whatever the file claims.
constexpr int MaxSegments = 1024;
constexpr int MaxBoxes = 4096;
constexpr int MaxIfds = 4;
constexpr uint32_t MaxIlocSteps = 65536;

// A part of the file, in absolute offsets.
struct Span {
    uint64_t Begin = 0, End = 0;
    uint64_t Length() const { return End - Begin; }
};

uint16_t Big16(const uint8_t *p) {
    return uint16_t(p[0] << 8 | p[1]);
}
uint32_t Big32(const uint8_t *p) {
    return uint32_t(Big16(p)) << 16 | Big16(p + 2);
}
uint64_t Big64(const uint8_t *p) {
    return uint64_t(Big32(p)) << 32 | Big32(p + 4);
}

// a + b when the sum stays within limit.
bool AddWithin(uint64_t a, uint64_t b, uint64_t limit, uint64_t &sum) {
    if (a > limit || b > limit - a) return false;
    sum = a + b;
    return true;
}

// Small reads through one block cache, so that walking a table costs a few reads of the file
// rather than one per entry; never outside the span asked for.
class Reader {
public:
    explicit Reader(ByteSource &source) : source_(source), size_(source.Size()) {}
    Span File() const { return {0, size_}; }

    // The n bytes at offset at of span, when all of them lie inside it.
    bool Copy(Span span, uint64_t at, void *out, size_t n) {
        if (span.Begin > span.End || span.End > size_) return false;
        if (at > span.Length() || n > span.Length() - at) return false;
        if (n == 0) return true;
        const uint64_t where = span.Begin + at;
        const bool cached = where >= cacheAt_ && where - cacheAt_ <= cacheLength_ &&
                            n <= cacheLength_ - (where - cacheAt_);
        if (!cached) {
            if (n > sizeof cache_) return source_.Read(where, out, n) == n;
            const size_t want = size_t(std::min<uint64_t>(sizeof cache_, span.End - where));
            cacheLength_ = 0;
            if (source_.Read(where, cache_, want) != want) return false;
            cacheAt_ = where;
            cacheLength_ = want;
        }
        std::memcpy(out, cache_ + (where - cacheAt_), n);
        return true;
    }

private:
    ByteSource &source_;
    uint64_t size_;
    uint8_t cache_[512];
    uint64_t cacheAt_ = 0;
    size_t cacheLength_ = 0;
};

// Big-endian fields read one after another; once a read fails, every later one does.
class Cursor {
public:
    Cursor(Reader &reader, Span span) : reader_(reader), span_(span) {}
    bool Ok() const { return ok_; }
    uint64_t Take(size_t bytes) {
        uint8_t b[8] = {};
        if (!ok_ || bytes > 8 || !reader_.Copy(span_, at_, b, bytes)) {
            ok_ = false;
            return 0;
        }
        at_ += bytes;
        uint64_t value = 0;
        for (size_t i = 0; i < bytes; ++i)
            value = value << 8 | b[i];
        return value;
    }

private:
    Reader &reader_;
    Span span_;
    uint64_t at_ = 0;
    bool ok_ = true;
};

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : Days[m - 1];
}

bool InRange(const TakenTime &t) {
    return t.Year >= 1 && t.Year <= 9999 && t.Month >= 1 && t.Month <= 12 && t.Day >= 1 &&
           t.Day <= DaysInMonth(t.Year, t.Month) && t.Hour >= 0 && t.Hour < 24 && t.Minute >= 0 &&
           t.Minute < 60 && t.Second >= 0 && t.Second < 60 && t.Millisecond >= 0 &&
           t.Millisecond < 1000;
}

// ---- EXIF (TIFF structure) ----

struct Text {
    char Bytes[24] = {};
    size_t Length = 0;
    bool Present = false;
};

struct ExifTags {
    Text Original, Digitized, SubSecOriginal, SubSecDigitized;
    uint32_t ExifIfd = 0;
};

constexpr uint16_t TagExifIfd = 0x8769;
constexpr uint16_t TagDateTimeOriginal = 0x9003;
constexpr uint16_t TagDateTimeDigitized = 0x9004;
constexpr uint16_t TagSubSecOriginal = 0x9291;
constexpr uint16_t TagSubSecDigitized = 0x9292;
constexpr uint16_t TypeAscii = 2, TypeLong = 4, TypeIfd = 13;

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

    Reader &reader_;
    Span span_;
    bool little_ = false;
};

int Digits(const char *p, int n) {
    int value = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9') return -1;
        value = value * 10 + (p[i] - '0');
    }
    return value;
}

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

std::optional<TakenTime> ReadExif(Reader &reader, Span span) {
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

// ---- JPEG ----

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

// ---- ISO base media (HEIF, MP4, MOV) ----

struct Box {
    char Type[4] = {};
    Span Content;
    bool Is(const char *type) const { return std::memcmp(Type, type, 4) == 0; }
};

// The box at pos inside parent; a size of 0 runs to the parent's end.
bool ReadBox(Reader &reader, Span parent, uint64_t pos, Box &box) {
    uint8_t h[16];
    const Span rest{pos, parent.End};
    if (pos > parent.End || !reader.Copy(rest, 0, h, 8)) return false;
    uint64_t size = Big32(h), header = 8;
    if (size == 1) {
        if (!reader.Copy(rest, 8, h + 8, 8)) return false;
        size = Big64(h + 8);
        header = 16;
    } else if (size == 0) {
        size = rest.Length();
    }
    if (size < header || size > rest.Length()) return false;
    std::memcpy(box.Type, h + 4, 4);
    box.Content = {pos + header, pos + size};
    return true;
}

// The first child of the given type among the boxes from parent's start.
bool FindBox(Reader &reader, Span parent, const char *type, Box &found) {
    uint64_t pos = parent.Begin;
    for (int i = 0; i < MaxBoxes && pos < parent.End; ++i) {
        Box box;
        if (!ReadBox(reader, parent, pos, box)) return false;
        if (box.Is(type)) {
            found = box;
            return true;
        }
        pos = box.Content.End;
    }
    return false;
}

// The id of the item whose type is "Exif", from the item information box.
bool FindExifItem(Reader &reader, const Box &iinf, uint32_t &id) {
    Cursor c(reader, iinf.Content);
    const uint64_t version = c.Take(1);
    c.Take(3);
    c.Take(version == 0 ? 2 : 4); // the entry count: the boxes themselves are walked
    if (!c.Ok()) return false;
    uint64_t pos = iinf.Content.Begin + 4 + (version == 0 ? 2 : 4);
    for (int i = 0; i < MaxBoxes && pos < iinf.Content.End; ++i) {
        Box infe;
        if (!ReadBox(reader, iinf.Content, pos, infe)) return false;
        pos = infe.Content.End;
        if (!infe.Is("infe")) continue;
        Cursor e(reader, infe.Content);
        const uint64_t v = e.Take(1);
        e.Take(3);
        if (v < 2) continue; // no item type before version 2
        const uint64_t itemId = e.Take(v == 2 ? 2 : 4);
        e.Take(2);
        const uint64_t type = e.Take(4);
        if (e.Ok() && type == 0x45786966) { // "Exif"
            id = uint32_t(itemId);
            return true;
        }
    }
    return false;
}

// Where the item's first extent lies, from the item location box: in the file, or in idat.
bool FindItemData(Reader &reader, const Box &iloc, const Box *idat, uint32_t id, Span &data) {
    Cursor c(reader, iloc.Content);
    const uint64_t version = c.Take(1);
    c.Take(3);
    const uint64_t sizes = c.Take(1), sizes2 = c.Take(1);
    const size_t offsetSize = sizes >> 4, lengthSize = sizes & 15, baseSize = sizes2 >> 4;
    const size_t indexSize = version == 1 || version == 2 ? sizes2 & 15 : 0;
    for (size_t s : {offsetSize, lengthSize, baseSize, indexSize})
        if (s != 0 && s != 4 && s != 8) return false;
    if (version > 2) return false;
    const uint64_t items = c.Take(version < 2 ? 2 : 4);
    uint32_t steps = 0;
    for (uint64_t i = 0; i < items && c.Ok(); ++i) {
        const uint64_t itemId = c.Take(version < 2 ? 2 : 4);
        const uint64_t method = version >= 1 ? c.Take(2) & 15 : 0;
        c.Take(2); // data reference index
        const uint64_t base = c.Take(baseSize);
        const uint64_t extents = c.Take(2);
        uint64_t offset = 0, length = 0;
        for (uint64_t e = 0; e < extents && c.Ok(); ++e) {
            // Fields of size 0 take no bytes: only a count of steps bounds the walk.
            if (++steps > MaxIlocSteps) return false;
            c.Take(indexSize);
            const uint64_t o = c.Take(offsetSize), l = c.Take(lengthSize);
            if (e == 0) offset = o, length = l;
        }
        if (!c.Ok()) return false;
        if (itemId != id) continue;
        if (extents == 0) return false;
        Span container = reader.File();
        if (method == 1) {
            if (!idat) return false;
            container = idat->Content;
        } else if (method != 0) {
            return false;
        }
        uint64_t begin, end;
        if (!AddWithin(base, offset, container.Length(), begin)) return false;
        begin += container.Begin;
        if (length == 0)
            end = container.End; // to the end
        else if (!AddWithin(begin, length, container.End, end))
            return false;
        data = {begin, end};
        return true;
    }
    return false;
}

std::optional<TakenTime> ReadHeifExif(Reader &reader, const Box &meta) {
    // ISO's meta has a version and flags; QuickTime's starts straight with its children.
    uint8_t peek[8];
    Span children = meta.Content;
    if (!reader.Copy(children, 0, peek, 8)) return std::nullopt;
    if (std::memcmp(peek + 4, "hdlr", 4) != 0) children.Begin += 4;
    Box iinf, iloc, idat;
    if (!FindBox(reader, children, "iinf", iinf) || !FindBox(reader, children, "iloc", iloc))
        return std::nullopt;
    const bool hasIdat = FindBox(reader, children, "idat", idat);
    uint32_t id;
    Span data;
    if (!FindExifItem(reader, iinf, id) ||
        !FindItemData(reader, iloc, hasIdat ? &idat : nullptr, id, data))
        return std::nullopt;
    // The item starts with the offset of the TIFF header, which some writers leave at 0 before
    // an "Exif\0\0" prefix.
    uint8_t b[6];
    if (!reader.Copy(data, 0, b, 4)) return std::nullopt;
    uint64_t tiff;
    if (!AddWithin(4, Big32(b), data.Length(), tiff)) return std::nullopt;
    if (reader.Copy(data, tiff, b, 6) && std::memcmp(b, "Exif\0\0", 6) == 0) tiff += 6;
    return ReadExif(reader, {data.Begin + tiff, data.End});
}

// Seconds since 1904-01-01 00:00 UTC. Writers that know no date put 0 there, or the Unix
// epoch (a zero time converted from 1970).
std::optional<TakenTime> FromMovieTime(uint64_t seconds) {
    constexpr int64_t Day1904 = 1462;     // 1904-01-01 counted from 1899-12-30
    constexpr uint64_t LastDay = 2958465; // 9999-12-31
    constexpr uint64_t UnixEpoch = 2082844800;
    if (seconds == 0 || seconds == UnixEpoch || seconds / 86400 > LastDay - Day1904)
        return std::nullopt;
    const DateTimeParts p = DecodeDateTime(double(Day1904 + int64_t(seconds / 86400)) +
                                           double(seconds % 86400) / 86400);
    TakenTime t{p.Year, p.Month, p.Day, p.Hour, p.Minute, p.Second, 0, true};
    if (!InRange(t)) return std::nullopt;
    return t;
}

std::optional<TakenTime> ReadMovie(Reader &reader, const Box &moov) {
    Box mvhd;
    if (!FindBox(reader, moov.Content, "mvhd", mvhd)) return std::nullopt;
    Cursor c(reader, mvhd.Content);
    const uint64_t version = c.Take(1);
    c.Take(3);
    const uint64_t created = c.Take(version == 1 ? 8 : 4);
    if (!c.Ok() || version > 1) return std::nullopt;
    return FromMovieTime(created);
}

std::optional<TakenTime> ReadIsoMedia(Reader &reader) {
    Box meta, moov;
    bool hasMeta = false, hasMoov = false;
    const Span file = reader.File();
    uint64_t pos = 0;
    for (int i = 0; i < MaxBoxes && pos < file.End && !(hasMeta && hasMoov); ++i) {
        Box box;
        // A box cut short at the end (a partial download) hides only what it holds.
        if (!ReadBox(reader, file, pos, box)) break;
        if (!hasMeta && box.Is("meta")) meta = box, hasMeta = true;
        if (!hasMoov && box.Is("moov")) moov = box, hasMoov = true;
        pos = box.Content.End;
    }
    if (hasMeta)
        if (auto t = ReadHeifExif(reader, meta)) return t;
    if (hasMoov) return ReadMovie(reader, moov);
    return std::nullopt;
}

bool StartsIsoMedia(const uint8_t *h) {
    static constexpr const char *First[] = {"ftyp", "moov", "mdat", "free", "skip", "wide", "pnot"};
    for (const char *type : First)
        if (std::memcmp(h + 4, type, 4) == 0) return true;
    return false;
}

} // namespace

std::optional<TakenTime> ReadTakenTime(ByteSource &source) {
    Reader reader(source);
    uint8_t h[8];
    if (!reader.Copy(reader.File(), 0, h, sizeof h)) return std::nullopt;
    if (h[0] == 0xFF && h[1] == 0xD8) return ReadJpeg(reader);
    if ((h[0] == 'I' && h[1] == 'I') || (h[0] == 'M' && h[1] == 'M'))
        return ReadExif(reader, reader.File());
    if (StartsIsoMedia(h)) return ReadIsoMedia(reader);
    return std::nullopt;
}

} // namespace tovimar
