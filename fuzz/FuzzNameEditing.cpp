// The blank commands and the caret commands rewrite whatever the name field holds.
#include "FuzzSupport.h"
#include "core/DoubleByte.h"
#include "core/NameEditing.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tovimar::CharLength;

// True when pattern starts at a character boundary somewhere in text.
bool HoldsAtBoundary(std::string_view text, std::string_view pattern) {
    for (size_t pos = 0; pos < text.size();
         pos += CharLength(tovimar::CurrentCharacterRule(), text, pos))
        if (text.substr(pos, pattern.size()) == pattern) return true;
    return false;
}

// Replace-all told character by character: a match is whole characters of the text.
std::string ReplaceWholeCharacters(std::string_view text, std::string_view pattern,
                                   std::string_view replacement) {
    std::string out;
    for (size_t pos = 0; pos < text.size();) {
        if (text.substr(pos, pattern.size()) == pattern &&
            tovimar::IsCharBoundary(tovimar::CurrentCharacterRule(), text.substr(pos),
                                    pattern.size())) {
            out += replacement;
            pos += pattern.size();
            continue;
        }
        const size_t length = CharLength(tovimar::CurrentCharacterRule(), text, pos);
        out += text.substr(pos, length);
        pos += length;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tovimar;
    if (size < 3) return 0;
    fuzz::UseTableOf(data[0]);
    const std::string text(reinterpret_cast<const char *>(data) + 3, size - 3);
    const CharacterRule &table = CurrentCharacterRule();
    const std::string_view wideBlank = table.Utf8Mode         ? "\xE3\x80\x80"
                                       : table.DoubleByteMode ? WideBlank
                                                              : "";

    // Removing blanks leaves none; swapping them for underscores keeps the length. Only whole
    // characters match: under UTF-8 a removal may join stray bytes into a new blank.
    for (std::string_view blank : {Blank, wideBlank}) {
        if (blank.empty()) continue;
        const std::string removed = ReplaceAll(text, blank, "");
        fuzz::Check(removed == ReplaceWholeCharacters(text, blank, ""));
        fuzz::Check(ReplaceAll(text, blank, "_") == ReplaceWholeCharacters(text, blank, "_"));
        if (!table.Utf8Mode || fuzz::IsWhole(text)) fuzz::Check(!HoldsAtBoundary(removed, blank));
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

    // A selection on character boundaries, as the window hands it over: delete-right takes
    // whole characters and leaves whole ones selected.
    std::vector<size_t> bounds;
    for (size_t pos = 0; pos <= text.size();
         pos += CharLength(tovimar::CurrentCharacterRule(), text, pos))
        bounds.push_back(pos);
    const size_t start = bounds[data[1] % bounds.size()];
    const size_t end = std::max(start, bounds[data[2] % bounds.size()]);
    const NameSelection whole{text, start, end - start};
    const NameSelection right = DeleteRight(whole);
    fuzz::Check(right.Text.compare(0, end, text, 0, end) == 0);
    fuzz::Check(IsCharBoundary(tovimar::CurrentCharacterRule(), text,
                               end + text.size() - right.Text.size()));
    // (Stray bytes on both sides of the cut may join into a character of their own.)
    if (fuzz::IsWhole(text) && text.find('\0') == std::string::npos)
        fuzz::Check(IsCharBoundary(tovimar::CurrentCharacterRule(), right.Text,
                                   right.SelStart + right.SelLength));
    return 0;
}
