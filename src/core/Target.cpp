#include "core/Target.h"

#include "core/Messages.h"
#include "core/NameCheck.h"
#include "core/PathRules.h"

#include <algorithm>

namespace tovimar {

namespace {

ResolvedTarget Problem(TargetProblem problem) {
    ResolvedTarget target;
    target.Problem = problem;
    return target;
}

// Only the folder part goes through the platform's full-path call: it would strip a trailing
// dot or blank from the name and so point at another entry.
std::string MakeFull(const CharacterRule &rule, std::string_view argument, TargetProbe &probe) {
    std::string path(argument);
    std::replace(path.begin(), path.end(), '/', PathDelimiter);
    if (IsFullPath(rule, path)) return path;
    const std::string folder = PathFolder(rule, path);
    const std::string base = probe.FullPath(folder.empty() ? std::string(".") : folder);
    return AddTrailingDelimiter(rule, base) + PathName(rule, path);
}

} // namespace

ResolvedTarget ResolveTarget(const CharacterRule &rule, std::string_view argument,
                             TargetProbe &probe) {
    if (argument.empty()) return Problem(TargetProblem::NoArgument);
    // A near match must never be renamed in place of the entry meant.
    if (probe.ArgumentLostCharacters() || HoldsWildcard(argument))
        return Problem(TargetProblem::Unreadable);

    const std::string full = CanonicalPath(rule, MakeFull(rule, argument, probe));
    const std::string trimmed = RemoveTrailingDelimiters(rule, full);
    const bool meantAsFolder = trimmed != full;
    ResolvedTarget target;
    target.Path = probe.ResolveLongPath(trimmed);
    if (HoldsWildcard(target.Path)) return Problem(TargetProblem::Unreadable);
    if (IsRootOnly(rule, target.Path)) return Problem(TargetProblem::Root);
    // The ANSI calls would answer "not there" for an entry that is there.
    if (PathTooLong(rule, target.Path)) {
        target.Problem = TargetProblem::PathTooLong;
        return target;
    }
    target.IsFolder = probe.FolderIsPresent(target.Path);
    if (!target.IsFolder && !probe.FileIsPresent(target.Path))
        target.Problem = meantAsFolder ? TargetProblem::FolderMissing : TargetProblem::FileMissing;
    return target;
}

std::optional<std::string_view> TargetProblemMessage(TargetProblem problem) {
    switch (problem) {
    case TargetProblem::None:
    case TargetProblem::NoArgument:
        break;
    case TargetProblem::Unreadable:
        return msg::ArgumentUnreadable;
    case TargetProblem::Root:
        return msg::RootTarget;
    case TargetProblem::PathTooLong:
        return msg::TargetPathTooLong;
    case TargetProblem::FileMissing:
        return msg::FileNotFound;
    case TargetProblem::FolderMissing:
        return msg::FolderNotFound;
    }
    return std::nullopt;
}

} // namespace tovimar
