// The encodings a text file may be in, told from its bytes, and the crossing of its bytes to and
// from 8-bit text with ASCII line structure.
#pragma once

#include <string>
#include <string_view>

namespace tovimar {

enum class TextEncoding { Ansi, Utf8, Utf8Bom, Utf16Le, Utf16Be };

// Byte-order marks first; else text that is valid UTF-8 and not plain ASCII is UTF-8 (Notepad
// saves so without a mark); else the ANSI code page.
TextEncoding DetectTextEncoding(std::string_view bytes);

// The file's bytes as 8-bit text with ASCII line structure: the byte-order mark removed, UTF-16
// turned into UTF-8. Unpaired surrogates and an odd last byte survive, so that EncodeText gives
// back the same bytes.
std::string DecodeText(std::string_view bytes, TextEncoding encoding);
std::string EncodeText(std::string_view text, TextEncoding encoding);

} // namespace tovimar
