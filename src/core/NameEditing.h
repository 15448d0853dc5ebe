// The byte rules behind the editing commands: blank replacement and the caret commands.
#pragma once

#include "core/DoubleByte.h"

#include "core/Messages.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tovimar {

inline constexpr std::string_view Blank = " ";
inline constexpr std::string_view Underscore = "_";
// Code page 932's bytes of the full-width blank and the full-width low line.
inline constexpr std::string_view WideBlank = "\x81\x40";
inline constexpr std::string_view WideUnderscore = "\x81\x51";

// The fixed texts the commands compare or insert, as bytes of the running code page; empty
// where that code page cannot hold one (the command skips what needs it). The platform sets
// them once at start from their known text; until then they are code page 932's.
struct CodePageLiterals {
    std::string WideBlank{tovimar::WideBlank};
    std::string WideUnderscore{tovimar::WideUnderscore};
    // What the delete command puts into the name field and the execution recognises.
    std::string DeleteName{msg::DeleteName};
};
const CodePageLiterals &CurrentLiterals();
void SetLiterals(const CodePageLiterals &literals);

// Every non-overlapping occurrence of pattern replaced, left to right; a match starts and ends
// on character boundaries of rule; an empty pattern replaces nothing.
std::string ReplaceAll(const CharacterRule &rule, std::string_view text, std::string_view pattern,
                       std::string_view replacement);

// Removes count bytes from position pos, at most to the end; nothing when pos is past the text.
std::string DeleteBytes(std::string text, size_t pos, size_t count);
// Inserts at position pos; beyond the end appended.
std::string InsertBytes(std::string text, size_t pos, std::string_view insert);

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
// rest of the text from there is selected (at most DeleteRightLimit bytes). Both limits take
// whole characters only.
inline constexpr size_t DeleteRightLimit = 255;
NameSelection DeleteRight(const CharacterRule &rule, const NameSelection &field);
// The selection replaced by stamp; the caret at the start of the stamp.
NameSelection PasteOver(const NameSelection &field, std::string_view stamp);

} // namespace tovimar
