// Shared pieces of the Windows-side tests: a private temp folder, file contents, child processes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tovimar::wintest {

// A fresh folder under the temp folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
    ~TempFolder();

    // The folder's path without a trailing delimiter.
    const std::string &Path() const { return path_; }
    std::string operator/(const std::string &name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// ASCII letters lowered, other bytes as they are.
std::string AsciiLower(std::string text);

bool WriteWholeFile(const std::string &path, const std::string &content);
std::optional<std::string> ReadWholeFile(const std::string &path);
// Sets the last-write time of path to noon of 1 June of year (UTC).
bool SetLastWriteYear(const std::string &path, int year);
int LastWriteYear(const std::string &path);

// A program built beside the test executable.
std::string HelperPath(const std::string &exeName);
// Starts commandLine (which names the program itself) and waits for it; its exit code, or -1.
int RunAndWait(const std::string &commandLine);
int RunAndWaitWide(const std::wstring &commandLine);

// Polls until path exists; false after about 30 s (a guard against a helper that never starts).
bool WaitForFile(const std::string &path);

} // namespace tovimar::wintest
