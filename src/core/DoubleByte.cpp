#include "core/DoubleByte.h"

#include "core/Utf8.h"

#include <array>
#include <algorithm>

namespace tovimar {

namespace {

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

bool IsContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

size_t Utf8Length(std::string_view s, size_t pos) {
    const Utf8Prefix prefix = Utf8PrefixAt(s, pos);
    return prefix.Valid == prefix.Length ? prefix.Length : 1;
}

ByteKindValue Utf8Kind(std::string_view s, size_t pos) {
    if (!IsContinuation(static_cast<unsigned char>(s[pos])))
        return Utf8Length(s, pos) > 1 ? ByteKindValue::Lead : ByteKindValue::Single;
    // A continuation byte belongs to the nearest byte before it that is none, if that one
    // starts a valid sequence reaching this far.
    for (size_t back = 1; back <= 3 && back <= pos; ++back) {
        if (IsContinuation(static_cast<unsigned char>(s[pos - back]))) continue;
        return Utf8Length(s, pos - back) > back ? ByteKindValue::Trail : ByteKindValue::Single;
    }
    return ByteKindValue::Single;
}

void AddLeadByteRanges(CharacterRule &table, DoubleByteSource &source, uint32_t codePage) {
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

CharacterRule BuildAnsiCharacterRule(DoubleByteSource &source) {
    // The strings are in the ANSI code page, whatever the locale's own code page says: a
    // Japanese locale keeps 932 as its default when the system uses UTF-8.
    if (source.AnsiCodePage() == Utf8CodePage) return Utf8Rule();
    CharacterRule table;
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

CharacterRule ShiftJisRule() {
    CharacterRule table;
    table.DoubleByteMode = true;
    for (unsigned b = 0x81; b <= 0x9F; ++b)
        table.LeadByteSet.set(b);
    for (unsigned b = 0xE0; b <= 0xFC; ++b)
        table.LeadByteSet.set(b);
    return table;
}

CharacterRule Utf8Rule() {
    CharacterRule table;
    table.Utf8Mode = true;
    return table;
}

ByteKindValue ByteKind(const CharacterRule &rule, std::string_view s, size_t pos) {
    if (pos >= s.size()) return ByteKindValue::Single;
    if (rule.Utf8Mode) return Utf8Kind(s, pos);
    if (!rule.DoubleByteMode) return ByteKindValue::Single;
    const auto byteAt = [&](size_t at) { return static_cast<unsigned char>(s[at]); };
    const unsigned char b = byteAt(pos);
    if (b == 0) return ByteKindValue::Single;
    // Only the run of lead-range bytes just before pos matters: its parity decides.
    size_t run = 0;
    for (size_t j = pos; j > 0 && rule.IsLead(byteAt(j - 1)); --j)
        ++run;
    if (run % 2 == 1) return ByteKindValue::Trail;
    return rule.IsLead(b) ? ByteKindValue::Lead : ByteKindValue::Single;
}

size_t CharLength(const CharacterRule &rule, std::string_view s, size_t pos) {
    if (pos + 1 >= s.size()) return 1;
    if (rule.Utf8Mode) return Utf8Length(s, pos);
    if (rule.DoubleByteMode && rule.IsLead(static_cast<unsigned char>(s[pos])) &&
        s[pos + 1] != '\0')
        return 2;
    return 1;
}

bool IsCharBoundary(const CharacterRule &rule, std::string_view s, size_t pos) {
    size_t at = 0;
    while (at < pos)
        at += CharLength(rule, s, at);
    return at == pos;
}

size_t FitCharacters(const CharacterRule &rule, std::string_view s, size_t limit) {
    if (limit >= s.size()) return s.size();
    size_t kept = 0;
    for (;;) {
        const size_t next = kept + CharLength(rule, s, kept);
        if (next > limit) return kept;
        kept = next;
    }
}

namespace {

size_t Utf16UnitsOfStep(const CharacterRule &rule, size_t step) {
    return rule.Utf8Mode && step == 4 ? 2 : 1;
}

} // namespace

size_t Utf16Length(const CharacterRule &rule, std::string_view s) {
    size_t units = 0;
    for (size_t pos = 0; pos < s.size();) {
        const size_t step = CharLength(rule, s, pos);
        units += Utf16UnitsOfStep(rule, step);
        pos += step;
    }
    return units;
}

size_t FitUtf16Units(const CharacterRule &rule, std::string_view s, size_t limit) {
    size_t kept = 0;
    size_t units = 0;
    while (kept < s.size()) {
        const size_t step = CharLength(rule, s, kept);
        units += Utf16UnitsOfStep(rule, step);
        if (units > limit) break;
        kept += step;
    }
    return kept;
}

size_t CutCharacterAtEnd(const CharacterRule &rule, std::string_view s) {
    if (s.empty()) return 0;
    if (!rule.Utf8Mode) return ByteKind(rule, s, s.size() - 1) == ByteKindValue::Lead ? 1 : 0;
    for (size_t back = 1; back <= 3 && back <= s.size(); ++back) {
        const size_t pos = s.size() - back;
        if (IsContinuation(static_cast<unsigned char>(s[pos]))) continue;
        const Utf8Prefix prefix = Utf8PrefixAt(s, pos);
        return prefix.Length > back && prefix.Valid == back ? back : 0;
    }
    return 0;
}

} // namespace tovimar
