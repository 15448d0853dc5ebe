// Date-time patterns come from the settings file and the locale: any bytes must render within
// the name field's limit and never split a character.
#include "FuzzSupport.h"
#include "core/TimeFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

bool EndsInLoneLead(const tovimar::CharacterRule &rule, std::string_view s) {
    size_t pos = 0, last = 0;
    while (pos < s.size()) {
        last = std::min(tovimar::CharLength(rule, s, pos), s.size() - pos);
        pos += last;
    }
    return last == 1 && tovimar::ByteKind(rule, s, s.size() - 1) == tovimar::ByteKindValue::Lead;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tovimar;
    if (size < 9) return 0;
    const uint8_t flags = data[0];
    const CharacterRule rule = fuzz::RuleOf(flags);
    double value;
    std::memcpy(&value, data + 1, sizeof value);
    // The pattern, then the locale's date text and the era name, each ending at a zero byte as
    // the settings file and the locale calls hand them over.
    std::string_view pieces[3];
    std::string_view rest(reinterpret_cast<const char *>(data) + 9, size - 9);
    for (std::string_view &piece : pieces) {
        const size_t cut = rest.find('\0');
        piece = rest.substr(0, cut);
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    }
    const std::string_view pattern = pieces[0], localeText = pieces[1];
    const std::string era(pieces[2]);

    static constexpr uint32_t Languages[] = {0x04, 0x09, 0x11, 0x12};
    const int calendar = (flags >> 1) & 7;
    const std::string converted =
        ConvertLocaleDatePattern(rule, localeText, calendar, Languages[(flags >> 4) & 3]);
    if (!EndsInLoneLead(rule, localeText)) fuzz::Check(!EndsInLoneLead(rule, converted));
    if (fuzz::IsWhole(rule, localeText)) fuzz::Check(fuzz::IsWhole(rule, converted));
    if (calendar < 3 && ((flags >> 4) & 3) == 1) fuzz::Check(converted == localeText);

    LocaleFormats formats;
    formats.ShortDatePattern = converted;
    formats.LongDatePattern = std::string(localeText);
    formats.AmDesignator = era;
    formats.MonthFullNames[0] = era;
    formats.DayFullNames[1] = std::string(localeText);
    const bool eraFails = (flags & 0x40) != 0;
    const auto eraText = [&](int, int, int, std::string_view) -> std::optional<std::string> {
        if (eraFails) return std::nullopt;
        return era;
    };
    const std::string out = RenderTimeFormat(rule, pattern, value, formats, eraText);
    fuzz::Check(out.size() <= RenderedTimeFormatLimit);
    fuzz::Check(!EndsInLoneLead(rule, out) || EndsInLoneLead(rule, pattern) ||
                EndsInLoneLead(rule, era) || EndsInLoneLead(rule, localeText));
    // No character is split, the 256-byte cut included, under every code page.
    if (fuzz::IsWhole(rule, pattern) && fuzz::IsWhole(rule, localeText) && fuzz::IsWhole(rule, era))
        fuzz::Check(fuzz::IsWhole(rule, out));
    return 0;
}
