// Arbitrary command lines through the argument rules, with and without the Shift-JIS table.
#include "FuzzSupport.h"
#include "core/CommandLine.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tovimar;
    if (size == 0) return 0;
    const CharacterRule rule = fuzz::RuleOf(data[0]);
    const std::string line(reinterpret_cast<const char *>(data) + 1, size - 1);

    // Every read either advances or ends the list.
    std::vector<std::string> arguments;
    size_t pos = NextArgument(rule, line, 0).Next;
    for (;;) {
        ArgumentRead read = NextArgument(rule, line, pos);
        fuzz::Check(read.Next >= pos && read.Next <= line.size());
        fuzz::Check(read.Argument.size() <= read.Next - pos);
        if (read.Argument.empty()) break;
        fuzz::Check(read.Next > pos);
        fuzz::Check(read.Argument.find('"') == std::string::npos);
        arguments.push_back(read.Argument);
        pos = read.Next;
    }

    const int count = ArgumentCount(rule, line);
    fuzz::Check(count == static_cast<int>(arguments.size()));
    // A few indexes only: ArgumentAt walks from the start each time.
    for (int i : {1, count / 2, count})
        if (i >= 1 && i <= count) fuzz::Check(ArgumentAt(rule, line, i) == arguments[i - 1]);
    fuzz::Check(ArgumentAt(rule, line, count + 1).empty());

    // Passing the arguments on keeps every one of them, byte for byte.
    const std::string chained = "x " + ChainParameters(rule, line, 1);
    size_t at = NextArgument(rule, chained, 0).Next;
    for (const std::string &argument : arguments) {
        ArgumentRead read = NextArgument(rule, chained, at);
        fuzz::Check(read.Argument == argument);
        at = read.Next;
    }
    fuzz::Check(NextArgument(rule, chained, at).Argument.empty());
    return 0;
}
