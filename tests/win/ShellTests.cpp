// Rename and delete through the shell, checked on disk.
#include "WinTestSupport.h"
#include "platform/Files.h"
#include "platform/Shell.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace tovimar::platform;
using tovimar::wintest::ReadWholeFile;
using tovimar::wintest::TempFolder;
using tovimar::wintest::WriteWholeFile;

namespace {

bool Exists(const std::string &path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(ShellFileOperation, RenamesAFileAndAFolder) {
    TempFolder temp;
    ASSERT_TRUE(WriteWholeFile(temp / "scan001.JPG", "picture"));
    ASSERT_TRUE(::CreateDirectoryA((temp / "old folder").c_str(), nullptr));
    ASSERT_TRUE(WriteWholeFile(temp / "old folder\\inner.txt", "inner"));

    EXPECT_EQ(ShellFileOperation(nullptr, temp / "scan001.JPG", temp / "invoice.JPG", ShellRename),
              0);
    EXPECT_FALSE(Exists(temp / "scan001.JPG"));
    EXPECT_EQ(ReadWholeFile(temp / "invoice.JPG"), "picture");

    EXPECT_EQ(ShellFileOperation(nullptr, temp / "old folder", temp / "new.folder", ShellRename),
              0);
    EXPECT_FALSE(Exists(temp / "old folder"));
    EXPECT_EQ(ReadWholeFile(temp / "new.folder\\inner.txt"), "inner");
}

TEST(ShellFileOperation, NeverReplacesAnExistingDestination) {
    TempFolder temp;
    ASSERT_TRUE(WriteWholeFile(temp / "a.txt", "first"));
    ASSERT_TRUE(WriteWholeFile(temp / "B.TXT", "second"));
    ASSERT_TRUE(::CreateDirectoryA((temp / "folder").c_str(), nullptr));

    const std::vector<std::string> destinations = {"B.TXT", "b.txt", "folder"};
    for (const auto &name : destinations) {
        EXPECT_NE(ShellFileOperation(nullptr, temp / "a.txt", temp / name, ShellRename), 0) << name;
        EXPECT_EQ(ReadWholeFile(temp / "a.txt"), "first") << name;
        EXPECT_EQ(ReadWholeFile(temp / "B.TXT"), "second") << name;
        EXPECT_TRUE(FolderIsPresent(temp / "folder")) << name;
    }
}

TEST(ShellFileOperation, RenamesThroughTheLiteralPrefix) {
    TempFolder temp;
    ASSERT_TRUE(WriteWholeFile(temp / "a.txt", "text"));
    const std::string prefix = "\\\\?\\";
    EXPECT_EQ(ShellFileOperation(nullptr, prefix + (temp / "a.txt"), prefix + (temp / "b.txt"),
                                 ShellRename),
              0);
    EXPECT_FALSE(Exists(temp / "a.txt"));
    EXPECT_EQ(ReadWholeFile(temp / "b.txt"), "text");
}

TEST(ShellFileOperation, CaseOnlyRenameKeepsTheFile) {
    TempFolder temp;
    ASSERT_TRUE(WriteWholeFile(temp / "readme.txt", "text"));
    ShellFileOperation(nullptr, temp / "readme.txt", temp / "README.txt", ShellRename);
    // Whichever name it ends up with, the content is still there.
    EXPECT_EQ(ReadWholeFile(temp / "readme.txt"), "text");
}

TEST(ShellFileOperation, RefusesListsAndPatterns) {
    TempFolder temp;
    for (const char *name : {"a.txt", "b.txt"})
        ASSERT_TRUE(WriteWholeFile(temp / name, name));
    struct Row {
        std::string source;
        std::string destination;
        UINT operation;
    };
    const std::vector<Row> rows = {
        {temp / "*.txt", "", ShellDelete},
        {temp / "?.txt", "", ShellDelete},
        {temp / std::string("a.txt\0", 6) + temp / "b.txt", "", ShellDelete},
        {"", "", ShellDelete},
        {temp / "a.txt", temp / "*.doc", ShellRename},
        {temp / "a.txt", temp / std::string("c.txt\0", 6) + temp / "d.txt", ShellRename},
    };
    for (const auto &row : rows)
        EXPECT_NE(ShellFileOperation(nullptr, row.source, row.destination, row.operation), 0);
    EXPECT_EQ(ReadWholeFile(temp / "a.txt"), "a.txt");
    EXPECT_EQ(ReadWholeFile(temp / "b.txt"), "b.txt");
}

// The Unix trash folder as a Windows path (Wine maps / to drive Z:).
std::string TrashFilesFolder() {
    const char *trash = std::getenv("TOVIMAR_TRASH_DIR");
    if (trash == nullptr || *trash == '\0') return {};
    std::string path = trash;
    if (path.front() == '/') path = "Z:" + path;
    for (char &c : path)
        if (c == '/') c = '\\';
    return path + "\\files";
}

TEST(ShellFileOperation, DeleteMovesOnlyTheTargetToTheRecycleBin) {
    TempFolder temp;
    const std::string name = "recycled-" + std::to_string(::GetCurrentProcessId()) + "-" +
                             std::to_string(::GetTickCount64()) + ".txt";
    ASSERT_TRUE(WriteWholeFile(temp / name, "keep me in the bin"));
    ASSERT_TRUE(WriteWholeFile(temp / "neighbour.txt", "stays"));

    EXPECT_EQ(ShellFileOperation(nullptr, temp / name, temp / "ignored.txt", ShellDelete), 0);
    EXPECT_FALSE(Exists(temp / name));
    EXPECT_EQ(ReadWholeFile(temp / "neighbour.txt"), "stays");
    std::string bin = TrashFilesFolder();
    if (!bin.empty()) {
        EXPECT_EQ(ReadWholeFile(bin + "\\" + name), "keep me in the bin") << bin;
    }
}

} // namespace
