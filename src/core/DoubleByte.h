// The character rule of a code page: which bytes of a string are lead, trail or single. Every
// rule over byte strings takes the rule of the strings' code page as an argument.
// Double-byte code pages (Shift-JIS) go by their lead-byte set; under UTF-8 a character is a
// whole valid sequence of 1 to 4 bytes; in single-byte code pages every byte is a character.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovimar {

struct CharacterRule {
    bool DoubleByteMode = false;
    std::bitset<256> LeadByteSet;
    // The ANSI code page is UTF-8: the lead-byte set stays empty and a byte that starts no
    // valid sequence is a character of its own.
    bool Utf8Mode = false;

    bool IsLead(unsigned char b) const { return LeadByteSet.test(b); }
};

// What the platform tells about the locale; the platform adapter implements it, tests fake it.
class DoubleByteSource {
public:
    virtual ~DoubleByteSource() = default;
    virtual uint32_t ThreadLocale() = 0;
    // nullopt when the version query fails; true for the NT platform.
    virtual std::optional<bool> PlatformIsNT() = 0;
    // The locale's default ANSI code page as text, nullopt when the query fails.
    virtual std::optional<std::string> LocaleAnsiCodePage(uint32_t locale) = 0;
    virtual uint32_t AnsiCodePage() = 0;
    // Up to six (low, high) lead-byte ranges of the code page, as the platform lists them
    // (the list may end with a 0, 0 pair); nullopt when the code page is unknown.
    virtual std::optional<std::string> LeadByteRanges(uint32_t codePage) = 0;
    virtual bool DbcsEnabled() = 0;
};

CharacterRule BuildAnsiCharacterRule(DoubleByteSource &source);

// The table for code page 932 (lead bytes 0x81-0x9F, 0xE0-0xFC); handy for tests and tools.
CharacterRule ShiftJisRule();
// The table for code page 65001.
CharacterRule Utf8Rule();
inline constexpr uint32_t Utf8CodePage = 65001;

enum class ByteKindValue { Single, Lead, Trail };

// Kind of the byte at 0-based position pos of s by the rule: a lead byte starts a character of
// two or more bytes, a trail byte is any later byte of one. Positions outside s are single.
ByteKindValue ByteKind(const CharacterRule &rule, std::string_view s, size_t pos);

// Byte length of the character that starts at 0-based offset pos, like CharNextA: a lead byte
// steps 2 only when a non-zero byte follows it; under UTF-8 a valid sequence steps whole (1 to
// 4), anything else 1. At or past the end it is 1.
size_t CharLength(const CharacterRule &rule, std::string_view s, size_t pos);

// Whether 0-based offset pos is the start of a character of s (or its end), walking from the
// start of s.
bool IsCharBoundary(const CharacterRule &rule, std::string_view s, size_t pos);

// The longest head of s of at most limit bytes that splits no character.
size_t FitCharacters(const CharacterRule &rule, std::string_view s, size_t limit);

// The UTF-16 units s converts to: one per character, two for one beyond U+FFFF (a four-byte
// UTF-8 sequence; no ANSI code page holds such a character). A byte that makes no character
// converts to one unit.
size_t Utf16Length(const CharacterRule &rule, std::string_view s);

// The longest head of s that converts to at most limit UTF-16 units and splits no character.
size_t FitUtf16Units(const CharacterRule &rule, std::string_view s, size_t limit);

// Bytes at the end of s that are a character cut short (a lone lead byte, a UTF-8 sequence
// missing its last bytes), or 0.
size_t CutCharacterAtEnd(const CharacterRule &rule, std::string_view s);

} // namespace tovimar
