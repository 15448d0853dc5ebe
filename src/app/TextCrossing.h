// The window's one way between the controls' UTF-16 and the program's bytes (ANSI, or UTF-8 for
// names the ANSI code page cannot hold): texts, and positions counted in either. Nothing else
// in the window converts; this converts only through the platform's conversions (platform/Text.h).
#pragma once

#include "core/ShownText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tovimar::app {

// A text's ANSI bytes; characters the code page cannot hold become its default character.
std::string AnsiOf(std::wstring_view text);
// The characters of ANSI bytes.
std::wstring WideOf(std::string_view bytes);
// True when every character survives the trip to the ANSI code page and back.
bool FitsAnsi(std::wstring_view text);
// The crossings for a working code page (CP_ACP or UTF-8).
std::string BytesOf(std::wstring_view text, uint32_t codePage);
std::wstring WideOf(std::string_view bytes, uint32_t codePage);

// A text for the screen as characters: the program's own pieces from code page 932, so that
// they read the same on every system; the system's pieces from the ANSI code page; UTF-8 pieces
// from UTF-8.
std::wstring Widen(const ShownText &text);

// An index between the two halves of a surrogate pair (Wine's edit puts the caret there after
// End, Left) moved to the pair's start, or past it when roundUp is set.
size_t WholeCharacterIndex(std::wstring_view text, size_t index, bool roundUp = false);

// Byte offset (in the text's bytes of codePage) of the UTF-16 index of text; an index inside a
// character counts from its start, or from its end when roundUp is set.
size_t ByteOffsetOf(std::wstring_view text, size_t index, bool roundUp = false,
                    uint32_t codePage = 0);

// UTF-16 index of a byte offset. An offset inside a double-byte character rounds down to the
// character's start, or up past it when roundUp is set.
size_t IndexOfByteOffset(std::wstring_view text, size_t offset, bool roundUp = false,
                         uint32_t codePage = 0);

// A selection in UTF-16 units, as the controls report it.
struct WideSelection {
    size_t Start = 0;
    size_t End = 0;
};

// The longest head of insert that fits in place of the selection without the text growing
// past maxBytes in the working code page it then needs: the ANSI one while the text and
// otherFits allow, else UTF-8.
std::wstring FittingInsert(std::wstring_view text, WideSelection sel, std::wstring_view insert,
                           size_t maxBytes, bool otherFits = true);

} // namespace tovimar::app
