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
bool HoldsAtBoundary(const tovimar::CharacterRule &rule, std::string_view text,
                     std::string_view pattern) {
    for (size_t pos = 0; pos < text.size(); pos += CharLength(rule, text, pos))
        if (text.substr(pos, pattern.size()) == pattern) return true;
    return false;
}

// Replace-all told character by character: a match is whole characters of the text.
std::string ReplaceWholeCharacters(const tovimar::CharacterRule &rule, std::string_view text,
                                   std::string_view pattern, std::string_view replacement) {
    std::string out;
    for (size_t pos = 0; pos < text.size();) {
        if (text.substr(pos, pattern.size()) == pattern &&
            tovimar::IsCharBoundary(rule, text.substr(pos), pattern.size())) {
            out += replacement;
            pos += pattern.size();
            continue;
        }
        const size_t length = CharLength(rule, text, pos);
        out += text.substr(pos, length);
        pos += length;
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tovimar;
    if (size < 3) return 0;
    const CharacterRule rule = fuzz::RuleOf(data[0]);
    const std::string text(reinterpret_cast<const char *>(data) + 3, size - 3);
    const std::string_view wideBlank = rule.Utf8Mode         ? "\xE3\x80\x80"
                                       : rule.DoubleByteMode ? WideBlank
                                                             : "";

    // Removing blanks leaves none; swapping them for underscores keeps the length. Only whole
    // characters match: under UTF-8 a removal may join stray bytes into a new blank.
    for (std::string_view blank : {Blank, wideBlank}) {
        if (blank.empty()) continue;
        const std::string removed = ReplaceAll(rule, text, blank, "");
        fuzz::Check(removed == ReplaceWholeCharacters(rule, text, blank, ""));
        fuzz::Check(ReplaceAll(rule, text, blank, "_") ==
                    ReplaceWholeCharacters(rule, text, blank, "_"));
        if (!rule.Utf8Mode || fuzz::IsWhole(rule, text))
            fuzz::Check(!HoldsAtBoundary(rule, removed, blank));
        fuzz::Check(ReplaceAll(rule, text, blank, blank) == text);
    }
    fuzz::Check(ReplaceAll(rule, text, Blank, Underscore).size() == text.size());
    fuzz::Check(ReplaceAll(rule, text, WideBlank, WideUnderscore).size() == text.size());
    fuzz::Check(ReplaceAll(rule, text, "", Underscore) == text);

    const NameSelection field{text, data[1] % (text.size() + 1), 0};
    NameSelection selected = field;
    selected.SelLength = data[2] % (text.size() - field.SelStart + 1);
    for (const NameSelection &result : {DeleteLeft(selected), DeleteRight(rule, selected),
                                        PasteOver(selected, "\x81\x40stamp")}) {
        fuzz::Check(result.SelStart <= result.Text.size());
        fuzz::Check(result.SelLength <= result.Text.size() - result.SelStart);
    }
    fuzz::Check(DeleteLeft(selected).Text.size() <= text.size());
    fuzz::Check(PasteOver(selected, "x").Text.size() == text.size() - selected.SelLength + 1);

    // A selection on character boundaries, as the window hands it over: delete-right takes
    // whole characters and leaves whole ones selected.
    std::vector<size_t> bounds;
    for (size_t pos = 0; pos <= text.size(); pos += CharLength(rule, text, pos))
        bounds.push_back(pos);
    const size_t start = bounds[data[1] % bounds.size()];
    const size_t end = std::max(start, bounds[data[2] % bounds.size()]);
    const NameSelection whole{text, start, end - start};
    const NameSelection right = DeleteRight(rule, whole);
    fuzz::Check(right.Text.compare(0, end, text, 0, end) == 0);
    fuzz::Check(IsCharBoundary(rule, text, end + text.size() - right.Text.size()));
    // (Stray bytes on both sides of the cut may join into a character of their own.)
    if (fuzz::IsWhole(rule, text) && text.find('\0') == std::string::npos)
        fuzz::Check(IsCharBoundary(rule, right.Text, right.SelStart + right.SelLength));
    return 0;
}
