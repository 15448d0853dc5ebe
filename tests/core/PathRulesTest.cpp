#include "core/PathRules.h"

#include "core/DoubleByte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace tovimar {
namespace {

// The Shift-JIS character whose trail byte equals the path delimiter.
const std::string Hyo = "\x95\x5C";

class PathRulesSjis : public testing::Test {
protected:
    const CharacterRule rule_ = ShiftJisRule();
};

class PathRulesSingleByte : public testing::Test {
protected:
    const CharacterRule rule_{};
};

TEST_F(PathRulesSjis, SplittingTable) {
    struct Row {
        std::string Path, Prefix, Name, Extension, StrippedName, Folder;
    };
    const Row rows[] = {
        {"C:\\Photos\\2005.06 trip\\IMG.0001.JPG", "C:\\Photos\\2005.06 trip\\", "IMG.0001.JPG",
         ".JPG", "IMG.0001", "C:\\Photos\\2005.06 trip"},
        {"C:\\data\\my.project", "C:\\data\\", "my.project", ".project", "my", "C:\\data"},
        {"D:\\archive.tar.gz", "D:\\", "archive.tar.gz", ".gz", "archive.tar", "D:\\"},
        {"C:\\old.files\\README", "C:\\old.files\\", "README", "", "README", "C:\\old.files"},
        {"C:\\home\\.profile", "C:\\home\\", ".profile", ".profile", "", "C:\\home"},
        {"C:\\tmp\\name.", "C:\\tmp\\", "name.", ".", "name", "C:\\tmp"},
        {"file.txt", "", "file.txt", ".txt", "file", ""},
        {"C:file.txt", "C:", "file.txt", ".txt", "file", "C:"},
        {"\\\\server\\share\\a.txt", "\\\\server\\share\\", "a.txt", ".txt", "a",
         "\\\\server\\share"},
        // roots
        {"C:\\tool.exe", "C:\\", "tool.exe", ".exe", "tool", "C:\\"},
        {"\\tool.exe", "\\", "tool.exe", ".exe", "tool", "\\"},
        {"C:\\dir\\", "C:\\dir\\", "", "", "", "C:\\dir"},
        {"", "", "", "", "", ""},
        // the forward slash is an ordinary byte
        {"C:\\a/b.c", "C:\\", "a/b.c", ".c", "a/b", "C:\\"},
        // double-byte names around the delimiters
        {"C:\\dir\\" + Hyo, "C:\\dir\\", Hyo, "", Hyo, "C:\\dir"},
        {"C:\\" + Hyo + "\\a.txt", "C:\\" + Hyo + "\\", "a.txt", ".txt", "a", "C:\\" + Hyo + "\\"},
        {"C:\\" + Hyo + ".txt", "C:\\", Hyo + ".txt", ".txt", Hyo, "C:\\"},
        {"\x83\x74\x83\x40\x83\x43\x83\x8B.\x95\x5C", "",
         "\x83\x74\x83\x40\x83\x43\x83\x8B.\x95\x5C", ".\x95\x5C",
         "\x83\x74\x83\x40\x83\x43\x83\x8B", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.Path);
        EXPECT_EQ(PathPrefix(rule_, row.Path), row.Prefix);
        EXPECT_EQ(PathName(rule_, row.Path), row.Name);
        EXPECT_EQ(PathExtension(rule_, row.Path), row.Extension);
        EXPECT_EQ(StripExtension(rule_, PathName(rule_, row.Path)), row.StrippedName);
        EXPECT_EQ(PathFolder(rule_, row.Path), row.Folder);
    }
}

TEST_F(PathRulesSjis, ExtensionOfAFullPathStopsAtTheLastComponent) {
    EXPECT_EQ(PathExtension(rule_, "C:\\old.files\\README"), "");
    EXPECT_EQ(StripExtension(rule_, "C:\\old.files\\README"), "C:\\old.files\\README");
    EXPECT_EQ(StripExtension(rule_, "C:\\a.b\\c.d"), "C:\\a.b\\c");
    EXPECT_EQ(PathExtension(rule_, "C:.txt"), ".txt");
}

TEST_F(PathRulesSjis, LastSeparatorIndexPassesOverTrailBytes) {
    struct Row {
        std::string Set, Text;
        size_t Expected;
    };
    constexpr size_t None = std::string_view::npos;
    const Row rows[] = {
        {"\\", "C:\\dir\\" + Hyo, 6},
        {"\\", Hyo, None},
        {"\\", Hyo + Hyo, None},
        {"\\", "\\" + Hyo + "\\", 3},
        {"\\:", "C:" + Hyo, 1},
        {"\\", std::string("a\\\0", 3), 1}, // a zero byte is never a separator
        {".", "a.b.c", 3},
        {"\\", "", None},
    };
    for (const Row &row : rows)
        EXPECT_EQ(LastSeparatorIndex(rule_, row.Set, row.Text), row.Expected)
            << testing::PrintToString(row.Text);
}

TEST_F(PathRulesSjis, TrailingDelimiterRulesLeaveTrailBytesAlone) {
    struct Row {
        std::string Path, Added, Removed;
    };
    const Row rows[] = {
        {"C:\\" + Hyo, "C:\\" + Hyo + "\\", "C:\\" + Hyo},
        {"C:\\" + Hyo + "\\", "C:\\" + Hyo + "\\", "C:\\" + Hyo},
        {"C:\\dir", "C:\\dir\\", "C:\\dir"},
        {"C:\\dir\\", "C:\\dir\\", "C:\\dir"},
        {"C:\\", "C:\\", "C:"},
        {"\\\\", "\\\\", "\\"},
        {"", "\\", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.Path);
        EXPECT_EQ(AddTrailingDelimiter(rule_, row.Path), row.Added);
        EXPECT_EQ(RemoveTrailingDelimiter(rule_, row.Path), row.Removed);
    }
}

TEST_F(PathRulesSjis, DestinationBuiltBesideADoubleByteFolder) {
    // The folder keeps its final delimiter; adding one changes nothing.
    std::string target = "C:\\" + Hyo + "\\a.txt";
    EXPECT_EQ(AddTrailingDelimiter(rule_, PathFolder(rule_, target)) + "b.txt",
              "C:\\" + Hyo + "\\b.txt");
    EXPECT_EQ(AddTrailingDelimiter(rule_, PathFolder(rule_, "C:\\dir\\a.txt")) + "b.txt",
              "C:\\dir\\b.txt");
}

TEST_F(PathRulesSingleByte, TrailBytesCountAsDelimitersWithDoubleByteModeOff) {
    std::string path = "C:\\dir\\" + Hyo;
    EXPECT_EQ(PathName(rule_, path), "");
    EXPECT_EQ(PathPrefix(rule_, path), path);
    EXPECT_EQ(AddTrailingDelimiter(rule_, "C:\\" + Hyo), "C:\\" + Hyo);
    EXPECT_EQ(RemoveTrailingDelimiter(rule_, "C:\\" + Hyo), "C:\\\x95");
    EXPECT_EQ(PathName(rule_, "C:\\" + Hyo + "\\a.txt"), "a.txt");
}

TEST_F(PathRulesSjis, RootLengths) {
    struct Row {
        std::string Path;
        size_t Expected;
    };
    const Row rows[] = {
        {"", 0},
        {"file.txt", 0},
        {"sub\\file.txt", 0},
        {"C:", 2},
        {"C:file.txt", 2},
        {"C:\\", 3},
        {"C:\\dir\\x", 3},
        {"\\dir\\x", 1},
        {"\\\\server\\share\\a.txt", 15},
        {"\\\\server\\share", 14},
        {"\\\\server", 8},
        {"\\\\", 2},
        {"\\\\" + Hyo + "\\s\\x", 7}, // the server name's trail byte is not a delimiter
        {"\\\\?\\C:\\dir", 7},
        {"\\\\?\\C:", 6},
        {"\\\\?\\UNC\\server\\share\\x", 21},
        {"\\\\?\\unc\\server\\share", 20},
        {"\\\\.\\pipe\\x", 9},
        {"\\\\?\\Volume{1}\\dir", 14},
        {"\x81:x", 0}, // the colon is a trail byte, not a drive delimiter
    };
    for (const Row &row : rows)
        EXPECT_EQ(PathRootLength(rule_, row.Path), row.Expected) << row.Path;
}

// How a target argument is taken before it is resolved.
TEST_F(PathRulesSjis, TargetShapes) {
    struct Row {
        std::string Path;
        bool DriveRelative;
        std::string Trimmed;
        bool RootOnly;
        bool Wildcard;
        std::string Plain = {}; // empty: the same as Path
    };
    const Row rows[] = {
        {"Z:name.txt", true, "Z:name.txt", false, false},
        {"Z:", true, "Z:", true, false},
        {"Z:\\name.txt", false, "Z:\\name.txt", false, false},
        {"name.txt", false, "name.txt", false, false},
        {"C:\\dir\\", false, "C:\\dir", false, false},
        {"C:\\dir\\\\", false, "C:\\dir", false, false},
        {"C:\\" + Hyo, false, "C:\\" + Hyo, false, false}, // a trail byte, not a delimiter
        {"C:\\", false, "C:\\", true, false},
        {"\\\\server\\share\\", false, "\\\\server\\share\\", true, false},
        {"\\\\?\\C:\\", false, "\\\\?\\C:\\", true, false, "C:\\"},
        {"\\\\?\\C:\\dir\\a.txt", false, "\\\\?\\C:\\dir\\a.txt", false, false, "C:\\dir\\a.txt"},
        {"\\\\?\\C:\\a?.txt", false, "\\\\?\\C:\\a?.txt", false, true, "C:\\a?.txt"},
        {"\\\\?\\unc\\s\\sh\\a", false, "\\\\?\\unc\\s\\sh\\a", false, false, "\\\\s\\sh\\a"},
        {"\\\\?\\Volume{1}\\a", false, "\\\\?\\Volume{1}\\a", false, false},
        {"C:\\a*.txt", false, "C:\\a*.txt", false, true},
        {"", false, "", false, false},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(IsDriveRelative(rule_, row.Path), row.DriveRelative) << row.Path;
        EXPECT_EQ(RemoveTrailingDelimiters(rule_, row.Path), row.Trimmed) << row.Path;
        EXPECT_EQ(IsRootOnly(rule_, row.Path), row.RootOnly) << row.Path;
        EXPECT_EQ(HoldsWildcard(row.Path), row.Wildcard) << row.Path;
        EXPECT_EQ(WithoutLiteralPrefix(rule_, row.Path), row.Plain.empty() ? row.Path : row.Plain);
    }
}

// A file system that answers like FindFirstFileA: names compare without regard to case,
// and the entry's on-disk name comes back.
class FakeDisk {
public:
    explicit FakeDisk(std::vector<std::string> paths) : paths_(std::move(paths)) {}

    std::optional<std::string> Find(const std::string &path) {
        searched.push_back(path);
        for (const std::string &entry : paths_) {
            if (Upper(entry) == Upper(path) || Upper(ShortForm(entry)) == Upper(path))
                return PathName(ShiftJisRule(), entry);
        }
        return std::nullopt;
    }

    // Registers a short alias: the path whose last component is shortName names entry.
    void AddShortName(const std::string &entry, const std::string &shortPath) {
        shortNames_[entry] = shortPath;
    }

    FindEntryName Finder() {
        return [this](const std::string &path) { return Find(path); };
    }

    std::vector<std::string> searched;

private:
    static std::string Upper(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
        return s;
    }
    // The entry's path with its last component in short form, where one is registered.
    std::string ShortForm(const std::string &entry) const {
        auto it = shortNames_.find(entry);
        return it == shortNames_.end() ? std::string() : it->second;
    }

    std::vector<std::string> paths_;
    std::map<std::string, std::string> shortNames_;
};

TEST_F(PathRulesSjis, ResolveLongPathAgainstAFakeDisk) {
    FakeDisk disk({"C:\\Program Files",
                   "C:\\Program Files\\Acme Tools",
                   "C:\\Program Files\\Acme Tools\\tool.exe",
                   "c:\\Windows",
                   "C:\\Exists",
                   "C:\\Work\\Sub",
                   "C:\\Work",
                   "C:\\Work\\Sub\\Report.TXT",
                   "Sub",
                   "Sub\\File.txt",
                   "C:\\Data",
                   "C:\\Data\\File.txt",
                   "C:\\" + Hyo,
                   "C:\\" + Hyo + "\\Name.txt",
                   "\\\\server\\share\\Dir",
                   "\\\\server\\share\\Dir\\File.txt",
                   "\\Root",
                   "\\Root\\Deep",
                   "\\\\?\\C:\\Long",
                   "\\\\?\\UNC\\server\\share\\Dir",
                   "C:\\a*b"});
    // The short names point at the long entries of the same folder.
    disk.AddShortName("C:\\Program Files", "C:\\PROGRA~1");
    disk.AddShortName("C:\\Program Files\\Acme Tools", "C:\\Program Files\\ACME~1");
    disk.AddShortName("C:\\Program Files\\Acme Tools\\tool.exe",
                      "C:\\Program Files\\Acme Tools\\TOOL.EXE");

    struct Row {
        std::string Path, Expected;
    };
    const Row rows[] = {
        {"C:\\PROGRA~1\\ACME~1\\TOOL.EXE", "C:\\Program Files\\Acme Tools\\tool.exe"},
        {"c:\\windows", "c:\\Windows"},
        {"C:\\", "C:\\"},
        {"C:", "C:"},
        {"C:\\Folder\\", "C:\\Folder\\"},
        {"C:\\exists\\Missing\\file.txt", "C:\\Exists\\Missing\\file.txt"},
        {"c:\\work\\sub\\report.txt", "c:\\Work\\Sub\\Report.TXT"},
        {"sub\\file.txt", "Sub\\File.txt"},
        {"", ""},
        {"C:\\" + Hyo + "\\name.TXT", "C:\\" + Hyo + "\\Name.txt"},
        // the root of the current drive and shares keep their root
        {"\\root\\deep", "\\Root\\Deep"},
        {"\\\\server\\share\\dir\\file.TXT", "\\\\server\\share\\Dir\\File.txt"},
        {"\\\\SERVER\\SHARE\\dir", "\\\\SERVER\\SHARE\\Dir"},
        {"\\\\server\\share", "\\\\server\\share"},
        {"\\\\?\\c:\\long", "\\\\?\\c:\\Long"},
        {"\\\\?\\UNC\\server\\share\\dir", "\\\\?\\UNC\\server\\share\\Dir"},
        // a drive-relative path gets no delimiter after the colon
        {"C:data\\file.txt", "C:data\\file.txt"},
        // wildcards are never resolved, nor anything below them
        {"C:\\a?b", "C:\\a?b"},
        {"C:\\A*B\\x", "C:\\A*B\\x"},
        {"C:\\data\\*.txt", "C:\\Data\\*.txt"},
        // a doubled delimiter folds into one, as the platform reads it
        {"C:\\data\\\\file.txt", "C:\\data\\File.txt"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(ResolveLongPath(rule_, row.Path, disk.Finder()), row.Expected) << row.Path;
}

TEST_F(PathRulesSjis, ResolveLongPathSearchesEachComponentBelowTheRootOnce) {
    struct Row {
        std::string Path;
        std::vector<std::string> Searched;
    };
    const Row rows[] = {
        {"C:\\a\\b", {"C:\\a", "C:\\a\\b"}},
        {"a\\b", {"a", "a\\b"}},
        {"\\a\\b", {"\\a", "\\a\\b"}},
        {"\\\\srv\\shr\\a", {"\\\\srv\\shr\\a"}},
        {"\\\\srv\\shr\\", {}},
        {"\\\\srv", {}},
        {"C:\\a\\b?\\c", {"C:\\a"}},
        {"C:\\a?\\\\b", {}},
        {"a?:b", {}},
        {"C:\\", {}},
        {"C:\\a\\", {}},
    };
    for (const Row &row : rows) {
        FakeDisk disk({});
        ResolveLongPath(rule_, row.Path, disk.Finder());
        EXPECT_EQ(disk.searched, row.Searched) << row.Path;
    }
}

TEST_F(PathRulesSjis, ResolveLongPathTakesTheEntryNameUpToItsZero) {
    auto finder = [](const std::string &path) -> std::optional<std::string> {
        if (path == "C:\\a") return std::string("Abc\0junk", 8);
        if (path == "C:\\Abc\\e") return std::string(); // an empty answer counts as not found
        if (path == "C:\\Abc\\l") return std::string(300, 'L');
        return std::nullopt;
    };
    EXPECT_EQ(ResolveLongPath(rule_, "C:\\a\\e", finder), "C:\\Abc\\e");
    EXPECT_EQ(ResolveLongPath(rule_, "C:\\a\\l", finder), "C:\\Abc\\" + std::string(260, 'L'));
}

// The wide search's name comes back in UTF-8: up to MAX_PATH UTF-16 units, three bytes each.
TEST(PathRules, ResolveLongPathKeepsAWideNameWholeUnderUtf8) {
    std::string kana255;
    for (int i = 0; i < 255; ++i)
        kana255 += "\xE3\x81\x82";
    auto finder = [&](const std::string &path) -> std::optional<std::string> {
        if (path == "C:\\k") return kana255;
        if (path == "C:\\e") return kana255 + kana255; // longer than any search gives back
        return std::nullopt;
    };
    EXPECT_EQ(ResolveLongPath(Utf8Rule(), "C:\\k", finder), "C:\\" + kana255);
    EXPECT_EQ(ResolveLongPath(Utf8Rule(), "C:\\e", finder),
              "C:\\" + (kana255 + kana255).substr(0, 260 * 3));
}

} // namespace
} // namespace tovimar
