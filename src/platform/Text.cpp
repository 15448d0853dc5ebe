// Crossings between UTF-16 and the ANSI code page, and the platform's ANSI case mapping.
#include "platform/Platform.h"

#include "core/DoubleByte.h"

#include <climits>

namespace tovimar::platform {

namespace {

// The Win32 conversions count in int; anything longer than that is cut, never overrun.
int ClampedLength(size_t length) {
    return length > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

std::string ToAnsiWith(std::wstring_view text, DWORD flags, BOOL *usedDefault) {
    if (text.empty()) return {};
    int wideLength = ClampedLength(text.size());
    int size = ::WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, nullptr, 0, nullptr,
                                     usedDefault);
    if (size <= 0) return {};
    std::string bytes(static_cast<size_t>(size), '\0');
    size = ::WideCharToMultiByte(CP_ACP, flags, text.data(), wideLength, bytes.data(), size,
                                 nullptr, usedDefault);
    bytes.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return bytes;
}

using CaseMapping = DWORD(WINAPI *)(LPSTR, DWORD);

bool IsValidAnsi(std::string_view bytes) {
    return bytes.empty() || ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(),
                                                  ClampedLength(bytes.size()), nullptr, 0) > 0;
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

std::string ToAnsi(std::wstring_view text) {
    return ToAnsiWith(text, 0, nullptr);
}

namespace {

std::wstring FromCodePage(UINT codePage, std::string_view bytes) {
    if (bytes.empty()) return {};
    int byteLength = ClampedLength(bytes.size());
    int size = ::MultiByteToWideChar(codePage, 0, bytes.data(), byteLength, nullptr, 0);
    if (size <= 0) return {};
    std::wstring text(static_cast<size_t>(size), L'\0');
    size = ::MultiByteToWideChar(codePage, 0, bytes.data(), byteLength, text.data(), size);
    text.resize(size > 0 ? static_cast<size_t>(size) : 0);
    return text;
}

} // namespace

std::wstring FromAnsi(std::string_view bytes) {
    return FromCodePage(CP_ACP, bytes);
}

std::wstring FromProgramText(std::string_view bytes) {
    constexpr UINT ProgramCodePage = 932;
    if (::IsValidCodePage(ProgramCodePage)) return FromCodePage(ProgramCodePage, bytes);
    return FromAnsi(bytes);
}

bool FitsAnsiCodePage(std::wstring_view text) {
    if (text.empty()) return true;
    // UTF-8 as the ANSI code page takes neither the flag nor the default-character query.
    bool utf8 = ::GetACP() == CP_UTF8;
    BOOL usedDefault = FALSE;
    std::string bytes =
        ToAnsiWith(text, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, utf8 ? nullptr : &usedDefault);
    if (usedDefault || bytes.empty()) return false;
    // The flag alone misses characters that map without the default but not back.
    return FromAnsi(bytes) == text;
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

} // namespace tovimar::platform
