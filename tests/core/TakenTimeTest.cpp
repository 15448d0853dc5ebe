#include "core/TakenTime.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace tovimar {
namespace {

// Hand-made files: just enough structure for the reader to walk.
struct Entry {
    uint16_t Tag, Type;
    std::string Value;
    uint32_t Count = 0; // 0: the value's length
};
const uint16_t Ascii = 2;
const std::string Original = "2026:03:07 14:05:09", Digitized = "2025:12:31 23:59:58";

std::string Big(uint64_t v, int bytes) {
    std::string s;
    for (int i = bytes - 1; i >= 0; --i)
        s += char(v >> (8 * i));
    return s;
}
std::string Num(bool little, uint32_t v, int bytes) {
    const std::string b = Big(v, bytes);
    return little ? std::string(b.rbegin(), b.rend()) : b;
}

// A TIFF structure: IFD0, then thumbnail bytes, then the Exif IFD, then the longer values.
std::string Tiff(bool little, std::vector<Entry> ifd0, const std::vector<Entry> &exif,
                 size_t thumbnail = 0) {
    const size_t exifAt = 8 + 6 + 12 * (ifd0.size() + 1) + thumbnail;
    if (!exif.empty()) ifd0.push_back({0x8769, 4, Num(little, uint32_t(exifAt), 4), 1});
    std::string head = little ? "II" + Num(true, 42, 2) : "MM" + Num(false, 42, 2);
    head += Num(little, 8, 4);
    std::string data;
    const size_t dataAt = exifAt + 6 + 12 * exif.size();
    auto table = [&](const std::vector<Entry> &entries) {
        std::string t = Num(little, uint32_t(entries.size()), 2);
        for (const Entry &e : entries) {
            t += Num(little, e.Tag, 2) + Num(little, e.Type, 2) +
                 Num(little, e.Count ? e.Count : uint32_t(e.Value.size()), 4);
            if (e.Value.size() <= 4) {
                t += e.Value + std::string(4 - e.Value.size(), '\0');
            } else {
                t += Num(little, uint32_t(dataAt + data.size()), 4);
                data += e.Value;
            }
        }
        return t + std::string(4, '\0');
    };
    std::string out = head + table(ifd0);
    out.resize(exifAt, '\xAA');
    return out + table(exif) + data;
}

std::string Segment(uint8_t marker, const std::string &body) {
    return std::string("\xFF") + char(marker) + Big(body.size() + 2, 2) + body;
}
std::string Jpeg(const std::string &tiff, bool app1First = true) {
    const std::string app0 = Segment(0xE0, std::string("JFIF\0\1\1", 7));
    const std::string app1 = Segment(0xE1, std::string("Exif\0\0", 6) + tiff);
    return "\xFF\xD8" + (app1First ? app1 : app0 + Segment(0xFE, "hi") + app1) +
           Segment(0xDA, "...") + "\xFF\xD9";
}

std::string Box(const std::string &type, const std::string &content) {
    return Big(content.size() + 8, 4) + type + content;
}
std::string FullBox(const std::string &type, int version, const std::string &content) {
    return Box(type, char(version) + std::string(3, '\0') + content);
}
std::string Infe(int id, const std::string &type) {
    return FullBox("infe", 2, Big(id, 2) + Big(0, 2) + type);
}

// A HEIF image whose Exif item (id 2) lies in mdat; shift moves the extent's offset.
std::string Heif(const std::string &tiff, uint32_t shift = 0) {
    const std::string ftyp = Box("ftyp", "heic" + Big(0, 4) + "mif1heic");
    const std::string item = Big(6, 4) + std::string("Exif\0\0", 6) + tiff;
    auto meta = [&](uint32_t at) {
        const std::string iloc = FullBox(
            "iloc", 0,
            std::string("\x44\0", 2) + Big(2, 2) + Big(1, 2) + Big(0, 2) + Big(1, 2) + Big(0, 4) +
                Big(0, 4) + Big(2, 2) + Big(0, 2) + Big(1, 2) + Big(at, 4) + Big(item.size(), 4));
        return FullBox("meta", 0,
                       FullBox("hdlr", 0, Big(0, 4) + "pict" + std::string(13, '\0')) +
                           FullBox("iinf", 0, Big(2, 2) + Infe(1, "hvc1") + Infe(2, "Exif")) +
                           iloc);
    };
    const size_t at = ftyp.size() + meta(0).size() + 8;
    return ftyp + meta(uint32_t(at + shift)) + Box("mdat", item);
}

std::string Mvhd(int version, uint64_t created) {
    return FullBox("mvhd", version, Big(created, version ? 8 : 4) + std::string(90, '\0'));
}
std::string Mp4(const std::string &mvhd) {
    return Box("ftyp", "isom" + Big(0, 4) + "isom") + Box("moov", mvhd) + Box("mdat", "x");
}
// QuickTime without ftyp, the movie header after the data.
std::string Mov(const std::string &mvhd) {
    return Box("wide", "") + Box("mdat", "xyz") + Box("moov", Box("udta", "") + mvhd);
}

// Canon's CR3: the Exif IFD in CMT2 (or IFD0 in CMT1) of the uuid box in moov.
std::string Cr3(const std::string &cmt1, const std::string &cmt2, const std::string &mvhd) {
    const std::string uuid = "\x85\xC0\xB6\x87\x82\x0F\x11\xE0\x81\x11\xF4\xCE\x46\x2B\x6A\x48";
    return Box("ftyp", "crx " + Big(1, 4) + "crx isom") +
           Box("moov", Box("uuid", uuid + Box("CMT1", cmt1) + cmt2) + mvhd) + Box("mdat", "x");
}

// A phone's QuickTime keys and values: the item of each key under its 1-based index.
std::string AppleMeta(const std::string &date, uint32_t index = 2) {
    const std::string keys = FullBox("keys", 0,
                                     Big(2, 4) + Box("mdta", "com.apple.quicktime.make") +
                                         Box("mdta", "com.apple.quicktime.creationdate"));
    const std::string ilst =
        Box("ilst", Box(Big(1, 4), Box("data", Big(1, 4) + Big(0, 4) + "Apple")) +
                        Box(Big(index, 4), Box("data", Big(1, 4) + Big(0, 4) + date)));
    return Box("meta",
               FullBox("hdlr", 0, Big(0, 4) + "mdta" + std::string(13, '\0')) + keys + ilst);
}

// Fujifilm's RAF: the header's offset 84 points at the embedded JPEG; shift moves it.
std::string Raf(const std::string &jpeg, uint32_t shift = 0) {
    const std::string head =
        "FUJIFILMCCD-RAW 0201FF383501" + std::string(32, 'n') + "0100" + std::string(20, '\0');
    return head + Big(108 + shift, 4) + Big(jpeg.size(), 4) + std::string(16, '\0') + jpeg;
}

std::string PngChunk(const std::string &type, const std::string &data) {
    return Big(data.size(), 4) + type + data + "CRC!"; // the CRC is not checked
}
std::string Png(const std::string &chunks) {
    return "\x89PNG\r\n\x1A\n" + PngChunk("IHDR", std::string(13, '\1')) + chunks +
           PngChunk("IEND", "");
}
// ImageMagick's hex text form of an Exif profile.
std::string RawProfile(const std::string &bytes) {
    std::string text = "\nexif\n" + std::to_string(bytes.size()) + "\n";
    for (size_t i = 0; i < bytes.size(); ++i) {
        text += "0123456789abcdef"[uint8_t(bytes[i]) >> 4];
        text += "0123456789abcdef"[bytes[i] & 15];
        if (i % 36 == 35) text += '\n';
    }
    return text;
}

std::string Little(uint32_t v) {
    const std::string b = Big(v, 4);
    return std::string(b.rbegin(), b.rend());
}
// A RIFF chunk, padded to an even length; size gives another length than the data's.
std::string RiffChunk(const std::string &id, const std::string &data, int64_t size = -1) {
    return id + Little(size < 0 ? uint32_t(data.size()) : uint32_t(size)) + data +
           std::string(data.size() % 2, '\0');
}
std::string Riff(const std::string &form, const std::string &chunks) {
    return "RIFF" + Little(uint32_t(chunks.size() + 4)) + form + chunks;
}
// An AVI whose header list holds the IDIT chunk after the stream lists.
std::string Avi(const std::string &idit, int junk = 0) {
    std::string padding;
    for (int i = 0; i < junk; ++i)
        padding += RiffChunk("JUNK", "ab");
    const std::string strl = RiffChunk("LIST", "strl" + RiffChunk("strh", std::string(56, '\0')));
    return Riff("AVI ", padding +
                            RiffChunk("LIST", "hdrl" + RiffChunk("avih", std::string(56, '\0')) +
                                                  strl + RiffChunk("IDIT", idit)) +
                            RiffChunk("LIST", "movi" + RiffChunk("IDIT", "2000:01:01 00:00:00")));
}

// An EBML element, its size in 8 bytes (or as given).
std::string Ebml(const std::string &id, const std::string &content, const std::string &size = "") {
    return id + (size.empty() ? "\x01" + Big(content.size(), 7) : size) + content;
}
const std::string EbmlHeader = Ebml("\x1A\x45\xDF\xA3", Ebml("\x42\x82", "webm"));
const std::string UnknownSize = "\x01\xFF\xFF\xFF\xFF\xFF\xFF\xFF";
std::string MatroskaInfo(int64_t nanoseconds) {
    return Ebml("\x15\x49\xA9\x66", Ebml("\x44\x61", Big(uint64_t(nanoseconds), 8)));
}
// A live recording's layout: segment and cluster of unknown size, Info found by the seek head.
std::string MatroskaInfoLast(int64_t nanoseconds) {
    const std::string cluster = Ebml("\x1F\x43\xB6\x75", "frames", UnknownSize);
    const std::string seek =
        Ebml("\x4D\xBB", Ebml("\x53\xAB", "\x15\x49\xA9\x66") + Ebml("\x53\xAC", Big(0, 8)));
    const std::string seekHead = Ebml("\x11\x4D\x9B\x74", seek);
    const size_t infoAt = seekHead.size() + cluster.size();
    return EbmlHeader + Ebml("\x18\x53\x80\x67",
                             seekHead.substr(0, seekHead.size() - 8) + Big(infoAt, 8) + cluster +
                                 MatroskaInfo(nanoseconds),
                             UnknownSize);
}

std::string JpegOf(const std::string &segments) {
    return "\xFF\xD8" + segments + Segment(0xDA, "...") + "\xFF\xD9";
}
std::string XmpSegment(const std::string &packet) {
    return Segment(0xE1, std::string("http://ns.adobe.com/xap/1.0/\0", 29) + packet);
}
std::string IptcRecord(int dataset, const std::string &value) {
    return "\x1C\x02" + std::string(1, char(dataset)) + Big(value.size(), 2) + value;
}
// Photoshop's resources in APP13, the IPTC records in resource 0x0404.
std::string IptcSegment(const std::string &records) {
    return Segment(0xED, std::string("Photoshop 3.0\0", 14) + "8BIM" + Big(0x0404, 2) +
                             std::string(2, '\0') + Big(records.size(), 4) + records);
}

std::string Shown(const std::optional<TakenTime> &t) {
    if (!t) return "none";
    char s[40];
    std::snprintf(s, sizeof s, "%04d-%02d-%02d %02d:%02d:%02d.%03d%s", t->Year, t->Month, t->Day,
                  t->Hour, t->Minute, t->Second, t->Millisecond, t->Utc ? " UTC" : "");
    return s;
}

std::string Patched(std::string s, size_t at, const std::string &bytes) {
    return s.replace(at, bytes.size(), bytes);
}

TEST(ReadTakenTime, Table) {
    const Entry original{0x9003, Ascii, Original + '\0'};
    const Entry digitized{0x9004, Ascii, Digitized + '\0'};
    const Entry subSec{0x9291, Ascii, std::string("042\0", 4)};
    const Entry dateTime{0x0132, Ascii, "2020:01:01 00:00:00" + std::string(1, '\0')};
    const std::string intel = Tiff(true, {dateTime}, {original, subSec});
    const std::string motorola = Tiff(false, {}, {digitized, original}, 300);
    const uint64_t afternoon = 3855737109; // 2026-03-07 14:05:09 UTC, in seconds from 1904
    auto exifDate = [&](const std::string &text) {
        return Jpeg(Tiff(true, {}, {{0x9003, Ascii, text + '\0'}}));
    };
    // The value of IFD0's entry at index.
    auto ifd0Value = [](const std::string &tiff, size_t index, const std::string &value) {
        return Patched(tiff, 8 + 2 + 12 * index + 8, value);
    };
    const std::string selfTiff = Tiff(false, {}, {digitized});
    const struct {
        const char *Name;
        std::string Bytes, Expected;
    } rows[] = {
        {"jpeg intel", Jpeg(intel), "2026-03-07 14:05:09.042"},
        {"jpeg motorola, exif after thumbnail", Jpeg(motorola), "2026-03-07 14:05:09.000"},
        {"app1 not first", Jpeg(intel, false), "2026-03-07 14:05:09.042"},
        {"digitized fallback", Jpeg(Tiff(true, {}, {digitized})), "2025-12-31 23:59:58.000"},
        {"sub-second digits", Jpeg(Tiff(true, {}, {original, {0x9291, Ascii, "5"}})),
         "2026-03-07 14:05:09.500"},
        {"ifd0 DateTime only", Jpeg(Tiff(true, {dateTime}, {})), "none"},
        {"tiff", motorola, "2026-03-07 14:05:09.000"},
        {"heif", Heif(intel), "2026-03-07 14:05:09.042"},
        {"mp4", Mp4(Mvhd(0, afternoon)), "2026-03-07 14:05:09.000 UTC"},
        {"mov", Mov(Mvhd(0, afternoon)), "2026-03-07 14:05:09.000 UTC"},
        {"mvhd version 1", Mp4(Mvhd(1, 9340963200)), "2200-01-01 00:00:00.000 UTC"},
        {"cr3 exif ifd",
         Cr3(Tiff(true, {dateTime}, {}), Box("CMT2", Tiff(true, {original, subSec}, {})),
             Mvhd(0, afternoon)),
         "2026-03-07 14:05:09.042"},
        {"png eXIf after the image data", Png(PngChunk("IDAT", "x") + PngChunk("eXIf", intel)),
         "2026-03-07 14:05:09.042"},
        {"png eXIf after more chunks than are walked",
         Png(std::string(600 * 12, '\0') + PngChunk("eXIf", intel)), "2026-03-07 14:05:09.042"},
        {"png raw profile in iTXt",
         Png(PngChunk("iTXt", std::string("Raw profile type exif\0\0\0en\0\0", 28) +
                                  RawProfile(std::string("Exif\0\0", 6) + motorola))),
         "2026-03-07 14:05:09.000"},
        {"webp",
         Riff("WEBP",
              RiffChunk("VP8L", "abc") + RiffChunk("EXIF", std::string("Exif\0\0", 6) + intel)),
         "2026-03-07 14:05:09.042"},
        {"avi asctime", Avi("MON MAR  7 14:05:09 2026\n\0", 500), "2026-03-07 14:05:09.000"},
        {"avi iso form", Avi("2026-03-07T14:05:09+09:00"), "2026-03-07 14:05:09.000"},
        {"matroska", EbmlHeader + Ebml("\x18\x53\x80\x67", MatroskaInfo(794585109042000000)),
         "2026-03-07 14:05:09.042 UTC"},
        {"matroska info after a cluster of unknown size", MatroskaInfoLast(-31622400500000000),
         "1999-12-31 23:59:59.500 UTC"},
        {"exif date before xmp",
         JpegOf(XmpSegment("<x exif:DateTimeOriginal='2019-02-12T15:27:12'/>") +
                Segment(0xE1, std::string("Exif\0\0", 6) + intel)),
         "2026-03-07 14:05:09.042"},
        {"xmp date without time, then CreateDate",
         JpegOf(XmpSegment("<photoshop:DateCreated>2019-02-12</photoshop:DateCreated>"
                           "<x xmp:CreateDate = \"2026-03-07T14:05:09.042+09:00\"/>")),
         "2026-03-07 14:05:09.042"},
        {"tiff xmp",
         Tiff(false, {{0x02BC, 1, "<r exif:DateTimeOriginal=\"2026-03-07T14:05:09Z\"/>"}}, {}),
         "2026-03-07 14:05:09.000"},
        {"iptc", JpegOf(IptcSegment(IptcRecord(55, "20260307") + IptcRecord(60, "140509+0900"))),
         "2026-03-07 14:05:09.000"},
        {"raf", Raf(Jpeg(intel)), "2026-03-07 14:05:09.042"},
        {"apple creation date over the movie header",
         Mov(Mvhd(0, afternoon) + AppleMeta("2019-02-12T15:27:12+0800")),
         "2019-02-12 15:27:12.000"},
        // damaged or empty
        {"no leap day", exifDate("2026:02:29 00:00:00"), "none"},
        {"zero date", exifDate("0000:00:00 00:00:00"), "none"},
        {"T between date and time", exifDate("2026:03:07T14:05:09"), "none"},
        {"dash after the hour", exifDate("2026:03:07 14-05:09"), "none"},
        {"dot after the minute", exifDate("2026:03:07 14:05.09"), "none"},
        {"truncated", Jpeg(intel).substr(0, 60), "none"},
        {"exif offset out of range", Jpeg(ifd0Value(intel, 1, std::string("\0\0\0\xF0", 4))),
         "none"},
        {"ifd points at itself", ifd0Value(Patched(selfTiff, 8 + 2 + 12, Big(8, 4)), 0, Big(8, 4)),
         "none"},
        {"count near 2^32",
         Jpeg(Tiff(true, {}, {{0x9003, Ascii, Original, 0xFFFFFFF0}, digitized})),
         "2025-12-31 23:59:58.000"},
        {"heif extent out of range", Heif(intel, 4), "none"},
        {"zero creation time", Mp4(Mvhd(0, 0)), "none"},
        {"unix epoch placeholder", Mp4(Mvhd(0, 2082844800)), "none"},
        {"unix epoch placeholder, version 1", Mp4(Mvhd(1, 2082844800)), "none"},
        {"a second after the epoch", Mp4(Mvhd(0, 2082844801)), "1970-01-01 00:00:01.000 UTC"},
        {"box larger than file", Box("ftyp", "isom") + Big(0xFFFFFFF0, 4) + "moov", "none"},
        {"png eXIf after more chunks than are walked, cut short",
         [&] {
             const std::string png = Png(std::string(600 * 12, '\0') + PngChunk("eXIf", intel));
             return png.substr(0, png.size() - 1);
         }(),
         "none"},
        {"png chunk larger than the file",
         Png(PngChunk("IDAT", "x") + Big(0x7FFFFFF0, 4) + "eXIf" + intel), "none"},
        {"png profile cut short",
         Png(PngChunk("tEXt", std::string("Raw profile type exif\0", 22) +
                                  RawProfile("Exif\0\0" + intel).substr(0, 120))),
         "none"},
        {"webp EXIF larger than the file",
         Riff("WEBP", RiffChunk("VP8L", "abc") + RiffChunk("EXIF", intel, 0x7FFFFFF0)), "none"},
        {"avi IDIT that is no date", Avi("MON FOO 10 15:04:43 2003"), "none"},
        {"avi IDIT after more chunks than are walked", Avi("2003:03:10 15:04:43", 600), "none"},
        {"matroska DateUTC larger than the file",
         EbmlHeader + Ebml("\x18\x53\x80\x67",
                           Ebml("\x15\x49\xA9\x66", Ebml("\x44\x61", Big(1, 8), Big(0x7FFFF, 8))),
                           UnknownSize),
         "none"},
        {"matroska cut short", MatroskaInfoLast(794585109042000000).substr(0, 120), "none"},
        {"iptc date without time", JpegOf(IptcSegment(IptcRecord(55, "20260307"))), "none"},
        {"iptc record larger than its segment",
         JpegOf(IptcSegment(IptcRecord(55, "20260307") + "\x1C\x02\x3C\x7F\xF0" + "140509")),
         "none"},
        {"tiff xmp offset out of range",
         Tiff(true, {{0x02BC, 1, std::string("\0\0\1\0", 4), 0x1000}}, {}), "none"},
        {"raf jpeg offset out of range", Raf(Jpeg(intel), 8), "none"},
        {"cr3 CMT2 larger than its box",
         Cr3(Tiff(true, {dateTime}, {}), Big(0x7FFF, 4) + "CMT2" + Tiff(true, {original}, {}),
             Mvhd(0, afternoon)),
         "2026-03-07 14:05:09.000 UTC"},
        {"apple value under a key that is not there",
         Mov(Mvhd(0, afternoon) + AppleMeta("2019-02-12T15:27:12+0800", 3)),
         "2026-03-07 14:05:09.000 UTC"},
        {"apple date without time of day", Mov(Mvhd(0, afternoon) + AppleMeta("2019-02-12")),
         "2026-03-07 14:05:09.000 UTC"},
        {"unknown format", "GIF89a.........", "none"},
    };
    for (const auto &row : rows) {
        MemoryByteSource source(row.Bytes);
        EXPECT_EQ(Shown(ReadTakenTime(source)), row.Expected) << row.Name;
    }
}

} // namespace
} // namespace tovimar
