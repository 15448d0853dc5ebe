// One section of one settings file, through the platform's private-profile calls.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tovimar::platform {

class IniFile {
public:
    // Values come back through a buffer of this size, so at most 2047 bytes are read.
    static constexpr unsigned ReadBufferSize = 2048;

    IniFile(std::string fileName, std::string section);
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;
    // Flushes the profile cache when anything was written.
    ~IniFile();

    const std::string &FileName() const { return fileName_; }

    // Asks the file once for the section's key names; later reads of keys it does not hold
    // give their defaults without going to the file. A list too long for the buffer is not
    // kept, and every key is read.
    void ListKeys();

    std::string ReadString(const std::string &key, const std::string &defaultValue) const;
    // The key's value, empty when present without one; nullopt when the key is missing.
    std::optional<std::string> ReadValue(const std::string &key) const;
    bool WriteString(const std::string &key, const std::string &value);
    // Writes the cached profile to disk; true on success.
    bool Flush();

private:
    std::string fileName_;
    std::string section_;
    bool written_ = false;
    std::optional<std::vector<std::string>> keys_;
};

} // namespace tovimar::platform
