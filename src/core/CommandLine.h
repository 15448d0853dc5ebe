// Reading arguments from a raw command line of bytes, stepped by the rule of its code page.
#pragma once

#include "core/DoubleByte.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tovimar {

struct ArgumentRead {
    std::string Argument;
    size_t Next = 0; // 0-based offset just after the argument
};

// Reads one argument starting at 0-based offset pos of text.
ArgumentRead NextArgument(const CharacterRule &rule, std::string_view text, size_t pos);

// Number of arguments after the program name.
int ArgumentCount(const CharacterRule &rule, std::string_view commandLine);

// The i-th argument (i >= 1); empty when there is none.
std::string ArgumentAt(const CharacterRule &rule, std::string_view commandLine, int i);

// The parameter string that hands arguments from..ArgumentCount to the next instance.
std::string ChainParameters(const CharacterRule &rule, std::string_view commandLine, int from);

} // namespace tovimar
