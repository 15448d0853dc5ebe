// The blank commands and the caret commands rewrite whatever the name field holds.
#include "FuzzSupport.h"
#include "core/DoubleByte.h"
#include "core/NameEditing.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

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
    fuzz::UseTableOf(data[0]);
    const std::string text(reinterpret_cast<const char *>(data) + 3, size - 3);

    // Removing blanks leaves none; swapping them for underscores keeps the length.
    for (std::string_view blank : {Blank, WideBlank}) {
        if (blank == WideBlank && !CurrentDoubleByteTable().DoubleByteMode) continue;
        fuzz::Check(!HoldsAtBoundary(ReplaceAll(text, blank, ""), blank));
        fuzz::Check(ReplaceAll(text, blank, blank) == text);
    }
    fuzz::Check(ReplaceAll(text, Blank, Underscore).size() == text.size());
    fuzz::Check(ReplaceAll(text, WideBlank, WideUnderscore).size() == text.size());
    fuzz::Check(ReplaceAll(text, "", Underscore) == text);

    const NameSelection field{text, data[1] % (text.size() + 1), 0};
    NameSelection selected = field;
    selected.SelLength = data[2] % (text.size() - field.SelStart + 1);
    for (const NameSelection &result :
         {DeleteLeft(selected), DeleteRight(selected), PasteOver(selected, "\x81\x40stamp")}) {
        fuzz::Check(result.SelStart <= result.Text.size());
        fuzz::Check(result.SelLength <= result.Text.size() - result.SelStart);
    }
    fuzz::Check(DeleteLeft(selected).Text.size() <= text.size());
    fuzz::Check(PasteOver(selected, "x").Text.size() == text.size() - selected.SelLength + 1);
    return 0;
}
