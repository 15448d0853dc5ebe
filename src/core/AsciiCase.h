// ASCII letter case, the only case Windows ignores in device, key and section names and in
// the date pattern's letters; bytes beyond ASCII (lead and trail bytes among them) stay as
// they are.
#pragma once

#include <cstddef>
#include <string_view>

namespace tovimar {

constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Equal bytes, ASCII letters in either case.
constexpr bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

// Whether s starts with word, ASCII letters in either case.
constexpr bool StartsWithIgnoringAsciiCase(std::string_view s, std::string_view word) {
    return s.size() >= word.size() && SameIgnoringAsciiCase(s.substr(0, word.size()), word);
}

} // namespace tovimar
