// The UTF-8 rule: which bytes make a whole character. Overlong forms, values past U+10FFFF and
// (unless asked for) surrogates are no characters.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tovimar {

// Surrogates are no characters in UTF-8; the settings text keeps unpaired UTF-16 units it
// carried over from a UTF-16 file as such sequences, so that the file round-trips.
enum class Surrogates { Refused, Kept };

// What the byte at pos starts: Length is the sequence length its first byte announces (1 for an
// ASCII byte or one that starts no sequence), Valid how many of those bytes are there and fit.
struct Utf8Prefix {
    size_t Length = 1;
    size_t Valid = 1;
};
Utf8Prefix Utf8PrefixAt(std::string_view s, size_t pos,
                        Surrogates surrogates = Surrogates::Refused);

struct Utf8Character {
    char32_t Code = 0;
    size_t Length = 0;
};
// The character that starts at pos (pos < s.size()); nullopt for anything but a whole,
// shortest-form sequence.
std::optional<Utf8Character> Utf8CharacterAt(std::string_view s, size_t pos,
                                             Surrogates surrogates = Surrogates::Refused);

void AppendUtf8(std::string &out, char32_t code);

} // namespace tovimar
