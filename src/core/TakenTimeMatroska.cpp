#include "core/TakenTimeFormats.h"

#include "core/TimeFormat.h"

namespace tovimar::taken {

namespace {

constexpr uint32_t IdEbml = 0x1A45DFA3, IdSegment = 0x18538067, IdInfo = 0x1549A966,
                   IdSeekHead = 0x114D9B74, IdSeek = 0x4DBB, IdSeekId = 0x53AB,
                   IdSeekPosition = 0x53AC, IdDateUtc = 0x4461;
// Info comes before the clusters; when it does not, the seek head says where it is.
constexpr int MaxElements = 256;

// An EBML number of 1 to 8 bytes, its length told by the first byte's leading zeros. keepMarker
// for element ids, which are written with it; allOnes is set for a size of "unknown".
bool ReadNumber(Reader &reader, Span parent, uint64_t &pos, bool keepMarker, uint64_t &value,
                bool &allOnes) {
    uint8_t b[8];
    if (!reader.Copy(parent, pos - parent.Begin, b, 1) || b[0] == 0) return false;
    size_t length = 1;
    while (!(b[0] & (0x80 >> (length - 1))))
        ++length;
    if (!reader.Copy(parent, pos - parent.Begin + 1, b + 1, length - 1)) return false;
    const uint8_t first = keepMarker ? b[0] : uint8_t(b[0] & (0xFF >> length));
    value = first;
    allOnes = first == (0xFF >> length);
    for (size_t i = 1; i < length; ++i) {
        value = value << 8 | b[i];
        allOnes = allOnes && b[i] == 0xFF;
    }
    pos += length;
    return true;
}

struct Element {
    uint64_t Id = 0;
    Span Content;
    bool SizeUnknown = false; // runs to the parent's end: nothing after it can be found
};

bool ReadElement(Reader &reader, Span parent, uint64_t pos, Element &element) {
    uint64_t size;
    bool unused;
    if (pos < parent.Begin || !ReadNumber(reader, parent, pos, true, element.Id, unused) ||
        !ReadNumber(reader, parent, pos, false, size, element.SizeUnknown))
        return false;
    uint64_t end = parent.End;
    if (!element.SizeUnknown && !AddWithin(pos, size, parent.End, end)) return false;
    element.Content = {pos, end};
    return true;
}

uint64_t UnsignedValue(Reader &reader, const Element &element) {
    uint8_t b[8];
    const size_t n = size_t(element.Content.Length());
    if (n > 8 || !reader.Copy(element.Content, 0, b, n)) return 0;
    uint64_t value = 0;
    for (size_t i = 0; i < n; ++i)
        value = value << 8 | b[i];
    return value;
}

// DateUTC: a signed count of nanoseconds since 2001-01-01 00:00 UTC.
std::optional<TakenTime> ReadDateUtc(Reader &reader, Span info) {
    Element element;
    uint64_t pos = info.Begin;
    for (int i = 0; i < MaxElements && pos < info.End; ++i, pos = element.Content.End) {
        if (!ReadElement(reader, info, pos, element) || element.SizeUnknown) break;
        if (element.Id != IdDateUtc) continue;
        if (element.Content.Length() != 8) break;
        const int64_t ns = int64_t(UnsignedValue(reader, element));
        constexpr int64_t Day2001 = 36892, NsPerMs = 1000000, MsPerDay = 86400000;
        int64_t ms = ns / NsPerMs - (ns % NsPerMs < 0 ? 1 : 0);
        int64_t days = ms / MsPerDay;
        ms %= MsPerDay;
        if (ms < 0) ms += MsPerDay, --days;
        // The date from whole days alone: before 1899 a value's fraction would count backwards.
        const DateTimeParts p = DecodeDateTime(double(Day2001 + days));
        const int msOfDay = int(ms);
        TakenTime t{p.Year,
                    p.Month,
                    p.Day,
                    msOfDay / 3600000,
                    msOfDay / 60000 % 60,
                    msOfDay / 1000 % 60,
                    msOfDay % 1000,
                    true};
        if (!InRange(t)) return std::nullopt;
        return t;
    }
    return std::nullopt;
}

// Where the seek head says Info starts, counted from the segment's content.
bool SeekInfo(Reader &reader, Span seekHead, uint64_t &position) {
    Element seek;
    uint64_t pos = seekHead.Begin;
    for (int i = 0; i < MaxElements && pos < seekHead.End; ++i, pos = seek.Content.End) {
        if (!ReadElement(reader, seekHead, pos, seek) || seek.SizeUnknown) return false;
        if (seek.Id != IdSeek) continue;
        uint64_t id = 0, at = 0;
        bool hasAt = false;
        Element field;
        for (uint64_t p = seek.Content.Begin; p < seek.Content.End; p = field.Content.End) {
            if (!ReadElement(reader, seek.Content, p, field) || field.SizeUnknown) return false;
            if (field.Id == IdSeekId) id = UnsignedValue(reader, field);
            if (field.Id == IdSeekPosition) at = UnsignedValue(reader, field), hasAt = true;
        }
        if (id == IdInfo && hasAt) {
            position = at;
            return true;
        }
    }
    return false;
}

} // namespace

bool StartsMatroska(const uint8_t *h) {
    return Big32(h) == IdEbml;
}

std::optional<TakenTime> ReadMatroska(Reader &reader) {
    const Span file = reader.File();
    Element element;
    uint64_t pos = 0;
    bool inSegment = false;
    Span segment;
    std::optional<uint64_t> seekInfo;
    for (int i = 0; i < MaxElements && pos < file.End; ++i) {
        if (!ReadElement(reader, inSegment ? segment : file, pos, element)) break;
        if (element.Id == IdInfo) return ReadDateUtc(reader, element.Content);
        if (element.Id == IdSegment && !inSegment) {
            segment = element.Content; // a live recording leaves its size unknown
            inSegment = true;
            pos = segment.Begin;
            continue;
        }
        uint64_t at;
        if (element.Id == IdSeekHead && inSegment && !seekInfo &&
            SeekInfo(reader, element.Content, at))
            seekInfo = at;
        // A cluster of unknown size hides what follows; the seek head may still say where Info is.
        if (element.SizeUnknown) break;
        pos = element.Content.End;
    }
    uint64_t at;
    if (!seekInfo || !AddWithin(segment.Begin, *seekInfo, segment.End, at) ||
        !ReadElement(reader, segment, at, element) || element.Id != IdInfo)
        return std::nullopt;
    return ReadDateUtc(reader, element.Content);
}

} // namespace tovimar::taken
