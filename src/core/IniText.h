// The settings file as text: its encoding, the values of one section read from it, and the same
// file with new values where every other byte stays as it was.
#pragma once

#include "core/DoubleByte.h"
#include "core/TextEncoding.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tovimar {

// No hand-edited settings file comes near this; a larger one is not read, and so never
// rewritten.
inline constexpr size_t IniFileSizeLimit = size_t(64) << 20;

// Lines end at a line feed, a carriage return and line feed, or a carriage return alone. A
// section header is a line whose first non-blank character is "[", up to the line's last "]"
// character (found by characters, the text's own character rule, so that no trail byte counts);
// the name between them is trimmed of blanks, and names ignore ASCII letter case. A key line is
// the key, an equals sign and the value; blanks around keys and values are removed, nothing else.

// The lines of the first section named section, from the line after its header to the next
// header; nullopt when the text has no such section. Later sections of the name are not read.
std::optional<std::string_view> FindIniSection(std::string_view text, std::string_view section,
                                               const CharacterRule &characters);

// The value on the first line of body (lines of one section) that holds key; nullopt when no
// line does or that line has no equals sign.
std::optional<std::string_view> FindIniValue(std::string_view body, std::string_view key);

// text with each (distinct) key set to its value: the key's first line, when its value differs,
// becomes "key=value" and the line's own break; missing keys are added after the section's last
// line with that line's break, a missing section at the end with the file's first break. A value
// ends before its first line break. Every other byte is kept.
std::string SetIniValues(std::string_view text, std::string_view section,
                         const std::vector<std::pair<std::string, std::string>> &values,
                         const CharacterRule &characters);

// Why a value would not be read back as written; None when it would.
enum class IniValueFault { None, BlankAtEnd, LineBreak, TooLong };
IniValueFault CheckIniValue(std::string_view value);

// Crosses values between UTF-8 and the program's code page; nullopt when one cannot hold them.
class CodePageCrossing {
public:
    virtual ~CodePageCrossing() = default;
    virtual std::optional<std::string> FromUtf8(std::string_view text) const = 0;
    virtual std::optional<std::string> ToUtf8(std::string_view text) const = 0;
};

// What the program reads and writes in one section, in its own code page. A write that gives a
// key the value its read handed out leaves the stored text alone, so values the program cannot
// hold, or holds cut short, survive a run.
class IniSettings {
public:
    // ansiCharacters: the character rule of the code page that files without a byte-order
    // mark and not in UTF-8 are in.
    IniSettings(std::string section, const CodePageCrossing &crossing,
                const CharacterRule &ansiCharacters)
        : section_(std::move(section)), crossing_(&crossing), ansiCharacters_(ansiCharacters) {}
    // Takes the values of the section from the file's bytes.
    void Load(std::string_view fileBytes);

    // The key's value, at most IniStringLimit bytes cut to whole characters by rule (that of
    // the code page the value is handed out in); fallback when the key is missing or its text
    // does not fit the code page.
    std::string Read(const CharacterRule &rule, const std::string &key,
                     const std::string &fallback);
    void Write(const std::string &key, const std::string &value);
    // The same in UTF-8, for values that need not fit the code page (the extension history):
    // nullopt when the key is missing or its text is not text of the file's encoding. A write
    // the file's encoding cannot hold (an ANSI file) changes nothing and answers false.
    std::optional<std::string> ReadUtf8(const std::string &key);
    bool WriteUtf8(const std::string &key, const std::string &utf8);
    bool HasChanges() const { return !changes_.empty() || !utf8Changes_.empty(); }

    // The file as it is now with this run's writes, in the file's own encoding; nullopt when its
    // bytes would not come back as they are (damaged UTF-16). A file in the ANSI code page that
    // would then read as UTF-8 becomes UTF-8 with a byte-order mark.
    std::optional<std::string> Apply(std::string_view currentBytes) const;

private:
    CharacterRule CharactersOf(TextEncoding encoding) const;
    std::optional<std::string_view> FindValue(const std::string &key) const;

    std::string section_;
    const CodePageCrossing *crossing_;
    CharacterRule ansiCharacters_;
    bool unicode_ = false;
    // The text read; the section's lines are looked up in it at each read, so that a large
    // file costs no more memory than its text.
    std::string text_;
    // Where the section's lines lie in text_: offset and length.
    std::optional<std::pair<size_t, size_t>> sectionBody_;
    std::vector<std::pair<std::string, std::string>> handedOut_;
    std::vector<std::pair<std::string, std::string>> changes_;
    std::vector<std::pair<std::string, std::string>> utf8HandedOut_;
    std::vector<std::pair<std::string, std::string>> utf8Changes_;
};

} // namespace tovimar
