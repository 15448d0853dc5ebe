#include "core/NameEditing.h"

#include "core/DoubleByte.h"

#include <algorithm>

namespace tovimar {

namespace {

// 0-based offset of the first match of pattern in s at or after from, or npos. Candidates are
// found byte by byte; one on a trail byte is passed over, and after a lead byte that does not
// match the search moves on by its whole character.
size_t FindFrom(std::string_view s, std::string_view pattern, size_t from) {
    size_t i = from;
    while (i + pattern.size() <= s.size()) {
        if (s[i] != pattern[0]) {
            ++i;
            continue;
        }
        // Exact bytes: the locale comparison finds equal exactly these for the blank literals.
        ByteKindValue kind = ByteKind(s, i + 1);
        if (kind != ByteKindValue::Trail && s.substr(i, pattern.size()) == pattern) return i;
        i += kind == ByteKindValue::Lead ? 2 : 1;
    }
    return std::string_view::npos;
}

} // namespace

std::string ReplaceAll(std::string_view text, std::string_view pattern,
                       std::string_view replacement) {
    if (pattern.empty()) return std::string(text);
    std::string result;
    std::string_view rest = text;
    for (;;) {
        size_t found = FindFrom(rest, pattern, 0);
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
    NameSelection result;
    result.Text = DeleteBytes(
        field.Text, static_cast<long long>(field.SelStart + field.SelLength) + 1, DeleteRightLimit);
    result.SelStart = std::min(field.SelStart, result.Text.size());
    result.SelLength = std::min(DeleteRightLimit, result.Text.size() - result.SelStart);
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
