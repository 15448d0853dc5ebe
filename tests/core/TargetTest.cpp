#include "core/Target.h"

#include "core/PathRules.h"

#include <gtest/gtest.h>

#include <set>

namespace tovimar {
namespace {

class TargetSjis : public testing::Test {
protected:
    const CharacterRule rule_ = ShiftJisRule();
};

TEST_F(TargetSjis, CanonicalPathTable) {
    struct Row {
        std::string In, Out;
    };
    const Row rows[] = {
        {"Z:\\w\\sub\\..\\sub\\plain.txt", "Z:\\w\\sub\\plain.txt"},
        {"Z:\\w\\sub\\.\\plain.txt", "Z:\\w\\sub\\plain.txt"},
        {"Z:/w/sub//plain.txt", "Z:\\w\\sub\\plain.txt"},
        {"Z:\\..\\..\\a.txt", "Z:\\a.txt"},
        {"\\\\srv\\share\\..\\x", "\\\\srv\\share\\x"},
        {"//srv/share/d/", "\\\\srv\\share\\d\\"},
        // Names keep their trailing dot and blank; a trail byte 0x5C is no delimiter.
        {"C:\\a\\name. \\b.", "C:\\a\\name. \\b."},
        {"C:\\\x95\x5C\\..\\x", "C:\\x"},
        {"C:\\a\\\x97\x5C\x95\x5C", "C:\\a\\\x97\x5C\x95\x5C"},
        {"..\\..\\a", "..\\..\\a"},
        {"\\\\?\\C:\\a\\..\\b/c", "\\\\?\\C:\\a\\..\\b/c"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(CanonicalPath(rule_, row.In), row.Out) << row.In;
}

// A disk of known entries; every relative path is read against Z:\cwd, C: has C:\home.
class FakeProbe : public TargetProbe {
public:
    std::set<std::string> Files{"Z:\\cwd\\a.txt", "Z:\\w\\sub\\plain.txt", "Z:\\cwd\\name."};
    std::set<std::string> Folders{"Z:\\w", "Z:\\w\\sub", "Z:\\cwd"};
    bool Lost = false;

    bool ArgumentLostCharacters() override { return Lost; }
    std::string FullPath(const std::string &path) override {
        if (path == "C:") return "C:\\home";
        if (path[0] == '\\' && !IsFullPath(ShiftJisRule(), path)) return "Z:" + path;
        return IsFullPath(ShiftJisRule(), path) ? path : "Z:\\cwd\\" + path;
    }
    std::string ResolveLongPath(const std::string &path) override { return path; }
    bool FileIsPresent(const std::string &path) override { return Files.count(path) > 0; }
    bool FolderIsPresent(const std::string &path) override { return Folders.count(path) > 0; }
};

TEST_F(TargetSjis, ResolveTargetTable) {
    struct Row {
        std::string Argument;
        bool Lost;
        std::string Path;
        bool IsFolder;
        TargetProblem Problem;
    };
    const std::string longPath = "Z:\\" + std::string(300, 'x');
    const Row rows[] = {
        {"Z:\\w\\sub\\..\\sub\\plain.txt", false, "Z:\\w\\sub\\plain.txt", false,
         TargetProblem::None},
        {"/w/sub/plain.txt", false, "Z:\\w\\sub\\plain.txt", false, TargetProblem::None},
        {"a.txt", false, "Z:\\cwd\\a.txt", false, TargetProblem::None},
        {"..\\w\\sub\\", false, "Z:\\w\\sub", true, TargetProblem::None},
        // The full-path call never sees the name: its trailing dot stays.
        {"name.", false, "Z:\\cwd\\name.", false, TargetProblem::None},
        {"C:x.txt", false, "C:\\home\\x.txt", false, TargetProblem::FileMissing},
        {"Z:\\w\\gone\\", false, "Z:\\w\\gone", false, TargetProblem::FolderMissing},
        {"", false, "", false, TargetProblem::NoArgument},
        {"a.txt", true, "", false, TargetProblem::Unreadable},
        {"Z:\\w\\*.txt", false, "", false, TargetProblem::Unreadable},
        {"Z:\\w\\..", false, "", false, TargetProblem::Root},
        {longPath, false, longPath, false, TargetProblem::PathTooLong},
    };
    for (const Row &row : rows) {
        FakeProbe probe;
        probe.Lost = row.Lost;
        const ResolvedTarget target = ResolveTarget(rule_, row.Argument, probe);
        EXPECT_EQ(target.Path, row.Path) << row.Argument;
        EXPECT_EQ(target.IsFolder, row.IsFolder) << row.Argument;
        EXPECT_EQ(target.Problem, row.Problem) << row.Argument;
    }
}

} // namespace
} // namespace tovimar
