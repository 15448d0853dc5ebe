// Typed names and extensions: every name Windows would refuse or change is caught.
#include "FuzzSupport.h"
#include "core/NameCheck.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool Forbidden(unsigned char b) {
    return b < 0x20 ||
           std::string_view("\\/:*?\"<>|").find(static_cast<char>(b)) != std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tovimar;
    if (size == 0) return 0;
    const CharacterRule rule = fuzz::RuleOf(data[0]);
    const std::string name(reinterpret_cast<const char *>(data) + 1, size - 1);
    const NameFault fault = CheckName(rule, name);

    // A forbidden byte outside a double-byte character, by the byte kinds alone.
    bool holdsForbidden = false;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (Forbidden(b) && (ByteKind(rule, name, i) != ByteKindValue::Trail || b < 0x40))
            holdsForbidden = true;
    }
    fuzz::Check(holdsForbidden == (fault == NameFault::ForbiddenCharacter));
    if (fault == NameFault::None && !name.empty())
        fuzz::Check(name.back() != '.' && name.back() != ' ');
    // A name the check lets through stays fine with any ordinary stem in front of it.
    if (fault == NameFault::None) fuzz::Check(CheckName(rule, "x" + name) == NameFault::None);

    fuzz::Check(!PathTooLong(rule, name) || name.size() > AnsiPathLimit);
    if (name.size() > 2 * AnsiPathLimit) fuzz::Check(PathTooLong(rule, name));
    return 0;
}
