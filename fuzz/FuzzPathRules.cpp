// Arbitrary bytes through the path rules, with the Shift-JIS table and with double-byte mode off.
#include "FuzzSupport.h"
#include "core/PathRules.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool HasWildcard(std::string_view s) {
    return s.find_first_of("*?") != std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tovimar;
    if (size == 0) return 0;
    const CharacterRule rule = fuzz::RuleOf(data[0]);
    const std::string p(reinterpret_cast<const char *>(data) + 1, size - 1);

    for (std::string_view set : {"\\", "\\:", ".\\:"}) {
        const size_t k = LastSeparatorIndex(rule, set, p);
        fuzz::Check(k < p.size() || k == std::string_view::npos);
        if (k != std::string_view::npos) {
            fuzz::Check(set.find(p[k]) != std::string_view::npos);
            fuzz::Check(ByteKind(rule, p, k) != ByteKindValue::Trail);
        }
    }

    const std::string prefix = PathPrefix(rule, p), name = PathName(rule, p);
    fuzz::Check(prefix + name == p);
    fuzz::Check(StripExtension(rule, name) + PathExtension(rule, name) == name);
    fuzz::Check(StripExtension(rule, p) + PathExtension(rule, p) == p);
    const std::string extension = PathExtension(rule, p);
    fuzz::Check(extension.empty() || extension[0] == ExtensionMark);

    const std::string folder = PathFolder(rule, p);
    fuzz::Check(p.compare(0, folder.size(), folder) == 0);
    fuzz::Check(folder.size() + 1 >= prefix.size() && folder.size() <= prefix.size());

    const std::string added = AddTrailingDelimiter(rule, p);
    fuzz::Check(added.compare(0, p.size(), p) == 0 && added.size() <= p.size() + 1);
    fuzz::Check(added.back() == PathDelimiter);
    const std::string removed = RemoveTrailingDelimiter(rule, p);
    fuzz::Check(p.compare(0, removed.size(), removed) == 0 && removed.size() + 1 >= p.size());

    // The finder answers for some paths with a changed name; it must never see a wildcard
    // below the root nor a path outside the root.
    const size_t root = PathRootLength(rule, p);
    fuzz::Check(root <= p.size());
    const std::string rootText = p.substr(0, root);
    size_t searches = 0;
    auto finder = [&](const std::string &path) -> std::optional<std::string> {
        ++searches;
        fuzz::Check(path.size() > root && path.compare(0, root, rootText) == 0);
        fuzz::Check(!HasWildcard(std::string_view(path).substr(root)));
        if (path.size() % 3 == 0) return std::nullopt;
        if (path.size() % 3 == 1) return std::string("Found\0rest", 10);
        return std::string("x");
    };
    const std::string resolved = ResolveLongPath(rule, p, finder);
    fuzz::Check(resolved.compare(0, root, rootText) == 0);
    fuzz::Check(searches <= p.size());
    if (PathName(rule, p).empty()) fuzz::Check(resolved == p);

    // Nothing found: nothing changes but doubled delimiters.
    const std::string unresolved =
        ResolveLongPath(rule, p, [](const std::string &) { return std::optional<std::string>(); });
    fuzz::Check(unresolved.size() <= p.size());
    fuzz::Check(PathName(rule, unresolved) == PathName(rule, p));
    return 0;
}
