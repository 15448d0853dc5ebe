#include "core/TakenTimeFormats.h"

#include <string_view>
#include <vector>

namespace tovimar::taken {

namespace {

// A JPEG's XMP segment cannot be longer; a TIFF's longer packet is searched this far.
constexpr size_t MaxXmp = 65536;

bool IsXmlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The value of a property written as an attribute (name="value") or an element
// (<name>value</name>); empty when there is neither.
std::string_view XmpValue(std::string_view xmp, std::string_view name) {
    for (size_t at = xmp.find(name); at != std::string_view::npos; at = xmp.find(name, at + 1)) {
        if (at == 0 || (xmp[at - 1] != '<' && !IsXmlBlank(xmp[at - 1]))) continue;
        size_t p = at + name.size();
        while (p < xmp.size() && IsXmlBlank(xmp[p]))
            ++p;
        if (p >= xmp.size()) break;
        size_t end = std::string_view::npos;
        if (xmp[p] == '=' && xmp[at - 1] != '<') {
            ++p;
            while (p < xmp.size() && IsXmlBlank(xmp[p]))
                ++p;
            if (p >= xmp.size() || (xmp[p] != '"' && xmp[p] != '\'')) continue;
            const char quote = xmp[p++];
            end = xmp.find(quote, p);
        } else if (xmp[p] == '>' && xmp[at - 1] == '<') {
            end = xmp.find('<', ++p);
        }
        if (end == std::string_view::npos) continue;
        std::string_view value = xmp.substr(p, end - p);
        while (!value.empty() && IsXmlBlank(value.front()))
            value.remove_prefix(1);
        return value;
    }
    return {};
}

// IPTC's DateCreated "YYYYMMDD" and TimeCreated "HHMMSS", its offset after it ignored.
std::optional<TakenTime> IptcDate(const char *date, const char *time) {
    TakenTime t{Digits(date, 4),
                Digits(date + 4, 2),
                Digits(date + 6, 2),
                Digits(time, 2),
                Digits(time + 2, 2),
                Digits(time + 4, 2),
                0,
                false};
    if (!InRange(t)) return std::nullopt;
    return t;
}

} // namespace

std::optional<TakenTime> ReadXmpDate(Reader &reader, Span xmp) {
    std::vector<char> text(size_t(std::min<uint64_t>(MaxXmp, xmp.Length())));
    if (!reader.Copy(xmp, 0, text.data(), text.size())) return std::nullopt;
    const std::string_view packet(text.data(), text.size());
    // A date without a time of day is no date: the next property is tried.
    for (const char *name : {"exif:DateTimeOriginal", "photoshop:DateCreated", "xmp:CreateDate"})
        if (auto t = ParseDateText(XmpValue(packet, name))) return t;
    return std::nullopt;
}

// Records: 0x1C, record and dataset numbers, a big-endian length, the data.
std::optional<TakenTime> ReadIptcDate(Reader &reader, Span records) {
    char date[8], time[6];
    bool hasDate = false, hasTime = false;
    uint64_t pos = 0;
    for (int i = 0; i < MaxBoxes && pos < records.Length() && !(hasDate && hasTime); ++i) {
        uint8_t h[5];
        if (!reader.Copy(records, pos, h, sizeof h) || h[0] != 0x1C) break;
        uint64_t length = Big16(h + 3), header = 5;
        if (length & 0x8000) { // an extended length: the count of bytes that hold it
            uint8_t b[4];
            const size_t n = length & 0x7FFF;
            if (n > sizeof b || !reader.Copy(records, pos + 5, b, n)) break;
            length = 0;
            for (size_t k = 0; k < n; ++k)
                length = length << 8 | b[k];
            header += n;
        }
        uint64_t end;
        if (!AddWithin(pos + header, length, records.Length(), end)) break;
        const uint64_t at = pos + header;
        if (h[1] == 2 && h[2] == 55 && length >= 8)
            hasDate = reader.Copy(records, at, date, sizeof date);
        else if (h[1] == 2 && h[2] == 60 && length >= 6)
            hasTime = reader.Copy(records, at, time, sizeof time);
        pos = end;
    }
    if (!hasDate || !hasTime) return std::nullopt;
    return IptcDate(date, time);
}

// Photoshop's image resources ("8BIM", id, a padded name, a size): IPTC is resource 0x0404.
std::optional<TakenTime> ReadPhotoshopIptcDate(Reader &reader, Span resources) {
    uint64_t pos = 0;
    for (int i = 0; i < MaxBoxes && pos < resources.Length(); ++i) {
        uint8_t h[7];
        if (!reader.Copy(resources, pos, h, sizeof h) || Big32(h) != 0x3842494D) break;
        const uint64_t sizeAt = pos + 6 + ((1 + uint64_t(h[6]) + 1) & ~uint64_t(1));
        uint8_t s[4];
        uint64_t end;
        if (!reader.Copy(resources, sizeAt, s, 4) ||
            !AddWithin(sizeAt + 4, Big32(s), resources.Length(), end))
            break;
        if (Big16(h + 4) == 0x0404)
            return ReadIptcDate(reader, {resources.Begin + sizeAt + 4, resources.Begin + end});
        pos = end + (end & 1);
    }
    return std::nullopt;
}

std::optional<TakenTime> ReadEmbeddedDate(Reader &reader, const EmbeddedMetadata &found) {
    if (found.Xmp.Length())
        if (auto t = ReadXmpDate(reader, found.Xmp)) return t;
    if (found.Iptc.Length())
        if (auto t = ReadIptcDate(reader, found.Iptc)) return t;
    if (found.Photoshop.Length()) return ReadPhotoshopIptcDate(reader, found.Photoshop);
    return std::nullopt;
}

} // namespace tovimar::taken
