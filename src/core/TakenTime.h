// When a photo or video was taken, read from the file's own metadata over a bounded byte view.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tovimar {

// A bounded random-access view of a file; reads never go past Size().
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Copies up to count bytes at offset into buffer; returns how many were copied (0 at or
    // past the end, or on a read error).
    virtual size_t Read(uint64_t offset, void *buffer, size_t count) = 0;
};

// When the photo or video was taken, as the file itself says.
struct TakenTime {
    int Year, Month, Day, Hour, Minute, Second, Millisecond; // fields in range when returned
    bool Utc; // movie headers and Matroska dates are UTC: the caller shows them in local time
};

// JPEG (EXIF DateTimeOriginal, else DateTimeDigitized, never IFD0 DateTime; SubSecTimeOriginal
// gives the milliseconds; with no Exif date, XMP's DateTimeOriginal, photoshop:DateCreated or
// xmp:CreateDate, then IPTC's DateCreated with TimeCreated), TIFF and TIFF-based raw (the same),
// Fujifilm RAF (its JPEG's), Canon CR3 (the Exif of its CMT boxes), HEIC/HEIF/AVIF (the Exif item
// of the meta box), PNG (eXIf, or a hex Exif profile in a text chunk), WebP (its EXIF chunk), AVI
// (IDIT), MP4/MOV/3GP (Apple's creation date, else the mvhd creation time, version 0 and 1; 0 =
// none), Matroska/WebM (DateUTC). Texts with an offset give their wall clock, the offset ignored.
// nullopt for no date, an unknown format, or a damaged file.
std::optional<TakenTime> ReadTakenTime(ByteSource &source);

// A ByteSource over bytes in memory (tests, fuzzing). The bytes are not copied: they must
// outlive the source.
class MemoryByteSource : public ByteSource {
public:
    explicit MemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    uint64_t Size() const override { return bytes_.size(); }
    size_t Read(uint64_t offset, void *buffer, size_t count) override;

private:
    std::string_view bytes_;
};

} // namespace tovimar
