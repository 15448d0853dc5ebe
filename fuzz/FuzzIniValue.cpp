// Settings values come from a file anyone can edit: whatever it holds must read back sanely.
#include "FuzzSupport.h"
#include "core/DoubleByte.h"
#include "core/IniValue.h"

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tovimar;
    const std::string_view text(reinterpret_cast<const char *>(data), size);

    // A value that reads at all reads the same whatever the default, and survives a rewrite
    // in decimal and blanks around it.
    const int32_t first = ParseIniInteger(text, 0);
    const int32_t second = ParseIniInteger(text, 1);
    if (first == second) {
        fuzz::Check(ParseIniInteger(FormatIniInteger(first), 7) == first);
        fuzz::Check(ParseIniInteger(" " + std::string(text) + "\t", 1) == first);
    } else {
        fuzz::Check(first == 0 && second == 1);
    }
    fuzz::Check(ParseIniBool(text, false) == (first != 0));

    const CharacterRule rule = size % 2 ? ShiftJisRule() : CharacterRule{};
    const std::string cut = CutIniString(rule, text);
    fuzz::Check(cut.size() <= IniStringLimit);
    fuzz::Check(text.substr(0, cut.size()) == cut);
    fuzz::Check(cut.size() + 1 >= std::min(text.size(), IniStringLimit));
    return 0;
}
