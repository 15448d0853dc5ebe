#include "core/TextEncoding.h"

#include "core/Utf8.h"

namespace tovimar {

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LeMark = "\xFF\xFE";
constexpr std::string_view Utf16BeMark = "\xFE\xFF";

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    const auto unit = [&](size_t i) -> char32_t {
        const auto lo = static_cast<unsigned char>(bytes[i + (bigEndian ? 1 : 0)]);
        const auto hi = static_cast<unsigned char>(bytes[i + (bigEndian ? 0 : 1)]);
        return char32_t(hi << 8 | lo);
    };
    std::string out;
    out.reserve(bytes.size());
    // An odd last byte is dropped: the file then does not come back whole and is not written.
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const char32_t first = unit(i);
        if (first >= 0xD800 && first <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t second = unit(i + 2);
            if (second >= 0xDC00 && second <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, first);
    }
    return out;
}

std::string EncodeUtf16(std::string_view text, bool bigEndian) {
    std::string out;
    out.reserve(text.size() * 2);
    const auto put = [&](char32_t unit) {
        const char lo = char(unit & 0xFF), hi = char(unit >> 8);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    for (size_t pos = 0; pos < text.size();) {
        const auto next = Utf8CharacterAt(text, pos, Surrogates::Kept);
        const char32_t code = next ? next->Code : 0xFFFD;
        pos += next ? next->Length : 1;
        if (code >= 0x10000) {
            put(0xD800 + ((code - 0x10000) >> 10));
            put(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            put(code);
        }
    }
    return out;
}

} // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
    if (bytes.starts_with(Utf8Mark)) return TextEncoding::Utf8Bom;
    if (bytes.starts_with(Utf16LeMark)) return TextEncoding::Utf16Le;
    if (bytes.starts_with(Utf16BeMark)) return TextEncoding::Utf16Be;
    bool wide = false;
    for (size_t pos = 0; pos < bytes.size();) {
        const auto next = Utf8CharacterAt(bytes, pos);
        if (!next) return TextEncoding::Ansi;
        wide = wide || next->Length > 1;
        pos += next->Length;
    }
    return wide ? TextEncoding::Utf8 : TextEncoding::Ansi;
}

std::string DecodeText(std::string_view bytes, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8Bom:
        return std::string(bytes.substr(Utf8Mark.size()));
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
        return DecodeUtf16(bytes.substr(2), encoding == TextEncoding::Utf16Be);
    default:
        return std::string(bytes);
    }
}

std::string EncodeText(std::string_view text, TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Utf8Bom:
        return std::string(Utf8Mark) + std::string(text);
    case TextEncoding::Utf16Le:
        return std::string(Utf16LeMark) + EncodeUtf16(text, false);
    case TextEncoding::Utf16Be:
        return std::string(Utf16BeMark) + EncodeUtf16(text, true);
    default:
        return std::string(text);
    }
}

} // namespace tovimar
