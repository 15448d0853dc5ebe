#include "app/TextCrossing.h"

#include "platform/Text.h"

#include <windows.h>

#include <algorithm>

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

std::string BytesOf(std::wstring_view text, uint32_t codePage) {
    return platform::FromWide(codePage, text);
}

std::wstring WideOf(std::string_view bytes, uint32_t codePage) {
    return platform::ToWide(codePage, bytes);
}

std::wstring Widen(const ShownText &text) {
    std::wstring wide;
    for (const ShownText::Piece &piece : text.Pieces()) {
        switch (piece.From) {
        case ShownText::Source::Program:
            wide += platform::FromProgramText(piece.Bytes);
            break;
        case ShownText::Source::System:
            wide += WideOf(piece.Bytes);
            break;
        case ShownText::Source::Utf8:
            wide += platform::ToWide(CP_UTF8, piece.Bytes);
            break;
        }
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

size_t ByteOffsetOf(std::wstring_view text, size_t index, bool roundUp, uint32_t codePage) {
    return BytesOf(text.substr(0, WholeCharacterIndex(text, index, roundUp)), codePage).size();
}

size_t IndexOfByteOffset(std::wstring_view text, size_t offset, bool roundUp, uint32_t codePage) {
    size_t bytes = 0;
    size_t i = 0;
    while (i < text.size() && bytes < offset) {
        size_t units = UnitsAt(text, i);
        size_t length = BytesOf(text.substr(i, units), codePage).size();
        if (bytes + length > offset && !roundUp) break;
        bytes += length;
        i += units;
    }
    return i;
}

std::wstring FittingInsert(std::wstring_view text, WideSelection sel, std::wstring_view insert,
                           size_t maxBytes, bool otherFits) {
    const std::wstring_view head = text.substr(0, WholeCharacterIndex(text, sel.Start));
    const std::wstring_view tail = text.substr(std::min(sel.End, text.size()));
    bool fits = otherFits && FitsAnsi(head) && FitsAnsi(tail);
    // Each character is converted once: the bytes of what is kept add up as it grows, in both
    // code pages, so that the first character the ANSI one cannot hold switches the count.
    size_t ansiBytes = fits ? AnsiOf(head).size() + AnsiOf(tail).size() : 0;
    size_t utf8Bytes = BytesOf(head, CP_UTF8).size() + BytesOf(tail, CP_UTF8).size();
    std::wstring accepted;
    for (size_t i = 0; i < insert.size();) {
        std::wstring_view ch = insert.substr(i, UnitsAt(insert, i));
        i += ch.size();
        // A lone half of a pair is no character in any code page.
        if (ch.size() == 1 && (IS_HIGH_SURROGATE(ch[0]) || IS_LOW_SURROGATE(ch[0]))) continue;
        const bool chFits = fits && FitsAnsi(ch);
        const size_t nextAnsi = chFits ? ansiBytes + AnsiOf(ch).size() : 0;
        const size_t nextUtf8 = utf8Bytes + BytesOf(ch, CP_UTF8).size();
        if ((chFits ? nextAnsi : nextUtf8) > maxBytes) break;
        fits = chFits;
        ansiBytes = nextAnsi;
        utf8Bytes = nextUtf8;
        accepted += ch;
    }
    return accepted;
}

} // namespace tovimar::app
