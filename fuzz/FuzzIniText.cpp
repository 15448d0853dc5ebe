// The settings file as anyone may have left it: every byte the program does not change must
// come back, and what it writes must read back.
#include "FuzzSupport.h"
#include "core/IniText.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Key names ignore ASCII letter case.
bool IsExt3(const std::string &key) {
    return key.size() == 4 && (key[0] | 0x20) == 'e' && (key[1] | 0x20) == 'x' &&
           (key[2] | 0x20) == 't' && key[3] == '3';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tovimar;
    if (size < 1) return 0;
    // The first byte tells how many of the next bytes are the value to write.
    const size_t valueSize = std::min<size_t>(data[0] % 64, size - 1);
    const std::string value(reinterpret_cast<const char *>(data) + 1, valueSize);
    const std::string_view file(reinterpret_cast<const char *>(data) + 1 + valueSize,
                                size - 1 - valueSize);

    const TextEncoding encoding = DetectTextEncoding(file);
    const std::string text = DecodeText(file, encoding);
    const bool whole = EncodeText(text, encoding) == file;
    fuzz::Check(whole || file.size() % 2 == 1);

    // Writing what is there changes no byte.
    const std::vector<IniEntry> before = ReadIniSection(text, "Tovimar");
    std::vector<std::pair<std::string, std::string>> same;
    for (const IniEntry &e : before)
        if (e.Value) same.emplace_back(e.Key, *e.Value);
    fuzz::Check(SetIniValues(text, "Tovimar", same) == text);

    // A new value reads back as it would from a file of its own; every other key keeps its
    // value and place.
    const std::vector<IniEntry> fresh = ReadIniSection("[Tovimar]\nExt3=" + value, "Tovimar");
    const std::vector<IniEntry> after =
        ReadIniSection(SetIniValues(text, "Tovimar", {{"Ext3", value}}), "Tovimar");
    const bool present =
        std::any_of(before.begin(), before.end(), [](const IniEntry &e) { return IsExt3(e.Key); });
    fuzz::Check(after.size() == before.size() + (present ? 0 : 1));
    for (size_t i = 0; i < after.size(); ++i) {
        if (i < before.size() && !IsExt3(before[i].Key)) {
            fuzz::Check(after[i].Key == before[i].Key && after[i].Value == before[i].Value);
        } else {
            fuzz::Check(IsExt3(after[i].Key) && after[i].Value == fresh[0].Value);
        }
    }
    return 0;
}
