#include "core/NextEntry.h"
#include "core/PathRules.h"

#include "CodePageRule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <sstream>
#include <vector>

namespace tovimar {
namespace {

const std::string Folder = "C:\\F\\";

FolderEntry File(std::string name) {
    return {std::move(name), false, false, false, true};
}

std::string Upper(std::string s) {
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// One case-insensitive folder that counts how often it is read.
class FakeFolder : public WalkDisk {
public:
    std::vector<std::pair<FolderEntry, std::uint64_t>> Items; // each with its identity
    bool Identities = true;
    int Reads = 0;

    void Add(FolderEntry entry) { Items.emplace_back(std::move(entry), ++lastId_); }
    // Changes as "-name" (removed), "+name" (a new file), "+name/" (a new folder) and
    // "old>new" (renamed), blank-separated.
    void Change(const std::string &changes) {
        std::istringstream words(changes);
        for (std::string word; words >> word;) {
            const size_t arrow = word.find('>');
            if (word[0] == '-') {
                std::erase_if(Items, [&](const auto &i) { return i.first.Name == word.substr(1); });
            } else if (word[0] == '+') {
                const bool folder = word.back() == '/';
                Add({word.substr(1, word.size() - 1 - folder), folder, false, false, true});
            } else {
                Find(word.substr(0, arrow))->first.Name = word.substr(arrow + 1);
            }
        }
    }

    std::vector<FolderEntry> ListFolder(const std::string &) override {
        ++Reads;
        std::vector<FolderEntry> entries;
        for (const auto &i : Items)
            entries.push_back(i.first);
        return entries;
    }
    std::optional<StandingEntry> Look(const std::string &path) override {
        const auto *i = Find(PathName(ShiftJisRule(), path));
        if (!i) return std::nullopt;
        return StandingEntry{i->first.IsFolder,
                             Identities ? std::optional(EntryId{7, i->second}) : std::nullopt};
    }
    std::string UpperCase(std::string text) override { return Upper(std::move(text)); }

private:
    std::uint64_t lastId_ = 0;
    std::pair<FolderEntry, std::uint64_t> *Find(const std::string &name) {
        for (auto &i : Items)
            if (Upper(i.first.Name) == Upper(name)) return &i;
        return nullptr;
    }
};

// The first step of a walk: the order, and which entries a walk shows at all.
TEST(NextEntry, Table) {
    FolderEntry hidden = File("p3.jpg");
    hidden.Hidden = true;
    FolderEntry system = File("p4.jpg");
    system.System = true;
    FolderEntry wide = File("p5?.jpg");
    wide.FitsCodePage = false;
    const FolderEntry folder{"p6", true, false, false, true};
    const FolderEntry folder2{"p06x", true, false, false, true};
    const std::vector<FolderEntry> entries{
        File("p10.jpg"), File("p2.jpg"), hidden, system, wide, folder, folder2, File("P7.jpg"),
        File("p7.jpg"), File("p_1.jpg"),
        // 0x83 0x61 is one character whose trail byte reads as 'a'.
        File("p8\x83\x61.jpg"), File("p8b.jpg"),
        // Behind every row that starts at p: U+E000 and U+1F600 in UTF-8.
        File("o\xEE\x80\x80.jpg"), File("o\xF0\x9F\x98\x80.jpg")};
    struct Row {
        std::string After;
        bool IsFolder;
        std::string Skip;
        std::optional<std::string> Next;
        CharacterRule Rule = ShiftJisRule();
    };
    const Row rows[] = {
        {"p", false, "", "p_1.jpg"}, // punctuation before digits
        {"p_1.jpg", false, "", "p2.jpg"},
        {"p2.jpg", false, "", "P7.jpg"},  // hidden, system, other kind and wide skipped
        {"P7.jpg", false, "", "p7.jpg"},  // case only: both, in byte order
        {"p7.jpg", false, "", "p8b.jpg"}, // letters before double-byte characters
        {"p8b.jpg", false, "", "p8\x83\x61.jpg"},
        {"p8\x83\x61.jpg", false, "", "p10.jpg"}, // numbers, not bytes
        {"p10.jpg", false, "", std::nullopt},     // the last
        {"p_1.jpg", false, "p2.jpg", "P7.jpg"},   // the renamed target itself
        {"p", true, "", "p6"},                    // folders among folders
        {"p6", true, "", "p06x"},                 // 06 is 6
        {"p06x", true, "", std::nullopt},
        // UTF-16 order: U+1F600's first unit 0xD83D comes before U+E000, unlike its bytes.
        {"o", false, "", "o\xF0\x9F\x98\x80.jpg", Utf8Rule()},
        {"o\xF0\x9F\x98\x80.jpg", false, "", "o\xEE\x80\x80.jpg", Utf8Rule()},
    };
    for (const Row &row : rows) {
        FakeFolder disk;
        for (const FolderEntry &entry : entries)
            disk.Add(entry);
        FolderWalk walk;
        const std::string renamed = row.Skip.empty() ? "renamed" : row.Skip;
        const auto next =
            walk.Next(row.Rule, Folder + row.After, Folder + renamed, row.IsFolder, disk);
        EXPECT_EQ(next, row.Next ? std::optional(Folder + *row.Next) : std::nullopt) << row.After;
    }
}

// Whole walks: the target renamed step after step while others change the folder.
TEST(FolderWalk, Table) {
    struct Step {
        std::string Meanwhile; // someone else's changes before the step
        std::string NewName;   // the walk renames its target so
        std::string Opened;    // and opens this next; "": the walk ends
    };
    struct Row {
        std::string Files; // as changes to an empty folder
        std::string Start;
        bool Identities;
        std::vector<Step> Steps;
    };
    const Row rows[] = {
        // New names sorting after the old ones are not come round to.
        {"+p1 +p2 +p3", "p1", true, {{"", "zp1", "p2"}, {"", "zp2", "p3"}, {"", "zp3", ""}}},
        // Gone meanwhile, or a folder in its place: skipped; a later file is not seen.
        {"+a +b +c +d +e", "a", true, {{"", "x", "b"}, {"-c -d +d/ +b2", "y", "e"}, {"", "z", ""}}},
        // What the walk renamed, moved by someone else onto a name the walk has still ahead:
        // known by its identity.
        {"+p1 +p2 +p3 +p4",
         "p1",
         true,
         {{"", "q1", "p2"}, {"-p3 q1>p3", "q2", "p4"}, {"", "q4", ""}}},
        // The walk's own name equals, in another case, one it has still ahead; the platform
        // cannot tell identities: known by the name given.
        {"+p1 +p2 +p3 +p4", "p1", false, {{"", "q1", "p2"}, {"-p3", "P3", "p4"}, {"", "q4", ""}}},
    };
    for (const Row &row : rows) {
        FakeFolder disk;
        disk.Identities = row.Identities;
        disk.Change(row.Files);
        FolderWalk walk;
        std::string target = row.Start;
        for (const Step &step : row.Steps) {
            disk.Change(step.Meanwhile);
            disk.Change(target + ">" + step.NewName);
            const auto next =
                walk.Next(ShiftJisRule(), Folder + target, Folder + step.NewName, false, disk);
            EXPECT_EQ(next,
                      step.Opened.empty() ? std::nullopt : std::optional(Folder + step.Opened))
                << row.Files << " at " << target;
            if (!next) break;
            target = step.Opened;
        }
        // The first step read the folder; no later one did.
        EXPECT_EQ(disk.Reads, 1) << row.Files;
    }
}

} // namespace
} // namespace tovimar
