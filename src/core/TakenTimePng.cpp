#include "core/TakenTimeFormats.h"

#include <cstring>
#include <string_view>
#include <vector>

namespace tovimar::taken {

namespace {

constexpr std::string_view RawExifKeyword = "Raw profile type exif";
// A JPEG's Exif block cannot be longer; a profile that claims more is cut here.
constexpr size_t MaxProfile = 65536;

int HexValue(uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsBlank(uint8_t c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

// ImageMagick's text form of a profile: "\nexif\n    1234\n" and then hex digits in lines.
std::optional<TakenTime> ReadRawProfile(Reader &reader, Span text) {
    std::vector<uint8_t> profile;
    profile.reserve(4096);
    enum { Name, Length, Hex } part = Name;
    bool inWord = false;
    int high = -1;
    uint8_t block[512];
    for (uint64_t at = 0; at < text.Length() && profile.size() < MaxProfile;) {
        const size_t n = size_t(std::min<uint64_t>(sizeof block, text.Length() - at));
        if (!reader.Copy(text, at, block, n)) return std::nullopt;
        at += n;
        for (size_t i = 0; i < n && profile.size() < MaxProfile; ++i) {
            const uint8_t c = block[i];
            if (part != Hex) { // the name and the length: two words
                if (IsBlank(c)) {
                    if (inWord) part = part == Name ? Length : Hex;
                    inWord = false;
                } else {
                    inWord = true;
                }
                continue;
            }
            if (IsBlank(c)) continue;
            const int v = HexValue(c);
            if (v < 0) {
                at = text.Length(); // the end of the hex digits
                break;
            }
            if (high < 0) {
                high = v;
            } else {
                profile.push_back(uint8_t(high << 4 | v));
                high = -1;
            }
        }
    }
    MemoryByteSource bytes(
        std::string_view(reinterpret_cast<const char *>(profile.data()), profile.size()));
    Reader inner(bytes);
    return ReadExifBlock(inner, inner.File());
}

// A tEXt chunk, or an uncompressed iTXt one, whose keyword names an Exif profile: its text.
bool RawExifText(Reader &reader, const char *type, Span data, Span &text) {
    char keyword[RawExifKeyword.size() + 1];
    if (!reader.Copy(data, 0, keyword, sizeof keyword) ||
        std::string_view(keyword, sizeof keyword) !=
            std::string_view("Raw profile type exif\0", sizeof keyword))
        return false;
    text = {data.Begin + sizeof keyword, data.End};
    if (std::memcmp(type, "tEXt", 4) == 0) return true;
    // iTXt: compression flag and method, then a language tag and a translated keyword.
    uint8_t flags[2];
    if (!reader.Copy(text, 0, flags, 2) || flags[0] != 0) return false;
    text.Begin += 2;
    for (int zeros = 0; zeros < 2;) {
        uint8_t c;
        if (!reader.Copy(text, 0, &c, 1)) return false;
        ++text.Begin;
        if (c == 0)
            ++zeros;
        else if (text.Begin - data.Begin > 1024)
            return false; // no tag or keyword is that long
    }
    return true;
}

// ImageMagick writes eXIf after the image data, which in a large image is more chunks than are
// walked: the file's tail is searched for an eXIf chunk from which the chunks lead to IEND.
std::optional<TakenTime> ReadTrailingExif(Reader &reader) {
    const Span file = reader.File();
    std::vector<uint8_t> tail(size_t(std::min<uint64_t>(file.End, MaxProfile)));
    const uint64_t tailAt = file.End - tail.size();
    if (!reader.Copy(file, tailAt, tail.data(), tail.size())) return std::nullopt;
    for (size_t k = 4; k + 8 <= tail.size(); ++k) {
        if (std::memcmp(&tail[k], "eXIf", 4) != 0) continue;
        size_t pos = k - 4;
        for (int i = 0; i < 64 && tail.size() - pos >= 12; ++i) {
            const uint32_t length = Big32(&tail[pos]);
            if (std::memcmp(&tail[pos + 4], "IEND", 4) == 0) {
                if (length == 0 && tail.size() - pos == 12)
                    return ReadExifBlock(reader,
                                         {tailAt + k + 4, tailAt + k + 4 + Big32(&tail[k - 4])});
                break;
            }
            if (length > tail.size() - pos - 12) break;
            pos += 12 + length;
        }
    }
    return std::nullopt;
}

} // namespace

bool StartsPng(const uint8_t *h) {
    return std::memcmp(h, "\x89PNG\r\n\x1A\n", 8) == 0;
}

// Chunks: a big-endian length, the type, the data and a CRC (not checked: only dates are read).
std::optional<TakenTime> ReadPng(Reader &reader) {
    const Span file = reader.File();
    uint64_t pos = 8;
    for (int i = 0; i < MaxChunks; ++i) {
        uint8_t h[8];
        if (!reader.Copy(file, pos, h, sizeof h)) break;
        const char *type = reinterpret_cast<const char *>(h + 4);
        uint64_t end;
        if (!AddWithin(pos + 8, Big32(h), file.End, end)) break;
        const Span data{pos + 8, end};
        Span text;
        if (std::memcmp(type, "eXIf", 4) == 0) {
            if (auto t = ReadExifBlock(reader, data)) return t;
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            break;
        } else if ((std::memcmp(type, "tEXt", 4) == 0 || std::memcmp(type, "iTXt", 4) == 0) &&
                   RawExifText(reader, type, data, text)) {
            if (auto t = ReadRawProfile(reader, text)) return t;
        }
        pos = end + 4;
        if (i + 1 == MaxChunks) return ReadTrailingExif(reader);
    }
    return std::nullopt;
}

} // namespace tovimar::taken
