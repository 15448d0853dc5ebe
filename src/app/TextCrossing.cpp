#include "app/TextCrossing.h"

#include "platform/Text.h"

#include <windows.h>

namespace tovimar::app {

namespace {

// UTF-16 units of the character at i: a whole pair, or one unit (a lone half included).
size_t UnitsAt(std::wstring_view text, size_t i) {
    return IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() ? 2 : 1;
}

} // namespace

std::string AnsiOf(std::wstring_view text) {
    return platform::ToAnsi(text);
}

std::wstring WideOf(std::string_view bytes) {
    return platform::FromAnsi(bytes);
}

bool FitsAnsi(std::wstring_view text) {
    return platform::FitsAnsiCodePage(text);
}

std::wstring Widen(const ShownText &text) {
    std::wstring wide;
    for (const ShownText::Piece &piece : text.Pieces()) {
        wide += piece.From == ShownText::Source::Program ? platform::FromProgramText(piece.Bytes)
                                                         : WideOf(piece.Bytes);
    }
    return wide;
}

size_t WholeCharacterIndex(std::wstring_view text, size_t index, bool roundUp) {
    if (index > text.size()) return text.size();
    if (index == 0 || index == text.size() || !IS_LOW_SURROGATE(text[index]) ||
        !IS_HIGH_SURROGATE(text[index - 1]))
        return index;
    return roundUp ? index + 1 : index - 1;
}

size_t ByteOffsetOf(std::wstring_view text, size_t index, bool roundUp) {
    return AnsiOf(text.substr(0, WholeCharacterIndex(text, index, roundUp))).size();
}

size_t IndexOfByteOffset(std::wstring_view text, size_t offset, bool roundUp) {
    size_t bytes = 0;
    size_t i = 0;
    while (i < text.size() && bytes < offset) {
        size_t units = UnitsAt(text, i);
        size_t length = AnsiOf(text.substr(i, units)).size();
        if (bytes + length > offset && !roundUp) break;
        bytes += length;
        i += units;
    }
    return i;
}

std::wstring FittingInsert(std::wstring_view text, WideSelection sel, std::wstring_view insert,
                           size_t maxBytes) {
    std::wstring accepted;
    // Each character is converted once: the bytes of what is kept add up as it grows.
    size_t bytes = ByteOffsetOf(text, sel.Start) + AnsiOf(text.substr(sel.End)).size();
    for (size_t i = 0; i < insert.size();) {
        std::wstring_view ch = insert.substr(i, UnitsAt(insert, i));
        i += ch.size();
        if (!FitsAnsi(ch)) continue;
        size_t length = AnsiOf(ch).size();
        if (bytes + length > maxBytes) break;
        bytes += length;
        accepted += ch;
    }
    return accepted;
}

} // namespace tovimar::app
