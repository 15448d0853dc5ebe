// The byte rules behind the editing commands: blank replacement and the caret commands.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tovimar {

inline constexpr std::string_view Blank = " ";
inline constexpr std::string_view WideBlank = "\x81\x40"; // full-width blank
inline constexpr std::string_view Underscore = "_";
inline constexpr std::string_view WideUnderscore = "\x81\x51"; // full-width low line

// Every non-overlapping occurrence of pattern replaced, left to right; a match never starts on
// a trail byte (current double-byte table); an empty pattern replaces nothing.
std::string ReplaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement);

// Removes count bytes from 1-based position p, at most to the end; nothing when p is outside
// the text or count is not positive.
std::string DeleteBytes(std::string text, long long p, long long count);
// Inserts at 1-based position p: below 1 at the front, beyond the end appended.
std::string InsertBytes(std::string text, long long p, std::string_view insert);

// The name field as the caret commands see it: byte offsets from 0.
struct NameSelection {
    std::string Text;
    size_t SelStart = 0;
    size_t SelLength = 0;
    bool operator==(const NameSelection &) const = default;
};

// Everything left of the selection goes; the selection stays selected at the front.
NameSelection DeleteLeft(const NameSelection &field);
// Up to DeleteRightLimit bytes right of the selection go; the selection start stays and the
// rest of the text from there is selected (at most DeleteRightLimit bytes).
inline constexpr size_t DeleteRightLimit = 255;
NameSelection DeleteRight(const NameSelection &field);
// The selection replaced by stamp; the caret at the start of the stamp.
NameSelection PasteOver(const NameSelection &field, std::string_view stamp);

} // namespace tovimar
