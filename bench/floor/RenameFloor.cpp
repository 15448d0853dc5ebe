// Wine's own cost of one rename in a folder, beside the program's whole execution, for the walk
// benchmark: RenameFloor <file> <rounds> renames the file to another name and back, rounds
// times each way, and prints the median milliseconds of one rename:
//   shell <ms> move <ms> program <ms>
// shell: the shell's rename with the program's flags and nothing else; move: MoveFileA alone;
// program: the execution's checks, the shell's rename and the look at the disk after it.
#include "core/Execution.h"
#include "core/PathRules.h"
#include "platform/Locale.h"
#include "platform/Shell.h"
#include "platform/WinFileSystem.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double Milliseconds() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

bool ShellRename(const std::string &from, const std::string &to) {
    std::string source = from + '\0';
    std::string destination = to + '\0';
    SHFILEOPSTRUCTA request{};
    request.wFunc = FO_RENAME;
    request.pFrom = source.c_str();
    request.pTo = destination.c_str();
    request.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_FILESONLY;
    return ::SHFileOperationA(&request) == 0;
}

bool ProgramRename(const std::string &from, const std::string &to) {
    tovimar::platform::WinFileSystem disk(nullptr);
    tovimar::ExecutionRequest request;
    request.TargetPath = from;
    const tovimar::CharacterRule &rule = tovimar::platform::AnsiCharacterRule();
    request.Name = tovimar::PathName(rule, to);
    const tovimar::ExecutionOutcome outcome = tovimar::RenameOrDelete(rule, request, disk);
    return !outcome.Title && outcome.End == tovimar::Ending::Close;
}

// The median of one rename, there and back rounds times; negative when one failed.
template <typename Rename>
double Median(const std::string &file, const std::string &other, int rounds, Rename rename) {
    std::vector<double> times;
    for (int i = 0; i < 2 * rounds; ++i) {
        const bool back = i % 2 != 0;
        const double start = Milliseconds();
        if (!rename(back ? other : file, back ? file : other)) return -1;
        times.push_back(Milliseconds() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: RenameFloor <file> <rounds>\n");
        return 2;
    }
    tovimar::platform::LoadCharacterRule();
    const std::string file = argv[1];
    const std::string other = file + ".floor";
    const int rounds = std::max(1, std::atoi(argv[2]));
    // The first rename loads the shell; it is not counted.
    if (!ShellRename(file, other) || !ShellRename(other, file)) return 1;
    const double shell = Median(file, other, rounds, ShellRename);
    const double move = Median(file, other, rounds, [](const std::string &a, const std::string &b) {
        return ::MoveFileA(a.c_str(), b.c_str()) != FALSE;
    });
    const double program = Median(file, other, rounds, ProgramRename);
    if (shell < 0 || move < 0 || program < 0) return 1;
    std::printf("shell %.3f move %.3f program %.3f\n", shell, move, program);
    return 0;
}
