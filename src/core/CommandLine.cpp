#include "core/CommandLine.h"

#include "core/DoubleByte.h"

#include <algorithm>

namespace tovimar {

namespace {

constexpr char Quote = '"';

// The command line ends at its terminating zero or at the end of the view, whichever is first.
bool AtEnd(std::string_view text, size_t pos) {
    return pos >= text.size() || text[pos] == '\0';
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// Appends the character at pos (whole, as CharNextA steps it) and returns the next offset.
// A quote is never the trail byte of a character in any double-byte code page: after a lead
// byte it still opens or closes a quoted stretch, so no argument ever holds one.
size_t TakeCharacter(const CharacterRule &rule, std::string_view text, size_t pos,
                     std::string &out) {
    size_t length = std::min(CharLength(rule, text, pos), text.size() - pos);
    if (length == 2 && text[pos + 1] == Quote) length = 1;
    out.append(text.substr(pos, length));
    return pos + length;
}

} // namespace

ArgumentRead NextArgument(const CharacterRule &rule, std::string_view text, size_t pos) {
    pos = std::min(pos, text.size());
    if (AtEnd(text, pos)) return {{}, pos};
    for (;;) {
        while (!AtEnd(text, pos) && IsBlank(text[pos]))
            pos += CharLength(rule, text, pos);
        // An empty quoted pair is no argument at all.
        if (!AtEnd(text, pos + 1) && text[pos] == Quote && text[pos + 1] == Quote) {
            pos += 2;
            continue;
        }
        break;
    }

    ArgumentRead read;
    while (!AtEnd(text, pos) && !IsBlank(text[pos])) {
        if (text[pos] != Quote) {
            pos = TakeCharacter(rule, text, pos, read.Argument);
            continue;
        }
        ++pos; // the opening quote; blanks up to the closing one belong to the argument
        while (!AtEnd(text, pos) && text[pos] != Quote)
            pos = TakeCharacter(rule, text, pos, read.Argument);
        if (!AtEnd(text, pos)) ++pos;
    }
    read.Next = pos;
    return read;
}

int ArgumentCount(const CharacterRule &rule, std::string_view commandLine) {
    size_t pos = NextArgument(rule, commandLine, 0).Next; // the program name
    int count = 0;
    for (;;) {
        ArgumentRead read = NextArgument(rule, commandLine, pos);
        if (read.Argument.empty()) return count;
        ++count;
        pos = read.Next;
    }
}

std::string ArgumentAt(const CharacterRule &rule, std::string_view commandLine, int i) {
    if (i < 1) return {};
    ArgumentRead read = NextArgument(rule, commandLine, 0);
    for (int n = 1; n <= i; ++n) {
        if (read.Argument.empty()) return {};
        read = NextArgument(rule, commandLine, read.Next);
    }
    return read.Argument;
}

std::string ChainParameters(const CharacterRule &rule, std::string_view commandLine, int from) {
    // One walk over the line instead of ArgumentAt for each index: the same arguments.
    std::string parameters;
    size_t pos = NextArgument(rule, commandLine, 0).Next;
    for (int i = 1;; ++i) {
        ArgumentRead read = NextArgument(rule, commandLine, pos);
        if (read.Argument.empty()) break;
        if (i >= from) {
            parameters += Quote;
            parameters += read.Argument;
            parameters += Quote;
            parameters += ' ';
        }
        pos = read.Next;
    }
    return parameters;
}

} // namespace tovimar
