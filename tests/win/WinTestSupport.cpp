#include "WinTestSupport.h"

#include "platform/Locale.h"

#include <gtest/gtest.h>

#include <vector>

namespace tovimar::wintest {

namespace {

// Every test sees the lead-byte table of the locale it runs under, as the program does.
class LocaleEnvironment : public ::testing::Environment {
public:
    void SetUp() override { platform::LoadCharacterRule(); }
};

[[maybe_unused]] auto *const localeEnvironment =
    ::testing::AddGlobalTestEnvironment(new LocaleEnvironment);

void RemoveTree(const std::string &path) {
    WIN32_FIND_DATAA entry{};
    HANDLE search = ::FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                ::SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(child.c_str());
            }
        } while (::FindNextFileA(search, &entry));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(path.c_str());
}

int WaitForExit(PROCESS_INFORMATION &process) {
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    bool known = ::GetExitCodeProcess(process.hProcess, &code) != FALSE;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return known ? static_cast<int>(code) : -1;
}

} // namespace

TempFolder::TempFolder() {
    static int serial = 0;
    char temp[MAX_PATH + 1] = {};
    DWORD length = ::GetTempPathA(sizeof temp, temp);
    std::string base(temp, length);
    while (!base.empty() && base.back() == '\\')
        base.pop_back();
    for (;;) {
        path_ = base + "\\tovimar-test-" + std::to_string(::GetCurrentProcessId()) + "-" +
                std::to_string(++serial);
        if (::CreateDirectoryA(path_.c_str(), nullptr)) break;
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create " << path_;
            break;
        }
    }
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

std::string AsciiLower(std::string text) {
    for (char &c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool WriteWholeFile(const std::string &path, const std::string &content) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok =
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
        written == content.size();
    ::CloseHandle(file);
    return ok;
}

std::optional<std::string> ReadWholeFile(const std::string &path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string content;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        content.append(buffer, read);
    ::CloseHandle(file);
    return content;
}

bool SetLastWriteYear(const std::string &path, int year) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = 6;
    time.wDay = 1;
    time.wHour = 12;
    FILETIME stamp{};
    if (!::SystemTimeToFileTime(&time, &stamp)) return false;
    HANDLE file = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = ::SetFileTime(file, nullptr, nullptr, &stamp) != FALSE;
    ::CloseHandle(file);
    return ok;
}

int LastWriteYear(const std::string &path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    SYSTEMTIME time{};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        !::FileTimeToSystemTime(&data.ftLastWriteTime, &time))
        return 0;
    return time.wYear;
}

std::string HelperPath(const std::string &exeName) {
    char self[MAX_PATH + 1] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, length);
    return path.substr(0, path.find_last_of('\\') + 1) + exeName;
}

int RunAndWait(const std::string &commandLine) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return -1;
    return WaitForExit(process);
}

int RunAndWaitWide(const std::wstring &commandLine) {
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process))
        return -1;
    return WaitForExit(process);
}

bool WaitForFile(const std::string &path) {
    for (int i = 0; i < 1500; ++i) {
        if (::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        ::Sleep(20);
    }
    return false;
}

} // namespace tovimar::wintest
