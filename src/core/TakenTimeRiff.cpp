#include "core/TakenTimeFormats.h"

#include <cstring>

namespace tovimar::taken {

namespace {

uint32_t Little32(const uint8_t *p) {
    return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

struct Chunk {
    uint8_t Id[4] = {};
    Span Content;
    uint64_t Next = 0; // where the following chunk starts: the content is padded to even
    bool Is(const char *id) const { return std::memcmp(Id, id, 4) == 0; }
};

bool ReadChunk(Reader &reader, Span parent, uint64_t pos, Chunk &chunk) {
    uint8_t h[8];
    uint64_t end;
    if (pos > parent.End || !reader.Copy({pos, parent.End}, 0, h, sizeof h) ||
        !AddWithin(pos + 8, Little32(h + 4), parent.End, end))
        return false;
    std::memcpy(chunk.Id, h, 4);
    chunk.Content = {pos + 8, end};
    chunk.Next = end + (end & 1);
    return true;
}

// The camera's date as text: "MON MAR 10 15:04:43 2003", "2003:03:10 15:04:43" or
// "2003-03-10T15:04:43", often with a newline or a zero after it.
std::optional<TakenTime> ReadIdit(Reader &reader, Span content) {
    char text[64];
    size_t length = size_t(std::min<uint64_t>(sizeof text, content.Length()));
    if (!reader.Copy(content, 0, text, length)) return std::nullopt;
    while (length > 0 && (text[length - 1] == '\0' || text[length - 1] == '\n' ||
                          text[length - 1] == '\r' || text[length - 1] == ' '))
        --length;
    const std::string_view date(text, length);
    if (auto t = ParseDateText(date)) return t;
    return ParseAsctimeDate(date);
}

// IDIT lies in the header list; the lists are searched to a depth of two, all but the frames.
std::optional<TakenTime> FindIdit(Reader &reader, Span list, int depth, int &steps) {
    for (uint64_t pos = list.Begin; pos < list.End && ++steps <= MaxChunks;) {
        Chunk chunk;
        uint8_t type[4];
        if (!ReadChunk(reader, list, pos, chunk)) break;
        pos = chunk.Next;
        if (chunk.Is("IDIT")) return ReadIdit(reader, chunk.Content);
        if (chunk.Is("LIST") && depth < 2 && reader.Copy(chunk.Content, 0, type, 4) &&
            std::memcmp(type, "movi", 4) != 0) {
            if (auto t = FindIdit(reader, {chunk.Content.Begin + 4, chunk.Content.End}, depth + 1,
                                  steps))
                return t;
        }
    }
    return std::nullopt;
}

} // namespace

bool StartsRiff(const uint8_t *h) {
    return std::memcmp(h, "RIFF", 4) == 0;
}

// WebP's EXIF chunk, or AVI's IDIT.
std::optional<TakenTime> ReadRiff(Reader &reader) {
    uint8_t h[12];
    const Span file = reader.File();
    if (!reader.Copy(file, 0, h, sizeof h)) return std::nullopt;
    // A RIFF larger than the file (cut short, or still being written) is read as far as it goes.
    const Span form{12, std::min<uint64_t>(file.End, uint64_t(Little32(h + 4)) + 8)};
    if (std::memcmp(h + 8, "AVI ", 4) == 0) {
        int steps = 0;
        return FindIdit(reader, form, 0, steps);
    }
    if (std::memcmp(h + 8, "WEBP", 4) != 0) return std::nullopt;
    Chunk chunk;
    uint64_t pos = form.Begin;
    for (int i = 0; i < MaxChunks && pos < form.End; ++i, pos = chunk.Next) {
        if (!ReadChunk(reader, form, pos, chunk)) break;
        if (chunk.Is("EXIF")) return ReadExifBlock(reader, chunk.Content);
    }
    return std::nullopt;
}

} // namespace tovimar::taken
