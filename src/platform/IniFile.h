// One section of one settings file: read once when opened, written back on Save with only the
// values that changed, in the file's own encoding. The file beside the program gives way to
// the user's own one where it cannot be written (a program under C:\Program Files).
#pragma once

#include "core/IniText.h"
#include "core/Options.h"

#include <string>

namespace tovimar::platform {

// %APPDATA%\Tovimar\Tovimar.ini, where the settings live when the program's folder cannot be
// written; empty when there is no such folder.
std::wstring UserSettingsFile();

class IniFile : public SettingsStore {
public:
    // Finds the user's own settings file; empty when there is none.
    using FindFile = std::wstring (*)();

    // With userFile, fileName is read when it can be written or the user's file does not
    // exist, else the user's file; saves that fail in fileName go to the user's file.
    IniFile(std::wstring fileName, std::string section, FindFile userFile = nullptr);
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    // The file read, which a failed save names.
    const std::wstring &FileName() const { return fileName_; }
    // The file this run's settings are saved to: the one read, unless the one beside the
    // program cannot be written (an existing file that is not read-only and opens for writing,
    // or a missing one whose folder takes a new file).
    std::wstring SavedTo() const;

    // The value in the ANSI code page, at most IniStringLimit bytes; defaultValue when the key
    // is missing or holds characters the code page has not.
    std::string ReadString(const std::string &key, const std::string &defaultValue) override;
    void WriteString(const std::string &key, const std::string &value) override {
        settings_.Write(key, value);
    }
    // Values of any characters, where the file is UTF-8 or UTF-16; an ANSI file takes only
    // those of its code page.
    std::optional<std::string> ReadUtf8(const std::string &key) override {
        return settings_.ReadUtf8(key);
    }
    bool WriteUtf8(const std::string &key, const std::string &value) override {
        return settings_.WriteUtf8(key, value);
    }
    // Puts the written values into the file as it is now, through a new file beside it that
    // then replaces it, so the file is never left half written. True when nothing needed
    // writing; false when the file could not be read whole or written. Where the file read
    // beside the program fails, the user's file takes the values: a new one starts from the
    // text read, an existing one keeps what it holds but for this run's changes.
    bool Save();

private:
    bool SaveInto(const std::wstring &fileName, std::string_view seed) const;

    std::wstring fileName_;
    // Null when saves have nowhere else to go.
    FindFile userFile_ = nullptr;
    bool readable_ = false;
    std::string textRead_;
    IniSettings settings_;
};

} // namespace tovimar::platform
