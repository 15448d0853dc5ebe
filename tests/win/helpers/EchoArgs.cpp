// Test helper: writes what the adapter reads from this process's command line to the file
// named by the environment variable TOVIMAR_ECHO_OUT. Layout: the argument count on one line,
// then for i = 0 .. count + 1 a line "<utf8> <length>", the argument's bytes in its working code
// page (1: UTF-8 where the ANSI code page cannot hold it) and a newline; i = 0 is the program.
#include "platform/Arguments.h"
#include "platform/Text.h"

#include <windows.h>

#include <cstdio>
#include <string>

int main() {
    using namespace tovimar::platform;
    char outPath[MAX_PATH + 1] = {};
    DWORD length = ::GetEnvironmentVariableA("TOVIMAR_ECHO_OUT", outPath, sizeof outPath);
    if (length == 0 || length >= sizeof outPath) return 2;
    std::FILE *out = std::fopen(outPath, "wb");
    if (out == nullptr) return 1;
    int count = ArgumentCount();
    std::fputs((std::to_string(count) + "\n").c_str(), out);
    for (int i = 0; i <= count + 1; ++i) {
        const std::wstring wide = i == 0 ? ModulePath() : WideArgumentAt(::GetCommandLineW(), i);
        const uint32_t codePage = WorkingCodePageOf({wide});
        const std::string argument = FromWide(codePage, wide);
        std::string header = (codePage == CP_UTF8 && AnsiCodePage() != CP_UTF8 ? "1 " : "0 ") +
                             std::to_string(argument.size()) + "\n";
        std::fputs(header.c_str(), out);
        std::fwrite(argument.data(), 1, argument.size(), out);
        std::fputc('\n', out);
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
