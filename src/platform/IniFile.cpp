#include "platform/IniFile.h"

#include "platform/Handles.h"
#include "platform/Files.h"
#include "platform/Locale.h"
#include "platform/Text.h"
#include "platform/Shortcut.h"

#include <windows.h>
#include <shlobj.h>

#include <utility>

namespace tovimar::platform {

namespace {

class AnsiCrossing : public CodePageCrossing {
public:
    std::optional<std::string> FromUtf8(std::string_view text) const override {
        std::optional<std::wstring> wide = ToWideExactly(CP_UTF8, text);
        if (!wide || !FitsAnsiCodePage(*wide)) return std::nullopt;
        return ToAnsi(*wide);
    }
    std::optional<std::string> ToUtf8(std::string_view text) const override {
        std::optional<std::wstring> wide = ToWideExactly(CP_ACP, text);
        if (!wide) return std::nullopt;
        return FromWide(CP_UTF8, *wide);
    }
};

const AnsiCrossing Crossing;

// The character rule the profile reader converts files without a byte-order mark by: the ANSI
// code page's own, whatever the thread's locale.
CharacterRule AnsiCodePageCharacters() {
    const UINT codePage = ::GetACP();
    if (codePage == CP_UTF8) return Utf8Rule();
    CharacterRule table;
    CPINFO info{};
    if (::GetCPInfo(codePage, &info)) {
        for (size_t r = 0; r + 1 < MAX_LEADBYTES && info.LeadByte[r] != 0; r += 2) {
            for (unsigned b = info.LeadByte[r]; b <= info.LeadByte[r + 1]; ++b)
                table.LeadByteSet.set(b);
        }
    }
    table.DoubleByteMode = table.LeadByteSet.any();
    return table;
}

enum class FileState { Read, Missing, Unreadable };

// The whole file, or why not. A folder, a locked file or one too large is unreadable.
std::pair<FileState, std::string> ReadWholeFile(const std::wstring &fileName) {
    if (fileName.empty()) return {FileState::Unreadable, {}};
    const FileHandle file = OpenForSharedReading(fileName);
    if (!file) {
        const DWORD error = ::GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return {missing ? FileState::Missing : FileState::Unreadable, {}};
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > IniFileSizeLimit)
        return {FileState::Unreadable, {}};
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        (!::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
         read != bytes.size()))
        return {FileState::Unreadable, {}};
    return {FileState::Read, std::move(bytes)};
}

// Wine cannot replace a file while anyone has it open, even for a moment to read it, as
// another instance of a chain does at its start: wait a little for it.
bool MoveOver(const std::wstring &from, const std::wstring &to) {
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = ::GetLastError();
        if (attempt >= 20 || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION))
            return false;
        ::Sleep(25);
    }
}

constexpr int NewFileAttempts = 100;

// The name a save writes before it replaces the file; another instance may hold the first.
std::wstring NewFileName(const std::wstring &fileName, int attempt) {
    // The number's digits are ASCII: no wide formatting is linked in for them.
    const std::string number = attempt > 0 ? std::to_string(int64_t(attempt)) : std::string();
    return fileName + L".new" + std::wstring(number.begin(), number.end());
}

// A new file beside the old one, written out and then moved over it: a failure at any step
// leaves the old file as it was.
bool ReplaceFileContents(const std::wstring &fileName, const std::string &bytes) {
    const DWORD attributes = ::GetFileAttributesW(fileName.c_str());
    // Windows refuses to replace a read-only file and Wine does not: refuse on both.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
    for (int attempt = 0; attempt < NewFileAttempts; ++attempt) {
        const std::wstring temporary = NewFileName(fileName, attempt);
        FileHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            const DWORD error = ::GetLastError();
            // Another instance is saving through that name, or a crash left it behind.
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
            return false;
        }
        DWORD written = 0;
        bool done =
            bytes.empty() || (::WriteFile(file.Get(), bytes.data(),
                                          static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                              written == bytes.size());
        done = done && ::FlushFileBuffers(file.Get());
        file.Close();
        // A settings file the user hid stays hidden.
        const DWORD kept = attributes == INVALID_FILE_ATTRIBUTES
                               ? 0
                               : attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        if (done && kept != 0) ::SetFileAttributesW(temporary.c_str(), kept);
        done = done && MoveOver(temporary, fileName);
        if (!done) ::DeleteFileW(temporary.c_str());
        return done;
    }
    return false;
}

// Whether a save could write the file, nothing written: a missing one may be made.
bool FileMayBeWritten(const std::wstring &fileName) {
    if (fileName.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(fileName.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    // The save refuses a read-only file, which Wine would open for writing as root.
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return false;
    FileHandle file(::CreateFileW(fileName.c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return bool(file);
}

// Whether the folder takes the save's new file: made under its own name and gone at once.
bool FolderTakesNewFile(const std::wstring &fileName) {
    for (int attempt = 0; attempt < NewFileAttempts; ++attempt) {
        FileHandle file(::CreateFileW(NewFileName(fileName, attempt).c_str(),
                                      GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        if (file) return true;
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return false;
    }
    return false;
}

bool SettingsFileWritable(const std::wstring &fileName) {
    return FileMayBeWritten(fileName) && FolderTakesNewFile(fileName);
}

} // namespace

std::wstring UserSettingsFile() {
    // The variable costs nothing; the shell, asked only without it, is a library to load.
    std::wstring folder(MAX_PATH, L'\0');
    const DWORD length = ::GetEnvironmentVariableW(L"APPDATA", folder.data(), MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        folder.resize(length);
    else if (FAILED(ShellFolder(CSIDL_APPDATA, false, folder)))
        return {};
    return folder + L"\\Tovimar\\Tovimar.ini";
}

IniFile::IniFile(std::wstring fileName, std::string section, FindFile userFile)
    : fileName_(std::move(fileName)), userFile_(fileName_.empty() ? nullptr : userFile),
      settings_(std::move(section), Crossing, AnsiCodePageCharacters()) {
    // Once the user's file exists, the one beside the program is used only where a save
    // there could work: the file is writable and the folder takes the save's new file (tried
    // only then, so a portable start makes no file).
    if (userFile_) {
        std::wstring user = userFile_();
        if (!user.empty() && ::GetFileAttributesW(user.c_str()) != INVALID_FILE_ATTRIBUTES &&
            !SettingsFileWritable(fileName_)) {
            fileName_ = std::move(user);
            // The file read is the user's: a save has nowhere else to go.
            userFile_ = nullptr;
        }
    }
    auto [state, bytes] = ReadWholeFile(fileName_);
    // A folder in the file's place holds no values that a save into another file could lose.
    readable_ = state != FileState::Unreadable || FolderIsPresent(fileName_);
    settings_.Load(bytes);
    if (userFile_) textRead_ = std::move(bytes);
}

std::wstring IniFile::SavedTo() const {
    if (!userFile_ || SettingsFileWritable(fileName_)) return fileName_;
    std::wstring user = userFile_();
    return user.empty() ? fileName_ : user;
}

std::string IniFile::ReadString(const std::string &key, const std::string &defaultValue) {
    return settings_.Read(AnsiCharacterRule(), key, defaultValue);
}

bool IniFile::Save() {
    if (!settings_.HasChanges()) return true;
    if (SaveInto(fileName_, {})) return true;
    if (!userFile_) return false;
    const std::wstring user = userFile_();
    if (user.empty()) return false;
    // The user's folder is made at the first save into it.
    ::CreateDirectoryW(user.substr(0, user.find_last_of(L'\\')).c_str(), nullptr);
    return SaveInto(user, textRead_);
}

// seed stands for the file when it is missing.
bool IniFile::SaveInto(const std::wstring &fileName, std::string_view seed) const {
    auto [state, bytes] = ReadWholeFile(fileName);
    if (state == FileState::Unreadable) return false;
    // Values read from a file that could not be read would overwrite what a file holds.
    if (!readable_ && state == FileState::Read) return false;
    if (state == FileState::Missing) bytes = seed;
    const std::optional<std::string> updated = settings_.Apply(bytes);
    if (!updated) return false;
    if (state == FileState::Read && *updated == bytes) return true;
    return ReplaceFileContents(fileName, *updated);
}

} // namespace tovimar::platform
