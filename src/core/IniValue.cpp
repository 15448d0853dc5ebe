#include "core/IniValue.h"

#include "core/DoubleByte.h"

#include <optional>

namespace tovimar {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Hexadecimal digits describe the 32 bits of the value: up to eight of them are read, and
// 0x80000000 to 0xFFFFFFFF come out negative (0xFFFFFFFF is -1), the way the platform's
// own hex notation for 32-bit values works. A ninth significant digit overflows.
std::optional<uint32_t> ReadHex(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    uint32_t value = 0;
    for (char c : digits) {
        const int d = HexDigit(c);
        if (d < 0 || value > 0x0FFFFFFFu) return std::nullopt;
        value = value * 16 + static_cast<uint32_t>(d);
    }
    return value;
}

// Decimal digits give the magnitude; the sign decides the range it must fit.
std::optional<uint32_t> ReadDecimal(std::string_view digits, bool negative) {
    if (digits.empty()) return std::nullopt;
    const uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    uint64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint64_t>(c - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

} // namespace

int32_t ParseIniInteger(std::string_view text, int32_t defaultValue) {
    text = Trim(text);
    std::optional<uint32_t> magnitude;
    bool negative = false;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        magnitude = ReadHex(text.substr(2));
    } else {
        if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
            negative = text[0] == '-';
            text.remove_prefix(1);
        }
        if (!text.empty() && (text[0] == '$' || text[0] == 'x' || text[0] == 'X')) {
            magnitude = ReadHex(text.substr(1));
        } else {
            magnitude = ReadDecimal(text, negative);
        }
    }
    if (!magnitude) return defaultValue;
    // Unsigned arithmetic wraps; the conversion to int32_t is modular, so -2147483648 and the
    // hex bit patterns land where they belong.
    const uint32_t bits = negative ? 0u - *magnitude : *magnitude;
    return static_cast<int32_t>(bits);
}

bool ParseIniBool(std::string_view text, bool defaultValue) {
    return ParseIniInteger(text, defaultValue ? 1 : 0) != 0;
}

std::string FormatIniInteger(int32_t value) {
    return std::to_string(int64_t(value));
}

int32_t NextUsageCount(int32_t count) {
    return count == INT32_MAX ? count : count + 1;
}

std::string CutIniString(const CharacterRule &rule, std::string_view text) {
    const std::string_view kept = text.substr(0, FitCharacters(rule, text, IniStringLimit));
    // The platform's read already stops at the limit and may end in part of a character.
    return std::string(kept.substr(0, kept.size() - CutCharacterAtEnd(rule, kept)));
}

} // namespace tovimar
