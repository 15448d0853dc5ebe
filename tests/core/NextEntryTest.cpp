#include "core/NextEntry.h"

#include "core/DoubleByte.h"

#include <gtest/gtest.h>

#include <vector>

namespace tovimar {
namespace {

FolderEntry File(std::string name) {
    return {std::move(name), false, false, false, true};
}

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
        File("p8\x83\x61.jpg"), File("p8b.jpg")};
    struct Row {
        std::string After;
        bool IsFolder;
        std::string Skip;
        std::optional<std::string> Next;
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
    };
    for (const Row &row : rows)
        EXPECT_EQ(NextEntryName(ShiftJisRule(), entries, row.After, row.IsFolder, row.Skip),
                  row.Next)
            << row.After;
}

} // namespace
} // namespace tovimar
