// Conversions between code pages and UTF-16, the platform's ANSI case mapping and the
// system's error texts.
#include "platform/Text.h"

#include "core/DoubleByte.h"
#include "core/WorkingCodePage.h"
#include "platform/Locale.h"

#include <climits>

namespace tovimar::platform {

namespace {

// The Win32 conversions count in int; anything longer than that is cut, never overrun.
int ClampedLength(size_t length) {
    return length > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

std::string FromWideWith(UINT codePage, std::wstring_view text, DWORD flags, BOOL *usedDefault) {
    if (text.empty()) return {};
    int wideLength = ClampedLength(text.size());
    int size = ::WideCharToMultiByte(codePage, flags, text.data(), wideLength, nullptr, 0, nullptr,
                                     usedDefault);
    if (size <= 0) return {};
    std::string bytes(static_cast<size_t>(size), '\0');
    size = ::WideCharToMultiByte(codePage, flags, text.data(), wideLength, bytes.data(), size,
                                 nullptr, usedDefault);
    bytes.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return bytes;
}

// Nullopt when the conversion fails (with MB_ERR_INVALID_CHARS: bytes the code page lacks).
std::optional<std::wstring> ToWideWith(UINT codePage, std::string_view bytes, DWORD flags) {
    if (bytes.empty()) return std::wstring();
    int byteLength = ClampedLength(bytes.size());
    int size = ::MultiByteToWideChar(codePage, flags, bytes.data(), byteLength, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::wstring text(static_cast<size_t>(size), L'\0');
    size = ::MultiByteToWideChar(codePage, flags, bytes.data(), byteLength, text.data(), size);
    if (size <= 0) return std::nullopt;
    text.resize(static_cast<size_t>(size));
    return text;
}

using CaseMapping = DWORD(WINAPI *)(LPSTR, DWORD);

bool IsValidAnsi(std::string_view bytes) {
    return ToWideWith(CP_ACP, bytes, MB_ERR_INVALID_CHARS).has_value();
}

bool MapInPlace(CaseMapping mapping, std::string &text) {
    if (text.empty()) return true;
    if (text.size() > MAXDWORD) return false;
    DWORD length = static_cast<DWORD>(text.size());
    return mapping(text.data(), length) == length;
}

std::string MapCase(const std::string &text, CaseMapping mapping) {
    std::string mapped = text;
    if (IsValidAnsi(text) && MapInPlace(mapping, mapped)) return mapped;
    // The mapping goes through Unicode: a lone lead byte at the end makes Wine give up, and
    // an invalid pair such as 81 20 comes back as another character. Map the valid
    // characters one by one and keep the rest as they are.
    mapped.clear();
    for (size_t i = 0; i < text.size();) {
        size_t length = CharLength(AnsiCharacterRule(), text, i);
        std::string character = text.substr(i, length);
        std::string one = character;
        mapped += IsValidAnsi(character) && MapInPlace(mapping, one) ? one : character;
        i += length;
    }
    return mapped;
}

} // namespace

std::wstring ToWide(UINT codePage, std::string_view bytes) {
    return ToWideWith(codePage, bytes, 0).value_or(std::wstring());
}

std::optional<std::wstring> ToWideExactly(UINT codePage, std::string_view bytes) {
    return ToWideWith(codePage, bytes, MB_ERR_INVALID_CHARS);
}

std::string FromWide(UINT codePage, std::wstring_view text) {
    return FromWideWith(codePage, text, 0, nullptr);
}

uint32_t AnsiCodePage() {
    return ::GetACP();
}

uint32_t WorkingCodePageOf(std::initializer_list<std::wstring_view> texts) {
    bool allFit = true;
    for (std::wstring_view text : texts)
        allFit = allFit && FitsAnsiCodePage(text);
    return WorkingCodePage(AnsiCodePage(), {allFit});
}

const CharacterRule &RuleOf(uint32_t codePage) {
    const uint32_t ansi = AnsiCodePage();
    return RuleOfCodePage(codePage == CP_ACP ? ansi : codePage, ansi, AnsiCharacterRule());
}

std::wstring WideUpper(std::wstring text) {
    if (!text.empty()) ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring WideLower(std::wstring text) {
    if (!text.empty()) ::CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::string ToAnsi(std::wstring_view text) {
    return FromWide(CP_ACP, text);
}

std::wstring FromAnsi(std::string_view bytes) {
    return ToWide(CP_ACP, bytes);
}

std::wstring FromProgramText(std::string_view bytes) {
    if (::IsValidCodePage(ProgramCodePage)) return ToWide(ProgramCodePage, bytes);
    return FromAnsi(bytes);
}

bool FitsAnsiCodePage(std::wstring_view text) {
    if (text.empty()) return true;
    // UTF-8 as the ANSI code page takes neither the flag nor the default-character query.
    bool utf8 = ::GetACP() == CP_UTF8;
    BOOL usedDefault = FALSE;
    std::string bytes =
        FromWideWith(CP_ACP, text, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, utf8 ? nullptr : &usedDefault);
    if (usedDefault || bytes.empty()) return false;
    // The flag alone misses characters that map without the default but not back.
    return FromAnsi(bytes) == text;
}

size_t CharacterUnitsAt(std::wstring_view text, size_t i) {
    return IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() && IS_LOW_SURROGATE(text[i + 1]) ? 2
                                                                                              : 1;
}

size_t AnsiLookBytes(std::wstring_view text) {
    if (FitsAnsiCodePage(text)) return ToAnsi(text).size();
    size_t bytes = 0;
    for (size_t i = 0; i < text.size();) {
        const std::wstring_view character = text.substr(i, CharacterUnitsAt(text, i));
        bytes += FitsAnsiCodePage(character) ? ToAnsi(character).size() : 2;
        i += character.size();
    }
    return bytes;
}

std::string AnsiUpper(std::string text) {
    return MapCase(text, ::CharUpperBuffA);
}

std::string AnsiLower(std::string text) {
    return MapCase(text, ::CharLowerBuffA);
}

std::string SystemErrorText(DWORD code) {
    char *buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char *>(&buffer), 0, nullptr);
    std::string text(buffer != nullptr ? buffer : "", buffer != nullptr ? length : 0);
    if (buffer != nullptr) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

ShownText ShownTextOf(std::wstring_view text) {
    return FitsAnsiCodePage(text) ? ShownText::System(ToAnsi(text))
                                  : ShownText::Utf8(FromWide(CP_UTF8, text));
}

ShownText FailureText(ShownText message, std::wstring_view path, DWORD error) {
    if (!path.empty()) message += "\r\n" + ShownTextOf(path);
    const std::string reason = SystemErrorText(error);
    if (!reason.empty()) message += "\r\n" + ShownText::System(reason);
    return message;
}

} // namespace tovimar::platform
