#include "platform/IniFile.h"

#include "core/IniValue.h"

#include <windows.h>

#include <cstring>
#include <utility>

namespace tovimar::platform {

IniFile::IniFile(std::string fileName, std::string section)
    : fileName_(std::move(fileName)), section_(std::move(section)) {}

IniFile::~IniFile() {
    if (written_) Flush();
}

void IniFile::ListKeys() {
    keys_.reset();
    if (fileName_.empty()) return;
    // A profile call hands back at most 32767 bytes.
    std::vector<char> buffer(32767, '\0');
    const DWORD length = ::GetPrivateProfileStringA(section_.c_str(), nullptr, "", buffer.data(),
                                                    DWORD(buffer.size()), fileName_.c_str());
    if (length >= buffer.size() - 2) return; // cut short
    keys_ = ParseIniKeyList(std::string_view(buffer.data(), length + 1));
}

std::string IniFile::ReadString(const std::string &key, const std::string &defaultValue) const {
    // No file name would let the platform pick a file of its own.
    if (fileName_.empty()) return defaultValue;
    if (keys_ && !MayHoldIniKey(*keys_, key)) return defaultValue;
    char buffer[ReadBufferSize] = {};
    DWORD length = ::GetPrivateProfileStringA(section_.c_str(), key.c_str(), defaultValue.c_str(),
                                              buffer, ReadBufferSize, fileName_.c_str());
    if (length >= ReadBufferSize) length = ReadBufferSize - 1;
    return std::string(buffer, strnlen(buffer, length));
}

std::optional<std::string> IniFile::ReadValue(const std::string &key) const {
    // A missing key hands back the default, so two different defaults give it away.
    std::string first = ReadString(key, "\x01");
    if (first != "\x01") return first;
    if (ReadString(key, "\x02") == "\x02") return std::nullopt;
    return first;
}

bool IniFile::WriteString(const std::string &key, const std::string &value) {
    written_ = true;
    keys_.reset();
    return ::WritePrivateProfileStringA(section_.c_str(), key.c_str(), value.c_str(),
                                        fileName_.c_str()) != FALSE;
}

bool IniFile::Flush() {
    written_ = false;
    return ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, fileName_.c_str()) != FALSE;
}

} // namespace tovimar::platform
