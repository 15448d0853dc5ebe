#include "core/Utf8.h"

namespace tovimar {

Utf8Prefix Utf8PrefixAt(std::string_view s, size_t pos, Surrogates surrogates) {
    const auto b = static_cast<unsigned char>(s[pos]);
    // The range the second byte must fall in rules out overlong forms, values past U+10FFFF
    // and surrogates (ED A0-BF).
    size_t length = 1;
    unsigned char low = 0x80, high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED && surrogates == Surrogates::Refused) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    }
    size_t valid = 1;
    for (; valid < length && pos + valid < s.size(); ++valid) {
        const auto next = static_cast<unsigned char>(s[pos + valid]);
        if (valid == 1 ? (next < low || next > high) : (next & 0xC0) != 0x80) break;
    }
    return {length, valid};
}

std::optional<Utf8Character> Utf8CharacterAt(std::string_view s, size_t pos,
                                             Surrogates surrogates) {
    const Utf8Prefix prefix = Utf8PrefixAt(s, pos, surrogates);
    const auto first = static_cast<unsigned char>(s[pos]);
    if (prefix.Length == 1) {
        if (first >= 0x80) return std::nullopt;
        return Utf8Character{first, 1};
    }
    if (prefix.Valid != prefix.Length) return std::nullopt;
    char32_t code = first & (0x7F >> prefix.Length);
    for (size_t i = 1; i < prefix.Length; ++i)
        code = code << 6 | (static_cast<unsigned char>(s[pos + i]) & 0x3F);
    return Utf8Character{code, prefix.Length};
}

void AppendUtf8(std::string &out, char32_t code) {
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | code >> 6);
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | code >> 12);
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | code >> 18);
        out += char(0x80 | (code >> 12 & 0x3F));
        out += char(0x80 | (code >> 6 & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

} // namespace tovimar
