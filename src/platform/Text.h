// The one conversion between code pages and UTF-16: every other file of the program converts
// through these functions. The code page is an argument (CP_ACP, CP_UTF8, ProgramCodePage).
#pragma once

#include "core/DoubleByte.h"
#include "core/ShownText.h"

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace tovimar::platform {

// The program's own fixed texts are in this code page on every system.
inline constexpr UINT ProgramCodePage = 932;

// Bytes of codePage as UTF-16; bytes the code page does not define become what the system
// makes of them.
std::wstring ToWide(UINT codePage, std::string_view bytes);
// The same, or nullopt when the bytes are not valid text of codePage.
std::optional<std::wstring> ToWideExactly(UINT codePage, std::string_view bytes);
// UTF-16 as bytes of codePage; a character the code page cannot hold becomes its default
// character (none can be lost to CP_UTF8).
std::string FromWide(UINT codePage, std::wstring_view text);

// The ANSI code page's shorthands.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);
// True when every character of text survives the trip to the ANSI code page and back.
bool FitsAnsiCodePage(std::wstring_view text);
// UTF-16 units of the character at index i of text: two for a surrogate pair, else one.
size_t CharacterUnitsAt(std::wstring_view text, size_t i);
// How wide text looks, in ANSI bytes: each character by its bytes in the ANSI code page where
// it fits, else 2 (a wide character; an emoji is one). Text that fits counts its ANSI bytes.
size_t AnsiLookBytes(std::wstring_view text);
// The program's own texts; where ProgramCodePage is not installed they are read as ANSI.
std::wstring FromProgramText(std::string_view bytes);

// The working code page of texts decided together: the ANSI one while all fit it, else UTF-8.
uint32_t AnsiCodePage();
uint32_t WorkingCodePageOf(std::initializer_list<std::wstring_view> texts);
// The character rule of a working code page (CP_ACP is the ANSI one).
const CharacterRule &RuleOf(uint32_t codePage);
// The locale's case mapping of UTF-16 text (é and É are a pair where ANSI may have neither).
std::wstring WideUpper(std::wstring text);
std::wstring WideLower(std::wstring text);

// Locale-aware ANSI case mapping over the whole byte length (CharUpperBuffA/CharLowerBuffA).
std::string AnsiUpper(std::string text);
std::string AnsiLower(std::string text);

// The system's own text for an error code, in the ANSI code page, without the line break.
std::string SystemErrorText(DWORD code);
// A name or path for a box: the system's piece while the ANSI code page holds every character,
// else UTF-8, so that no character is shown as another.
ShownText ShownTextOf(std::wstring_view text);
// A failure as a box says it: the message, then the path and the system's reason for error,
// each on a line of its own where there is one.
ShownText FailureText(ShownText message, std::wstring_view path, DWORD error);

} // namespace tovimar::platform
