// One section of one settings file: read once when opened, written back on Save with only the
// values that changed, in the file's own encoding.
#pragma once

#include "core/IniText.h"
#include "core/Options.h"

#include <string>

namespace tovimar::platform {

class IniFile : public SettingsStore {
public:
    IniFile(std::string fileName, std::string section);
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    const std::string &FileName() const { return fileName_; }

    // The value in the ANSI code page, at most IniStringLimit bytes; defaultValue when the key
    // is missing or holds characters the code page has not.
    std::string ReadString(const std::string &key, const std::string &defaultValue) override {
        return settings_.Read(key, defaultValue);
    }
    void WriteString(const std::string &key, const std::string &value) override {
        settings_.Write(key, value);
    }
    // Puts the written values into the file as it is now, through a new file beside it that
    // then replaces it, so the file is never left half written. True when nothing needed
    // writing; false when the file could not be read whole or written.
    bool Save();

private:
    std::string fileName_;
    bool readable_ = false;
    IniSettings settings_;
};

} // namespace tovimar::platform
