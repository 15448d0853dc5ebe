// The blank commands and the caret commands rewrite whatever the name field holds.
#include "core/DoubleByte.h"
#include "core/NameEditing.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// True when pattern starts at a character boundary somewhere in text.
bool HoldsAtBoundary(std::string_view text, std::string_view pattern) {
    for (size_t pos = 0; pos < text.size(); pos += tovimar::CharLength(text, pos))
        if (text.substr(pos, pattern.size()) == pattern) return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tovimar;
    if (size < 3) return 0;
    SetDoubleByteTable((data[0] & 1) ? DoubleByteTable{} : ShiftJisTable());
    const std::string text(reinterpret_cast<const char *>(data) + 3, size - 3);

    // Removing blanks leaves none; swapping them for underscores keeps the length.
    for (std::string_view blank : {Blank, WideBlank}) {
        if (blank == WideBlank && !CurrentDoubleByteTable().DoubleByteMode) continue;
        Check(!HoldsAtBoundary(ReplaceAll(text, blank, ""), blank));
        Check(ReplaceAll(text, blank, blank) == text);
    }
    Check(ReplaceAll(text, Blank, Underscore).size() == text.size());
    Check(ReplaceAll(text, WideBlank, WideUnderscore).size() == text.size());
    Check(ReplaceAll(text, "", Underscore) == text);

    const NameSelection field{text, data[1] % (text.size() + 1), 0};
    NameSelection selected = field;
    selected.SelLength = data[2] % (text.size() - field.SelStart + 1);
    for (const NameSelection &result :
         {DeleteLeft(selected), DeleteRight(selected), PasteOver(selected, "\x81\x40stamp")}) {
        Check(result.SelStart <= result.Text.size());
        Check(result.SelLength <= result.Text.size() - result.SelStart);
    }
    Check(DeleteLeft(selected).Text.size() <= text.size());
    Check(PasteOver(selected, "x").Text.size() == text.size() - selected.SelLength + 1);
    return 0;
}
