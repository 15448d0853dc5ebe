#include "core/TakenTime.h"

#include "core/TakenTimeFormats.h"

#include <algorithm>
#include <cstring>

namespace tovimar {

size_t MemoryByteSource::Read(uint64_t offset, void *buffer, size_t count) {
    if (offset >= bytes_.size()) return 0;
    const size_t n = std::min<uint64_t>(count, bytes_.size() - offset);
    std::memcpy(buffer, bytes_.data() + offset, n);
    return n;
}

namespace taken {

bool Reader::Copy(Span span, uint64_t at, void *out, size_t n) {
    if (span.Begin > span.End || span.End > size_) return false;
    if (at > span.Length() || n > span.Length() - at) return false;
    if (n == 0) return true;
    const uint64_t where = span.Begin + at;
    const bool cached = where >= cacheAt_ && where - cacheAt_ <= cacheLength_ &&
                        n <= cacheLength_ - (where - cacheAt_);
    if (!cached) {
        if (n > CacheSize) return source_.Read(where, out, n) == n;
        const size_t want = size_t(std::min<uint64_t>(CacheSize, span.End - where));
        cacheLength_ = 0;
        if (source_.Read(where, cache_, want) != want) return false;
        cacheAt_ = where;
        cacheLength_ = want;
    }
    std::memcpy(out, cache_ + (where - cacheAt_), n);
    return true;
}

uint64_t Cursor::Take(size_t bytes) {
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

namespace {

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : Days[m - 1];
}

} // namespace

bool InRange(const TakenTime &t) {
    return t.Year >= 1 && t.Year <= 9999 && t.Month >= 1 && t.Month <= 12 && t.Day >= 1 &&
           t.Day <= DaysInMonth(t.Year, t.Month) && t.Hour >= 0 && t.Hour < 24 && t.Minute >= 0 &&
           t.Minute < 60 && t.Second >= 0 && t.Second < 60 && t.Millisecond >= 0 &&
           t.Millisecond < 1000;
}

} // namespace taken

std::optional<TakenTime> ReadTakenTime(ByteSource &source) {
    using namespace taken;
    Reader reader(source);
    uint8_t h[8];
    if (!reader.Copy(reader.File(), 0, h, sizeof h)) return std::nullopt;
    if (h[0] == 0xFF && h[1] == 0xD8) return ReadJpeg(reader, reader.File());
    if ((h[0] == 'I' && h[1] == 'I') || (h[0] == 'M' && h[1] == 'M')) {
        EmbeddedMetadata found;
        if (auto t = ReadExif(reader, reader.File(), &found)) return t;
        return ReadEmbeddedDate(reader, found);
    }
    if (StartsIsoMedia(h)) return ReadIsoMedia(reader);
    if (StartsRaf(h)) return ReadRaf(reader);
    if (StartsPng(h)) return ReadPng(reader);
    if (StartsRiff(h)) return ReadRiff(reader);
    if (StartsMatroska(h)) return ReadMatroska(reader);
    return std::nullopt;
}

} // namespace tovimar
