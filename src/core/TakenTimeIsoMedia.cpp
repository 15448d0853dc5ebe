#include "core/TakenTimeFormats.h"

#include "core/TimeFormat.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tovimar::taken {

namespace {

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

// ISO's meta has a version and flags; QuickTime's starts straight with its children.
bool MetaChildren(Reader &reader, const Box &meta, Span &children) {
    uint8_t peek[8];
    children = meta.Content;
    if (!reader.Copy(children, 0, peek, 8)) return false;
    if (std::memcmp(peek + 4, "hdlr", 4) != 0) children.Begin += 4;
    return true;
}

std::optional<TakenTime> ReadHeifExif(Reader &reader, const Box &meta) {
    Span children;
    if (!MetaChildren(reader, meta, children)) return std::nullopt;
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

// Canon's CR3: a uuid box in moov holds CMT1, a TIFF of IFD0, and CMT2, one of the Exif IFD.
std::optional<TakenTime> ReadCanonExif(Reader &reader, const Box &moov) {
    static constexpr uint8_t CanonUuid[16] = {0x85, 0xC0, 0xB6, 0x87, 0x82, 0x0F, 0x11, 0xE0,
                                              0x81, 0x11, 0xF4, 0xCE, 0x46, 0x2B, 0x6A, 0x48};
    uint64_t pos = moov.Content.Begin;
    for (int i = 0; i < MaxBoxes && pos < moov.Content.End; ++i) {
        Box box;
        uint8_t uuid[16];
        if (!ReadBox(reader, moov.Content, pos, box)) break;
        pos = box.Content.End;
        if (!box.Is("uuid") || !reader.Copy(box.Content, 0, uuid, sizeof uuid) ||
            std::memcmp(uuid, CanonUuid, sizeof uuid) != 0)
            continue;
        const Span children{box.Content.Begin + sizeof uuid, box.Content.End};
        Box cmt;
        for (const char *type : {"CMT2", "CMT1"})
            if (FindBox(reader, children, type, cmt))
                if (auto t = ReadExif(reader, cmt.Content)) return t;
        break;
    }
    return std::nullopt;
}

// QuickTime metadata: keys names the items, ilst holds them under their 1-based key index.
std::optional<TakenTime> ReadAppleCreationDate(Reader &reader, const Box &meta) {
    static constexpr std::string_view Key = "com.apple.quicktime.creationdate";
    Span children;
    Box keys, ilst;
    if (!MetaChildren(reader, meta, children) || !FindBox(reader, children, "keys", keys) ||
        !FindBox(reader, children, "ilst", ilst))
        return std::nullopt;
    uint32_t index = 0;
    uint64_t pos = keys.Content.Begin + 8; // version, flags and the count: the entries are walked
    for (uint32_t i = 1; i <= MaxBoxes && pos < keys.Content.End && !index; ++i) {
        Box key; // the same layout as a box: size, namespace, name
        if (!ReadBox(reader, keys.Content, pos, key)) return std::nullopt;
        pos = key.Content.End;
        char name[Key.size()];
        if (key.Content.Length() == Key.size() && key.Is("mdta") &&
            reader.Copy(key.Content, 0, name, sizeof name) &&
            Key == std::string_view(name, sizeof name))
            index = i;
    }
    const uint8_t type[4] = {uint8_t(index >> 24), uint8_t(index >> 16), uint8_t(index >> 8),
                             uint8_t(index)};
    Box item, data;
    if (!index || !FindBox(reader, ilst.Content, reinterpret_cast<const char *>(type), item) ||
        !FindBox(reader, item.Content, "data", data))
        return std::nullopt;
    // After the value's type and locale, UTF-8 text such as "2019-02-12T15:27:12+0800".
    char text[40];
    if (data.Content.Length() < 8) return std::nullopt;
    const size_t length = size_t(std::min<uint64_t>(sizeof text, data.Content.Length() - 8));
    if (!reader.Copy(data.Content, 8, text, length)) return std::nullopt;
    return ParseDateText(std::string_view(text, length));
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

} // namespace

std::optional<TakenTime> ReadIsoMedia(Reader &reader) {
    Box meta, moov;
    bool hasMeta = false, hasMoov = false;
    const Span file = reader.File();
    uint64_t pos = 0;
    // HEIF's meta comes before any moov; a fragmented movie's thousands of fragments after moov
    // are not walked.
    for (int i = 0; i < MaxChunks && pos < file.End && !hasMoov; ++i) {
        Box box;
        // A box cut short at the end (a partial download) hides only what it holds.
        if (!ReadBox(reader, file, pos, box)) break;
        if (!hasMeta && box.Is("meta")) meta = box, hasMeta = true;
        if (!hasMoov && box.Is("moov")) moov = box, hasMoov = true;
        pos = box.Content.End;
    }
    if (hasMeta)
        if (auto t = ReadHeifExif(reader, meta)) return t;
    if (!hasMoov) return std::nullopt;
    if (auto t = ReadCanonExif(reader, moov)) return t;
    // The movie header of an edited or exported video holds the export time; Apple's own
    // date stays the capture time.
    Box udta, inner;
    if (FindBox(reader, moov.Content, "meta", inner))
        if (auto t = ReadAppleCreationDate(reader, inner)) return t;
    if (FindBox(reader, moov.Content, "udta", udta) && FindBox(reader, udta.Content, "meta", inner))
        if (auto t = ReadAppleCreationDate(reader, inner)) return t;
    return ReadMovie(reader, moov);
}

bool StartsIsoMedia(const uint8_t *h) {
    static constexpr const char *First[] = {"ftyp", "moov", "mdat", "free", "skip", "wide", "pnot"};
    for (const char *type : First)
        if (std::memcmp(h + 4, type, 4) == 0) return true;
    return false;
}

} // namespace tovimar::taken
