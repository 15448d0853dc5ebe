// Test helper: writes what the adapter reads from this process's command line to the file
// named by the environment variable TOVIMAR_ECHO_OUT. Layout: the argument count on one line,
// then for i = 0 .. count + 1 a line "<lost> <length>", the argument's bytes and a newline.
#include "platform/Arguments.h"
#include "platform/Locale.h"

#include <windows.h>

#include <cstdio>
#include <string>

int main() {
    using namespace tovimar::platform;
    char outPath[MAX_PATH + 1] = {};
    DWORD length = ::GetEnvironmentVariableA("TOVIMAR_ECHO_OUT", outPath, sizeof outPath);
    if (length == 0 || length >= sizeof outPath) return 2;
    LoadCharacterRule();
    std::FILE *out = std::fopen(outPath, "wb");
    if (out == nullptr) return 1;
    int count = ArgumentCount();
    std::fputs((std::to_string(count) + "\n").c_str(), out);
    for (int i = 0; i <= count + 1; ++i) {
        std::string argument = ArgumentAt(i);
        std::string header =
            (ArgumentLostCharacters(i) ? "1 " : "0 ") + std::to_string(argument.size()) + "\n";
        std::fputs(header.c_str(), out);
        std::fwrite(argument.data(), 1, argument.size(), out);
        std::fputc('\n', out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
