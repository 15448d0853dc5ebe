"""Small camera and phone files built by hand, each holding one date where its format keeps it.

`python3 media_samples.py DIR` writes them all into DIR, to compare with
`exiftool -a -G1 -time:all` and to seed the fuzzer.
"""

import struct
import sys
import zlib
from pathlib import Path

TAKEN = "2019:07:08 09:10:11"  # the date every sample holds, as Exif writes it


def exif_tiff(taken=TAKEN, sub_sec=b"", ifd0_only=False):
    """A little-endian TIFF whose Exif IFD (or IFD0) holds DateTimeOriginal and SubSecTimeOriginal."""
    date = taken.encode("ascii") + b"\0"
    entries = [(0x9003, 2, len(date), date)]
    if sub_sec:
        entries.append((0x9291, 2, len(sub_sec), sub_sec))
    head = b"II*\0" + struct.pack("<I", 8)
    if ifd0_only:
        return head + ifd(entries, 8)
    pointer = struct.pack("<HHII", 0x8769, 4, 1, 8 + 18)
    return head + struct.pack("<H", 1) + pointer + b"\0" * 4 + ifd(entries, 26)


def ifd(entries, at):
    """An IFD at offset at with its long values after it."""
    data_at = at + 2 + 12 * len(entries) + 4
    table, data = struct.pack("<H", len(entries)), b""
    for tag, kind, count, value in entries:
        if len(value) <= 4:
            table += struct.pack("<HHI", tag, kind, count) + value.ljust(4, b"\0")
        else:
            table += struct.pack("<HHII", tag, kind, count, data_at + len(data))
            data += value + b"\0" * (len(value) % 2)
    return table + b"\0" * 4 + data


def segment(marker, body):
    return bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body


def jpeg(*segments):
    return b"\xff\xd8" + b"".join(segments) + segment(0xDA, b"\0" * 10) + b"\xff\xd9"


def exif_jpeg(taken=TAKEN):
    return jpeg(segment(0xE1, b"Exif\0\0" + exif_tiff(taken)))


def box(kind, content):
    return struct.pack(">I", len(content) + 8) + kind + content


def full_box(kind, version, content):
    return box(kind, bytes([version, 0, 0, 0]) + content)


def mvhd(seconds_since_1904):
    return full_box(b"mvhd", 0, struct.pack(">IIII", seconds_since_1904, seconds_since_1904,
                                            600, 0) + b"\0" * 80)


EXPORTED = 3789676800  # 2024-02-02 00:00:00 UTC, seconds since 1904


def cr3():
    canon = bytes.fromhex("85c0b687820f11e08111f4ce462b6a48")
    ifd0 = b"II*\0" + struct.pack("<I", 8) + ifd([(0x010F, 2, 6, b"Canon\0")], 8)
    uuid = box(b"uuid", canon + box(b"CMT1", ifd0) + box(b"CMT2", exif_tiff(sub_sec=b"25\0",
                                                                             ifd0_only=True)))
    return (box(b"ftyp", b"crx \0\0\0\1crx isom") + box(b"moov", uuid + mvhd(EXPORTED))
            + box(b"mdat", b"\0" * 16))


def apple_mov(date="2019-07-08T09:10:11+0800"):
    keys = full_box(b"keys", 0, struct.pack(">I", 1)
                    + box(b"mdta", b"com.apple.quicktime.creationdate"))
    item = box(struct.pack(">I", 1), box(b"data", struct.pack(">II", 1, 0) + date.encode()))
    meta = box(b"meta", full_box(b"hdlr", 0, b"\0" * 4 + b"mdta" + b"\0" * 13) + keys
               + box(b"ilst", item))
    return (box(b"ftyp", b"qt  \0\0\0\0qt  ") + box(b"moov", mvhd(EXPORTED) + meta)
            + box(b"mdat", b"\0" * 16))


def raf():
    embedded = exif_jpeg()
    head = b"FUJIFILMCCD-RAW 0201FF383501" + b"X-T3".ljust(32, b"\0") + b"0100" + b"\0" * 20
    at = len(head) + 8 + 16
    return head + struct.pack(">II", at, len(embedded)) + b"\0" * 16 + embedded


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(*chunks):
    ihdr = png_chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 0, 0, 0, 0))
    idat = png_chunk(b"IDAT", zlib.compress(b"\0\0"))
    return b"\x89PNG\r\n\x1a\n" + ihdr + b"".join(chunks) + idat + png_chunk(b"IEND", b"")


def png_exif():
    return png(png_chunk(b"eXIf", exif_tiff()))


def raw_profile(data):
    """ImageMagick's text form of a profile: its name, its length, then hex in lines of 72."""
    hexed = data.hex()
    lines = "\n".join(hexed[i:i + 72] for i in range(0, len(hexed), 72))
    return f"\nexif\n{len(data):8d}\n{lines}\n".encode()


def png_text_profile():
    return png(png_chunk(b"tEXt", b"Raw profile type exif\0" + raw_profile(b"Exif\0\0" + exif_tiff())))


def png_itxt_profile():
    text = raw_profile(b"Exif\0\0" + exif_tiff())
    return png(png_chunk(b"iTXt", b"Raw profile type exif\0\0\0\0\0" + text))


def riff(form, chunks):
    body = form + b"".join(chunks)
    return b"RIFF" + struct.pack("<I", len(body)) + body


def riff_chunk(kind, data):
    return kind + struct.pack("<I", len(data)) + data + b"\0" * (len(data) % 2)


def webp():
    vp8x = riff_chunk(b"VP8X", bytes([0x08, 0, 0, 0]) + b"\0" * 6)
    vp8l = riff_chunk(b"VP8L", bytes.fromhex("2f000000100700"))
    return riff(b"WEBP", [vp8x, vp8l, riff_chunk(b"EXIF", exif_tiff())])


def avi(idit=b"MON JUL 08 09:10:11 2019\n\0"):
    avih = riff_chunk(b"avih", b"\0" * 56)
    hdrl = riff_chunk(b"LIST", b"hdrl" + avih + riff_chunk(b"IDIT", idit))
    return riff(b"AVI ", [hdrl, riff_chunk(b"LIST", b"movi")])


def ebml(element_id, content):
    """An EBML element with an 8-byte size."""
    return element_id + bytes([0x01]) + len(content).to_bytes(7, "big") + content


UTC_2001 = 978307200  # 2001-01-01 00:00:00 UTC in Unix seconds


def mkv(doc_type=b"webm", unix_seconds=1562577011):  # 2019-07-08 09:10:11 UTC
    header = ebml(b"\x1a\x45\xdf\xa3", ebml(b"\x42\x82", doc_type))
    date = ebml(b"\x44\x61", ((unix_seconds - UTC_2001) * 10**9).to_bytes(8, "big", signed=True))
    info = ebml(b"\x15\x49\xa9\x66", ebml(b"\x2a\xd7\xb1", (1000000).to_bytes(3, "big")) + date)
    # A segment of unknown size, as a live recording leaves it.
    return header + b"\x18\x53\x80\x67\x01\xff\xff\xff\xff\xff\xff\xff" + info


def xmp_packet(fields):
    attributes = "".join(f' {name}="{value}"' for name, value in fields)
    return (f'<?xpacket begin="" id="W5M0MpCehiHzreSzNTczkc9d"?><x:xmpmeta xmlns:x="adobe:ns:meta/">'
            f'<rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#">'
            f'<rdf:Description rdf:about="" xmlns:xmp="http://ns.adobe.com/xap/1.0/"'
            f' xmlns:photoshop="http://ns.adobe.com/photoshop/1.0/"'
            f' xmlns:exif="http://ns.adobe.com/exif/1.0/"{attributes}/>'
            f'</rdf:RDF></x:xmpmeta><?xpacket end="w"?>').encode()


def xmp_jpeg():
    fields = [("xmp:CreateDate", "2020-01-01T00:00:00"),
              ("photoshop:DateCreated", "2019-07-08T09:10:11+09:00")]
    return jpeg(segment(0xE1, b"http://ns.adobe.com/xap/1.0/\0" + xmp_packet(fields)))


def iptc_jpeg():
    records = b"".join(b"\x1c\x02" + bytes([dataset]) + struct.pack(">H", len(v)) + v
                       for dataset, v in ((55, b"20190708"), (60, b"091011+0900")))
    resource = b"8BIM" + struct.pack(">H", 0x0404) + b"\0\0" + struct.pack(">I", len(records))
    return jpeg(segment(0xED, b"Photoshop 3.0\0" + resource + records + b"\0" * (len(records) % 2)))


SAMPLES = {
    "canon.cr3": cr3, "phone.mov": apple_mov, "fuji.raf": raf, "exif.png": png_exif,
    "text.png": png_text_profile, "itxt.png": png_itxt_profile, "photo.webp": webp,
    "camera.avi": avi, "clip.webm": mkv, "xmp.jpg": xmp_jpeg, "iptc.jpg": iptc_jpeg,
}

if __name__ == "__main__":
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for name, make in SAMPLES.items():
        (out / name).write_bytes(make())
