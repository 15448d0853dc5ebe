#include "core/NameEditing.h"

#include "core/DoubleByte.h"

#include <algorithm>

namespace tovimar {

namespace {

// 0-based offset of the first match of pattern in s, or npos. Candidates are the starts of
// characters, and a match must end on one too: the bytes of a full-width blank inside other
// characters (81 40 after a lead byte in 932, in a UTF-8 sequence) are no blank.
size_t FindFirst(const CharacterRule &rule, std::string_view s, std::string_view pattern) {
    for (size_t i = 0; i + pattern.size() <= s.size(); i += CharLength(rule, s, i)) {
        // Exact bytes: the locale comparison finds equal exactly these for the blank literals.
        if (s.compare(i, pattern.size(), pattern) != 0) continue;
        if (IsCharBoundary(rule, s.substr(i), pattern.size())) return i;
    }
    return std::string_view::npos;
}

CodePageLiterals &ProcessLiterals() {
    static CodePageLiterals literals;
    return literals;
}

} // namespace

const CodePageLiterals &CurrentLiterals() {
    return ProcessLiterals();
}

void SetLiterals(const CodePageLiterals &literals) {
    ProcessLiterals() = literals;
}

std::string ReplaceAll(const CharacterRule &rule, std::string_view text, std::string_view pattern,
                       std::string_view replacement) {
    if (pattern.empty()) return std::string(text);
    std::string result;
    std::string_view rest = text;
    for (;;) {
        // Each match ends on a character boundary, so the rest starts on one.
        size_t found = FindFirst(rule, rest, pattern);
        if (found == std::string_view::npos) break;
        result += rest.substr(0, found);
        result += replacement;
        rest.remove_prefix(found + pattern.size());
    }
    result += rest;
    return result;
}

std::string DeleteBytes(std::string text, size_t pos, size_t count) {
    if (pos >= text.size()) return text;
    text.erase(pos, std::min(count, text.size() - pos));
    return text;
}

std::string InsertBytes(std::string text, size_t pos, std::string_view insert) {
    text.insert(std::min(pos, text.size()), insert);
    return text;
}

NameSelection DeleteLeft(const NameSelection &field) {
    NameSelection result;
    result.Text = DeleteBytes(field.Text, 0, field.SelStart);
    result.SelLength = std::min(field.SelLength, result.Text.size());
    return result;
}

NameSelection DeleteRight(const CharacterRule &rule, const NameSelection &field) {
    const size_t end = std::min(field.SelStart + field.SelLength, field.Text.size());
    const std::string_view right = std::string_view(field.Text).substr(end);
    NameSelection result;
    result.Text = DeleteBytes(field.Text, end, FitCharacters(rule, right, DeleteRightLimit));
    result.SelStart = std::min(field.SelStart, result.Text.size());
    result.SelLength = FitCharacters(rule, std::string_view(result.Text).substr(result.SelStart),
                                     DeleteRightLimit);
    return result;
}

NameSelection PasteOver(const NameSelection &field, std::string_view stamp) {
    NameSelection result;
    result.Text = InsertBytes(DeleteBytes(field.Text, field.SelStart, field.SelLength),
                              field.SelStart, stamp);
    result.SelStart = std::min(field.SelStart, result.Text.size());
    return result;
}

} // namespace tovimar
