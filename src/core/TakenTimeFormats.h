// The container readers behind ReadTakenTime, one file each, and the bounded reading they share.
#pragma once

#include "core/TakenTime.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tovimar::taken {

// Every walk over the file's own lists stops here, whatever the file claims.
constexpr int MaxSegments = 1024;
constexpr int MaxBoxes = 4096;
constexpr int MaxIfds = 4;
constexpr uint32_t MaxIlocSteps = 65536;
// Walks that may cross a large file, one read per step.
constexpr int MaxChunks = 512;

// A part of the file, in absolute offsets.
struct Span {
    uint64_t Begin = 0, End = 0;
    uint64_t Length() const { return End - Begin; }
};

inline uint16_t Big16(const uint8_t *p) {
    return uint16_t(p[0] << 8 | p[1]);
}
inline uint32_t Big32(const uint8_t *p) {
    return uint32_t(Big16(p)) << 16 | Big16(p + 2);
}
inline uint64_t Big64(const uint8_t *p) {
    return uint64_t(Big32(p)) << 32 | Big32(p + 4);
}

// a + b when the sum stays within limit.
inline bool AddWithin(uint64_t a, uint64_t b, uint64_t limit, uint64_t &sum) {
    if (a > limit || b > limit - a) return false;
    sum = a + b;
    return true;
}

// Small reads through one block cache, so that walking a table costs a few reads of the file
// rather than one per entry; never outside the span asked for. Under Wine a read costs 26 us or
// more and a larger block more again, so walks across a file are capped at 512 reads.
class Reader {
public:
    explicit Reader(ByteSource &source) : source_(source), size_(source.Size()) {}
    Span File() const { return {0, size_}; }

    // The n bytes at offset at of span, when all of them lie inside it.
    bool Copy(Span span, uint64_t at, void *out, size_t n);

private:
    static constexpr size_t CacheSize = 512;
    ByteSource &source_;
    uint64_t size_;
    uint8_t cache_[CacheSize];
    uint64_t cacheAt_ = 0;
    size_t cacheLength_ = 0;
};

// Big-endian fields read one after another; once a read fails, every later one does.
class Cursor {
public:
    Cursor(Reader &reader, Span span) : reader_(reader), span_(span) {}
    bool Ok() const { return ok_; }
    uint64_t Take(size_t bytes);

private:
    Reader &reader_;
    Span span_;
    uint64_t at_ = 0;
    bool ok_ = true;
};

// Every field in range, the day one the month has.
bool InRange(const TakenTime &t);

// The value of n decimal digits, or -1 when one of them is not a digit.
int Digits(const char *p, int n);

// "2019-02-12T15:27:12.5+08:00", "2003:03:10 15:04:43", "2003/03/10 15:04": the wall clock as
// written, any zone or offset after it ignored. Seconds may be left out, the time of day not.
std::optional<TakenTime> ParseDateText(std::string_view text);

// "MON MAR 10 15:04:43 2003", the C library's asctime form, in any case.
std::optional<TakenTime> ParseAsctimeDate(std::string_view text);

// Where a JPEG or TIFF keeps its XMP packet, IPTC records or Photoshop resources (empty spans
// for none).
struct EmbeddedMetadata {
    Span Xmp, Iptc, Photoshop;
};

// The Exif dates of a TIFF structure (a TIFF file, or the Exif block of another format); found,
// when given, learns where IFD0 says the other metadata lies.
std::optional<TakenTime> ReadExif(Reader &reader, Span span, EmbeddedMetadata *found = nullptr);

// When there is no Exif date: XMP's DateTimeOriginal, photoshop:DateCreated, xmp:CreateDate,
// then IPTC's DateCreated with TimeCreated.
std::optional<TakenTime> ReadEmbeddedDate(Reader &reader, const EmbeddedMetadata &found);

// The same after an optional "Exif\0\0" prefix, as other containers hold it.
std::optional<TakenTime> ReadExifBlock(Reader &reader, Span span);

// A JPEG image: the file, or one embedded in another format.
std::optional<TakenTime> ReadJpeg(Reader &reader, Span jpeg);

// Fujifilm RAF: h is the file's first 8 bytes.
bool StartsRaf(const uint8_t *h);
std::optional<TakenTime> ReadRaf(Reader &reader);

// HEIF, MP4, MOV: h is the file's first 8 bytes.
bool StartsIsoMedia(const uint8_t *h);
std::optional<TakenTime> ReadIsoMedia(Reader &reader);

// PNG: eXIf, or ImageMagick's hex "Raw profile type exif" in tEXt or uncompressed iTXt.
bool StartsPng(const uint8_t *h);
std::optional<TakenTime> ReadPng(Reader &reader);

// RIFF: WebP's EXIF chunk, AVI's IDIT.
bool StartsRiff(const uint8_t *h);
std::optional<TakenTime> ReadRiff(Reader &reader);

// Matroska and WebM: the segment's DateUTC, which is UTC.
bool StartsMatroska(const uint8_t *h);
std::optional<TakenTime> ReadMatroska(Reader &reader);

} // namespace tovimar::taken
