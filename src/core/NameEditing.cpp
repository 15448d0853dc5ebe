#include "core/NameEditing.h"

#include "core/DoubleByte.h"

#include <algorithm>

namespace tovimar {

namespace {

// 0-based offset of the first match of pattern in s, or npos. Candidates are the starts of
// characters, and a match must end on one too: the bytes of a full-width blank inside other
// characters (81 40 after a lead byte in 932, in a UTF-8 sequence) are no blank.
size_t FindFirst(std::string_view s, std::string_view pattern) {
    for (size_t i = 0; i + pattern.size() <= s.size(); i += CharLength(s, i)) {
        // Exact bytes: the locale comparison finds equal exactly these for the blank literals.
        if (s.compare(i, pattern.size(), pattern) != 0) continue;
        if (IsCharBoundary(s.substr(i), pattern.size())) return i;
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

std::string ReplaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement) {
    if (pattern.empty()) return std::string(text);
    std::string result;
    std::string_view rest = text;
    for (;;) {
        // Each match ends on a character boundary, so the rest starts on one.
        size_t found = FindFirst(rest, pattern);
        if (found == std::string_view::npos) break;
        result += rest.substr(0, found);
        result += replacement;
        rest.remove_prefix(found + pattern.size());
    }
    result += rest;
    return result;
}

std::string DeleteBytes(std::string text, long long p, long long count) {
    const auto length = static_cast<long long>(text.size());
    if (text.empty() || p < 1 || p > length || count <= 0) return text;
    text.erase(size_t(p - 1), size_t(std::min(count, length - p + 1)));
    return text;
}

std::string InsertBytes(std::string text, long long p, std::string_view insert) {
    if (insert.empty()) return text;
    const auto length = static_cast<long long>(text.size());
    const long long at = std::clamp(p, 1LL, length + 1);
    text.insert(size_t(at - 1), insert);
    return text;
}

NameSelection DeleteLeft(const NameSelection &field) {
    NameSelection result;
    result.Text = DeleteBytes(field.Text, 1, static_cast<long long>(field.SelStart));
    result.SelLength = std::min(field.SelLength, result.Text.size());
    return result;
}

NameSelection DeleteRight(const NameSelection &field) {
    const size_t end = std::min(field.SelStart + field.SelLength, field.Text.size());
    const std::string_view right = std::string_view(field.Text).substr(end);
    NameSelection result;
    result.Text = DeleteBytes(field.Text, static_cast<long long>(end) + 1,
                              static_cast<long long>(FitCharacters(right, DeleteRightLimit)));
    result.SelStart = std::min(field.SelStart, result.Text.size());
    result.SelLength =
        FitCharacters(std::string_view(result.Text).substr(result.SelStart), DeleteRightLimit);
    return result;
}

NameSelection PasteOver(const NameSelection &field, std::string_view stamp) {
    const auto at = static_cast<long long>(field.SelStart) + 1;
    NameSelection result;
    result.Text = InsertBytes(DeleteBytes(field.Text, at, static_cast<long long>(field.SelLength)),
                              at, stamp);
    result.SelStart = std::min(field.SelStart, result.Text.size());
    return result;
}

} // namespace tovimar
