// The double-byte rule: which bytes of an ANSI (Shift-JIS) string are lead, trail or single.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tovimar {

struct DoubleByteTable {
    bool DoubleByteMode = false;
    std::bitset<256> LeadByteSet;

    bool IsLead(unsigned char b) const { return LeadByteSet.test(b); }
};

// The table in force for the whole process; set at start-up and on a settings change.
const DoubleByteTable &CurrentDoubleByteTable();
void SetDoubleByteTable(const DoubleByteTable &table);

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

DoubleByteTable BuildDoubleByteTable(DoubleByteSource &source);

// The table for code page 932 (lead bytes 0x81-0x9F, 0xE0-0xFC); handy for tests and tools.
DoubleByteTable ShiftJisTable();

enum class ByteKindValue { Single, Lead, Trail };

// Kind of the byte at 1-based position i of s (i in 1..s.size()), by the current table.
// Positions outside s are single.
ByteKindValue ByteKind(std::string_view s, size_t i);

// Byte length of the character that starts at 0-based offset pos (1 or 2), like CharNextA:
// a lead byte steps 2 only when a non-zero byte follows it. At or past the end it is 1.
size_t CharLength(std::string_view s, size_t pos);

} // namespace tovimar
