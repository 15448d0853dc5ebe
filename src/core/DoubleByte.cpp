#include "core/DoubleByte.h"

#include <array>
#include <algorithm>

namespace tovimar {

namespace {

DoubleByteTable &ProcessTable() {
    static DoubleByteTable table;
    return table;
}

constexpr uint32_t DefaultLocale = 0x0409;

// Primary languages whose code pages never have lead bytes on NT: neutral, Danish, German,
// English, Spanish, Finnish, French, Italian, Dutch, Norwegian, Portuguese, Swedish.
constexpr std::array<uint32_t, 12> SingleByteLanguages = {0x00, 0x06, 0x07, 0x09, 0x0A, 0x0B,
                                                          0x0C, 0x10, 0x13, 0x14, 0x16, 0x1D};

// GetLocaleInfoA fills a 7-byte buffer: anything longer than six characters fails the query.
constexpr size_t CodePageTextLimit = 6;
constexpr size_t MaxLeadByteRanges = 6;

std::optional<uint32_t> ParseCodePage(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    if (text.empty() || text.size() > CodePageTextLimit) return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    return value;
}

uint32_t LocaleCodePage(DoubleByteSource &source, uint32_t locale) {
    if (auto text = source.LocaleAnsiCodePage(locale))
        if (auto codePage = ParseCodePage(*text)) return *codePage;
    return source.AnsiCodePage();
}

void AddLeadByteRanges(DoubleByteTable &table, DoubleByteSource &source, uint32_t codePage) {
    auto ranges = source.LeadByteRanges(codePage);
    if (!ranges) return;
    size_t pairs = std::min(ranges->size() / 2, MaxLeadByteRanges);
    for (size_t r = 0; r < pairs; ++r) {
        auto low = static_cast<unsigned char>((*ranges)[2 * r]);
        auto high = static_cast<unsigned char>((*ranges)[2 * r + 1]);
        if (low == 0 && high == 0) break;
        for (unsigned b = low; b <= high; ++b)
            table.LeadByteSet.set(b);
    }
}

} // namespace

const DoubleByteTable &CurrentDoubleByteTable() {
    return ProcessTable();
}

void SetDoubleByteTable(const DoubleByteTable &table) {
    ProcessTable() = table;
}

DoubleByteTable BuildDoubleByteTable(DoubleByteSource &source) {
    DoubleByteTable table;
    uint32_t locale = source.ThreadLocale();
    if (locale == 0) locale = DefaultLocale;
    uint32_t primaryLanguage = (locale & 0xFFFF) & 0x3FF;

    auto isNT = source.PlatformIsNT();
    if (isNT && *isNT) {
        if (std::find(SingleByteLanguages.begin(), SingleByteLanguages.end(), primaryLanguage) !=
            SingleByteLanguages.end())
            return table;
        AddLeadByteRanges(table, source, LocaleCodePage(source, locale));
        table.DoubleByteMode = table.LeadByteSet.any();
        return table;
    }

    table.DoubleByteMode = source.DbcsEnabled();
    if (table.DoubleByteMode) AddLeadByteRanges(table, source, LocaleCodePage(source, locale));
    return table;
}

DoubleByteTable ShiftJisTable() {
    DoubleByteTable table;
    table.DoubleByteMode = true;
    for (unsigned b = 0x81; b <= 0x9F; ++b)
        table.LeadByteSet.set(b);
    for (unsigned b = 0xE0; b <= 0xFC; ++b)
        table.LeadByteSet.set(b);
    return table;
}

ByteKindValue ByteKind(std::string_view s, size_t i) {
    const DoubleByteTable &table = CurrentDoubleByteTable();
    if (!table.DoubleByteMode || i < 1 || i > s.size()) return ByteKindValue::Single;
    auto byteAt = [&](size_t pos) { return static_cast<unsigned char>(s[pos - 1]); };
    unsigned char b = byteAt(i);
    if (b == 0) return ByteKindValue::Single;
    // Only the run of lead-range bytes just before i matters: its parity decides.
    size_t run = 0;
    for (size_t j = i - 1; j >= 1 && table.IsLead(byteAt(j)); --j)
        ++run;
    if (run % 2 == 1) return ByteKindValue::Trail;
    return table.IsLead(b) ? ByteKindValue::Lead : ByteKindValue::Single;
}

size_t CharLength(std::string_view s, size_t pos) {
    const DoubleByteTable &table = CurrentDoubleByteTable();
    if (pos + 1 < s.size() && table.DoubleByteMode &&
        table.IsLead(static_cast<unsigned char>(s[pos])) && s[pos + 1] != '\0')
        return 2;
    return 1;
}

} // namespace tovimar
