#include "core/TimeFormat.h"

#include "core/AsciiCase.h"
#include "core/DoubleByte.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tovimar {

namespace {

// A double-byte character outside quotes is dropped; UTF-8 has no lead-byte set, so its
// characters are copied.
bool IsLeadByte(const CharacterRule &rule, char c) {
    return rule.DoubleByteMode && rule.IsLead(static_cast<unsigned char>(c));
}

bool StartsTwelveHourMarker(std::string_view s) {
    return StartsWithIgnoringAsciiCase(s, "AM/PM") || StartsWithIgnoringAsciiCase(s, "A/P") ||
           StartsWithIgnoringAsciiCase(s, "AMPM");
}

std::string Number(int64_t value, int digits) {
    std::string text = std::to_string(value);
    if (text.size() < size_t(digits)) text.insert(0, size_t(digits) - text.size(), '0');
    return text;
}

// Everything appended past the limit is dropped; a character that does not fit whole is dropped
// with it, so the result never ends in part of one.
class Output {
public:
    explicit Output(const CharacterRule &rule) : rule_(rule) {}
    void Append(std::string_view bytes) {
        if (full_) return;
        const size_t room = RenderedTimeFormatLimit - text_.size();
        if (bytes.size() <= room) {
            text_ += bytes;
            return;
        }
        text_ += bytes.substr(0, FitCharacters(rule_, bytes, room));
        full_ = true;
    }
    void Append(char c) { Append(std::string_view(&c, 1)); }
    std::string Take() { return std::move(text_); }

private:
    const CharacterRule &rule_;
    std::string text_;
    bool full_ = false;
};

// Whether the text after an h run asks for the twelve-hour clock: the first a outside quotes,
// unless an h comes first.
bool LooksTwelveHour(const CharacterRule &rule, std::string_view p, size_t j) {
    bool quoted = false;
    while (j < p.size()) {
        const char c = p[j];
        if (const size_t length = CharLength(rule, p, j); length > 1) {
            j += length;
            continue;
        }
        if (c == '"' || c == '\'') {
            quoted = !quoted;
        } else if (c == 'h' || c == 'H') {
            return false;
        } else if (!quoted && (c == 'a' || c == 'A')) {
            return StartsTwelveHourMarker(p.substr(j));
        }
        ++j;
    }
    return false;
}

std::string ShortEraName(const CharacterRule &rule, const std::string &name, uint32_t locale) {
    const uint32_t language = locale & 0x3FF;
    const uint32_t sublanguage = (locale & 0xFFFF) >> 10;
    if (language == 0x11) return name.substr(0, CharLength(rule, name, 0));
    if (language == 0x04 && sublanguage == 1) {
        std::vector<size_t> starts;
        for (size_t i = 0; i < name.size(); i += CharLength(rule, name, i))
            starts.push_back(i);
        if (starts.size() == 4) return name.substr(starts[2]);
    }
    return name;
}

class Renderer {
public:
    Renderer(const CharacterRule &rule, const DateTimeParts &time, const LocaleFormats &formats,
             const EraFormatter &era)
        : rule_(rule), t_(time), f_(formats), era_(era), out_(rule) {}

    void Render(std::string_view pattern, int level);
    std::string Take() { return out_.Take(); }

private:
    void Nested(const std::string &pattern, int level) {
        if (level == 1) Render(pattern, 2);
    }
    void Era(size_t run);
    void EraYear(size_t run);

    const CharacterRule &rule_;
    const DateTimeParts t_;
    const LocaleFormats &f_;
    const EraFormatter &era_;
    Output out_;
};

void Renderer::Era(size_t run) {
    if (!era_) return;
    std::optional<std::string> name = era_(t_.Year, t_.Month, t_.Day, "gg");
    if (!name) return;
    out_.Append(run == 1 ? ShortEraName(rule_, *name, f_.Locale) : *name);
}

void Renderer::EraYear(size_t run) {
    if (!era_) return;
    std::optional<std::string> year = era_(t_.Year, t_.Month, t_.Day, run <= 2 ? "yy" : "yyyy");
    if (!year) return;
    if (run == 1 && !year->empty() && year->front() == '0') year->erase(0, 1);
    out_.Append(*year);
}

void Renderer::Render(std::string_view pattern, int level) {
    const std::string_view p = pattern.substr(0, pattern.find('\0'));
    char previous = 0;
    bool twelveHour = false;
    const bool beforeNoon = t_.Hour < 12;
    size_t i = 0;
    while (i < p.size()) {
        const char starter = p[i];
        const bool lead = IsLeadByte(rule_, starter);
        const std::string_view character = p.substr(i, CharLength(rule_, p, i));
        i += character.size();
        if (lead) {
            previous = 0;
            continue;
        }
        char token = AsciiUpper(starter);
        if (token >= 'A' && token <= 'Z') {
            if (token == 'M' && previous == 'H') token = 'N';
            previous = token;
        }
        auto run = [&] {
            size_t n = 1;
            for (; i < p.size() && p[i] == starter; ++i)
                ++n;
            return n;
        };
        switch (token) {
        case 'Y': {
            const size_t n = run();
            out_.Append(n <= 2 ? Number(t_.Year % 100, 2) : Number(t_.Year, 4));
            break;
        }
        case 'M': {
            const size_t n = run();
            if (n <= 2)
                out_.Append(Number(t_.Month, int(n)));
            else if (n == 3)
                out_.Append(f_.MonthAbbreviations[size_t(t_.Month - 1)]);
            else
                out_.Append(f_.MonthFullNames[size_t(t_.Month - 1)]);
            break;
        }
        case 'N':
            out_.Append(Number(t_.Minute, run() == 1 ? 1 : 2));
            break;
        case 'D': {
            const size_t n = run();
            if (n <= 2)
                out_.Append(Number(t_.Day, int(n)));
            else if (n == 3)
                out_.Append(f_.DayAbbreviations[size_t(t_.DayOfWeek - 1)]);
            else if (n == 4)
                out_.Append(f_.DayFullNames[size_t(t_.DayOfWeek - 1)]);
            else
                Nested(n == 5 ? f_.ShortDatePattern : f_.LongDatePattern, level);
            break;
        }
        case 'H': {
            const size_t n = run();
            if (LooksTwelveHour(rule_, p, i)) twelveHour = true;
            int hour = t_.Hour;
            if (twelveHour && hour == 0) hour = 12;
            if (twelveHour && hour > 12) hour -= 12;
            out_.Append(Number(hour, n == 1 ? 1 : 2));
            break;
        }
        case 'S':
            out_.Append(Number(t_.Second, run() == 1 ? 1 : 2));
            break;
        case 'Z':
            out_.Append(Number(t_.Millisecond, int(std::min<size_t>(run(), 3))));
            break;
        case 'T':
            Nested(run() == 1 ? f_.ShortTimePattern : f_.LongTimePattern, level);
            break;
        case 'C':
            run();
            Nested(f_.ShortDatePattern, level);
            if (t_.Hour != 0 || t_.Minute != 0 || t_.Second != 0) {
                out_.Append(' ');
                Nested(f_.LongTimePattern, level);
            }
            break;
        case 'G':
            Era(run());
            break;
        case 'E':
            EraYear(run());
            break;
        case 'A': {
            const std::string_view marker = p.substr(i - 1);
            if (StartsWithIgnoringAsciiCase(marker, "AM/PM")) {
                out_.Append(marker.substr(beforeNoon ? 0 : 3, 2));
                i += 4;
                twelveHour = true;
            } else if (StartsWithIgnoringAsciiCase(marker, "A/P")) {
                out_.Append(marker.substr(beforeNoon ? 0 : 2, 1));
                i += 2;
                twelveHour = true;
            } else if (StartsWithIgnoringAsciiCase(marker, "AMPM")) {
                out_.Append(beforeNoon ? f_.AmDesignator : f_.PmDesignator);
                i += 3;
                twelveHour = true;
            } else if (StartsWithIgnoringAsciiCase(marker, "AAAA")) {
                out_.Append(f_.DayFullNames[size_t(t_.DayOfWeek - 1)]);
                i += 3;
            } else if (StartsWithIgnoringAsciiCase(marker, "AAA")) {
                out_.Append(f_.DayAbbreviations[size_t(t_.DayOfWeek - 1)]);
                i += 2;
            } else {
                out_.Append(starter);
            }
            break;
        }
        case '/':
            if (f_.DateSeparatorChar != 0) out_.Append(f_.DateSeparatorChar);
            break;
        case ':':
            if (f_.TimeSeparatorChar != 0) out_.Append(f_.TimeSeparatorChar);
            break;
        case '"':
        case '\'': {
            // A trail byte never closes the quote: characters are stepped over whole.
            size_t end = i;
            while (end < p.size() && p[end] != starter)
                end += CharLength(rule_, p, end);
            end = std::min(end, p.size());
            out_.Append(p.substr(i, end - i));
            i = std::min(end + 1, p.size());
            break;
        }
        default:
            // Under UTF-8 a character of several bytes is copied whole.
            out_.Append(character);
            break;
        }
    }
}

} // namespace

std::string RenderTimeFormat(const CharacterRule &rule, std::string_view timeFormat, double value,
                             const LocaleFormats &formats, const EraFormatter &era) {
    Renderer renderer(rule, DecodeDateTime(value), formats, era);
    renderer.Render(timeFormat.empty() ? std::string_view("C") : timeFormat, 1);
    return renderer.Take();
}

} // namespace tovimar
