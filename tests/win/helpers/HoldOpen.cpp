// Test helper: HoldOpen <file> <ready-marker> <release-marker>
// Holds <file> open without sharing, creates <ready-marker>, and exits once <release-marker>
// exists (or after 60 s, so a failed test never leaves it behind).
#include <windows.h>

namespace {

bool Exists(const char *path) {
    return ::GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 4) return 2;
    HANDLE held = ::CreateFileA(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE) return 1;
    HANDLE ready = ::CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready != INVALID_HANDLE_VALUE) ::CloseHandle(ready);
    ULONGLONG deadline = ::GetTickCount64() + 60000;
    while (!Exists(argv[3]) && ::GetTickCount64() < deadline)
        ::Sleep(20);
    ::CloseHandle(held);
    return 0;
}
