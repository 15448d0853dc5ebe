#include "core/IniText.h"

#include "core/AsciiCase.h"
#include "core/IniValue.h"

#include <algorithm>

namespace tovimar {

namespace {

// The blanks the platform's profile reader trims, DOS end-of-file included. None of them is a
// trail byte of a double-byte code page, so the bytes can be trimmed as they are.
bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1A';
}

// One line of the file: where it starts, where its break starts and where the next line starts,
// and its text without the blanks around it.
struct Line {
    size_t Begin = 0, BreakBegin = 0, End = 0;
    std::string_view Content;

    bool HasBreak() const { return BreakBegin < End; }
};

Line LineAt(std::string_view text, size_t begin) {
    Line line;
    line.Begin = begin;
    size_t at = begin;
    while (at < text.size() && text[at] != '\n' && text[at] != '\r')
        ++at;
    line.BreakBegin = at;
    if (at < text.size())
        at += text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    line.End = at;
    size_t from = begin, to = line.BreakBegin;
    while (from < to && IsBlank(text[from]))
        ++from;
    while (to > from && IsBlank(text[to - 1]))
        --to;
    line.Content = text.substr(from, to - from);
    return line;
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// The name in a header line, up to its last closing bracket, as the profile reader has it; the
// walk goes by characters so that a trail byte 0x5D is no bracket.
std::optional<std::string_view> HeaderName(std::string_view content,
                                           const CharacterRule &characters) {
    if (content.empty() || content.front() != '[') return std::nullopt;
    size_t close = std::string_view::npos;
    for (size_t pos = 1; pos < content.size(); pos += CharLength(characters, content, pos)) {
        if (content[pos] == ']') close = pos;
    }
    if (close == std::string_view::npos) return std::nullopt;
    return TrimBlanks(content.substr(1, close - 1));
}

// A key line's key and value; no value without an equals sign. The equals sign and the blanks
// are no trail bytes of any code page, so bytes do here.
struct KeyLine {
    std::string_view Key;
    std::optional<std::string_view> Value;
};

KeyLine KeyLineOf(std::string_view content) {
    const size_t equals = content.find('=');
    if (equals == std::string_view::npos) return {content, std::nullopt};
    return {TrimBlanks(content.substr(0, equals)), TrimBlanks(content.substr(equals + 1))};
}

// Only the first section of the name counts, as for the profile reader.
enum class Place { Before, Inside, After };

Place PlaceAfterHeader(Place place, std::string_view name, std::string_view section) {
    if (place == Place::Inside) return Place::After;
    if (place == Place::Before && SameIgnoringAsciiCase(name, section)) return Place::Inside;
    return place;
}

// The file's first line break; CR LF for a file of one line.
std::string_view LineBreakOf(std::string_view text) {
    const Line first = LineAt(text, 0);
    return first.HasBreak() ? text.substr(first.BreakBegin, first.End - first.BreakBegin)
                            : std::string_view("\r\n");
}

bool EndsWithBreak(std::string_view text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

// Sets key's value in a short list of pairs.
void Remember(std::vector<std::pair<std::string, std::string>> &pairs, const std::string &key,
              const std::string &value) {
    const auto same =
        std::find_if(pairs.begin(), pairs.end(), [&](const auto &p) { return p.first == key; });
    if (same != pairs.end()) {
        same->second = value;
    } else {
        pairs.emplace_back(key, value);
    }
}

} // namespace

std::optional<std::string_view> FindIniSection(std::string_view text, std::string_view section,
                                               const CharacterRule &characters) {
    for (size_t pos = 0; pos < text.size();) {
        const Line line = LineAt(text, pos);
        pos = line.End;
        const std::optional<std::string_view> name = HeaderName(line.Content, characters);
        if (!name || !SameIgnoringAsciiCase(*name, section)) continue;
        size_t end = pos;
        while (end < text.size()) {
            const Line next = LineAt(text, end);
            if (HeaderName(next.Content, characters)) break;
            end = next.End;
        }
        return text.substr(pos, end - pos);
    }
    return std::nullopt;
}

std::optional<std::string_view> FindIniValue(std::string_view body, std::string_view key) {
    for (size_t pos = 0; pos < body.size();) {
        const Line line = LineAt(body, pos);
        pos = line.End;
        // Most lines of a large file hold other keys: their first letter tells.
        if (line.Content.empty() ||
            (!key.empty() && (line.Content.front() | 0x20) != (key.front() | 0x20)))
            continue;
        const KeyLine found = KeyLineOf(line.Content);
        if (SameIgnoringAsciiCase(found.Key, key)) return found.Value;
    }
    return std::nullopt;
}

std::string SetIniValues(std::string_view text, std::string_view section,
                         const std::vector<std::pair<std::string, std::string>> &values,
                         const CharacterRule &characters) {
    // A line break would start a line of its own.
    const auto valueOf = [&](size_t i) {
        const std::string_view value = values[i].second;
        return value.substr(0, value.find_first_of("\r\n"));
    };
    std::vector<bool> placed(values.size(), false);
    std::string out;
    out.reserve(text.size() + 64);
    Place place = Place::Before;
    size_t insertAt = std::string::npos;
    // New lines take the break of the line they follow, so that a CR LF after them stays whole.
    std::string_view lineBreak = LineBreakOf(text);
    bool insertNeedsBreak = false;
    for (size_t pos = 0; pos < text.size();) {
        const Line line = LineAt(text, pos);
        pos = line.End;
        const std::string_view ownBreak = text.substr(line.BreakBegin, line.End - line.BreakBegin);
        bool rewritten = false;
        if (const auto name = HeaderName(line.Content, characters)) {
            place = PlaceAfterHeader(place, *name, section);
        } else if (place == Place::Inside && !line.Content.empty()) {
            const KeyLine found = KeyLineOf(line.Content);
            for (size_t i = 0; i < values.size(); ++i) {
                if (placed[i] || !SameIgnoringAsciiCase(found.Key, values[i].first)) continue;
                placed[i] = true;
                if (found.Value != valueOf(i)) {
                    out.append(found.Key).append("=").append(valueOf(i)).append(ownBreak);
                    rewritten = true;
                }
                break;
            }
        }
        if (!rewritten) out.append(text.substr(line.Begin, line.End - line.Begin));
        if (place == Place::Inside && !line.Content.empty()) {
            insertAt = out.size();
            insertNeedsBreak = !line.HasBreak();
            if (line.HasBreak()) lineBreak = ownBreak;
        }
    }
    std::string added;
    for (size_t i = 0; i < values.size(); ++i) {
        if (!placed[i])
            added.append(values[i].first).append("=").append(valueOf(i)).append(lineBreak);
    }
    if (added.empty()) return out;
    if (insertAt == std::string::npos) {
        if (!out.empty() && !EndsWithBreak(out)) out.append(lineBreak);
        out.append("[").append(section).append("]").append(lineBreak).append(added);
    } else {
        if (insertNeedsBreak) added.insert(0, lineBreak);
        out.insert(insertAt, added);
    }
    return out;
}

IniValueFault CheckIniValue(std::string_view value) {
    if (value.size() > IniStringLimit) return IniValueFault::TooLong;
    if (value.find_first_of("\r\n") != std::string_view::npos) return IniValueFault::LineBreak;
    if (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back())))
        return IniValueFault::BlankAtEnd;
    return IniValueFault::None;
}

CharacterRule IniSettings::CharactersOf(TextEncoding encoding) const {
    // UTF-16 is read as UTF-8.
    return encoding == TextEncoding::Ansi ? ansiCharacters_ : Utf8Rule();
}

void IniSettings::Load(std::string_view fileBytes) {
    const TextEncoding encoding = DetectTextEncoding(fileBytes);
    unicode_ = encoding != TextEncoding::Ansi;
    text_ = DecodeText(fileBytes, encoding);
    sectionBody_.reset();
    if (const auto body = FindIniSection(text_, section_, CharactersOf(encoding)))
        sectionBody_.emplace(size_t(body->data() - text_.data()), body->size());
}

std::optional<std::string_view> IniSettings::FindValue(const std::string &key) const {
    if (!sectionBody_) return std::nullopt;
    return FindIniValue(std::string_view(text_).substr(sectionBody_->first, sectionBody_->second),
                        key);
}

std::string IniSettings::Read(const CharacterRule &rule, const std::string &key,
                              const std::string &fallback) {
    const std::optional<std::string_view> found = FindValue(key);
    if (!found) return fallback;
    std::optional<std::string> value =
        unicode_ ? crossing_->FromUtf8(*found) : std::optional<std::string>(*found);
    // A zero byte ends a value for everything the program hands it to.
    std::string handed = value ? CutIniString(rule, value->substr(0, value->find('\0'))) : fallback;
    Remember(handedOut_, key, handed);
    return handed;
}

void IniSettings::Write(const std::string &key, const std::string &value) {
    const auto handed = std::find_if(handedOut_.begin(), handedOut_.end(),
                                     [&](const auto &h) { return h.first == key; });
    if (handed == handedOut_.end() || handed->second != value) Remember(changes_, key, value);
}

std::optional<std::string> IniSettings::ReadUtf8(const std::string &key) {
    const std::optional<std::string_view> found = FindValue(key);
    if (!found) return std::nullopt;
    const std::string_view stored = found->substr(0, found->find('\0'));
    // Cut to the limit in the file's own characters, as Read does.
    std::optional<std::string> value =
        unicode_ ? std::string(stored.substr(0, FitCharacters(Utf8Rule(), stored, IniStringLimit)))
                 : crossing_->ToUtf8(CutIniString(ansiCharacters_, stored));
    if (value) Remember(utf8HandedOut_, key, *value);
    return value;
}

bool IniSettings::WriteUtf8(const std::string &key, const std::string &utf8) {
    if (!unicode_ && !crossing_->FromUtf8(utf8)) return false;
    const auto handed = std::find_if(utf8HandedOut_.begin(), utf8HandedOut_.end(),
                                     [&](const auto &h) { return h.first == key; });
    if (handed == utf8HandedOut_.end() || handed->second != utf8) Remember(utf8Changes_, key, utf8);
    return true;
}

std::optional<std::string> IniSettings::Apply(std::string_view currentBytes) const {
    const TextEncoding encoding = DetectTextEncoding(currentBytes);
    const std::string text = DecodeText(currentBytes, encoding);
    if (EncodeText(text, encoding) != currentBytes) return std::nullopt;
    std::vector<std::pair<std::string, std::string>> values;
    for (const auto &[key, value] : changes_) {
        if (encoding == TextEncoding::Ansi) {
            values.emplace_back(key, value);
        } else if (std::optional<std::string> utf8 = crossing_->ToUtf8(value)) {
            values.emplace_back(key, *utf8);
        }
        // A value that is not text of the code page keeps the stored one.
    }
    for (const auto &[key, utf8] : utf8Changes_) {
        if (encoding != TextEncoding::Ansi) {
            values.emplace_back(key, utf8);
        } else if (std::optional<std::string> ansi = crossing_->FromUtf8(utf8)) {
            values.emplace_back(key, *ansi);
        }
        // The file became ANSI since it was read: the value stays out rather than change it.
    }
    std::string result = SetIniValues(text, section_, values, CharactersOf(encoding));
    if (encoding == TextEncoding::Ansi && DetectTextEncoding(result) != TextEncoding::Ansi) {
        // Code-page bytes that happen to form UTF-8 would be read as UTF-8 at the next start.
        if (std::optional<std::string> utf8 = crossing_->ToUtf8(result))
            return EncodeText(*utf8, TextEncoding::Utf8Bom);
    }
    return EncodeText(result, encoding);
}

} // namespace tovimar
