// The settings file as anyone may have left it: every byte the program does not change must
// come back, and what it writes must read back.
#include "FuzzSupport.h"
#include "core/AsciiCase.h"
#include "core/IniText.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Every text before an equals sign on a line, blanks removed, each once: more than the keys of
// the section, which does no harm to a check that each reads the same before and after.
std::vector<std::string> KeysIn(std::string_view text) {
    std::vector<std::string> keys;
    for (size_t begin = 0; begin < text.size() && keys.size() < 32;) {
        const size_t end = std::min(text.find_first_of("\r\n", begin), text.size());
        std::string_view line = text.substr(begin, end - begin);
        line = line.substr(0, line.find('='));
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        bool seen = false;
        for (const std::string &key : keys)
            seen = seen || tovimar::SameIgnoringAsciiCase(key, line);
        if (!seen) keys.emplace_back(line);
        begin = end + 1;
    }
    return keys;
}

std::optional<std::string> ValueIn(std::string_view text, const tovimar::CharacterRule &rule,
                                   std::string_view key) {
    const auto body = tovimar::FindIniSection(text, "Tovimar", rule);
    if (!body) return std::nullopt;
    const auto value = tovimar::FindIniValue(*body, key);
    return value ? std::optional<std::string>(*value) : std::nullopt;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace tovimar;
    if (size < 2) return 0;
    // The first byte tells the character rule, the second how many of the next bytes are the
    // value to write.
    const CharacterRule rule = data[0] % 2 ? ShiftJisRule() : Utf8Rule();
    const size_t valueSize = std::min<size_t>(data[1] % 64, size - 2);
    const std::string value(reinterpret_cast<const char *>(data) + 2, valueSize);
    const std::string_view file(reinterpret_cast<const char *>(data) + 2 + valueSize,
                                size - 2 - valueSize);

    const TextEncoding encoding = DetectTextEncoding(file);
    const std::string text = DecodeText(file, encoding);
    const bool whole = EncodeText(text, encoding) == file;
    fuzz::Check(whole || file.size() % 2 == 1);

    // Writing what is there changes no byte.
    const std::vector<std::string> keys = KeysIn(text);
    std::vector<std::pair<std::string, std::string>> same;
    for (const std::string &key : keys) {
        if (const auto found = ValueIn(text, rule, key)) same.emplace_back(key, *found);
    }
    fuzz::Check(SetIniValues(text, "Tovimar", same, rule) == text);

    // A new value reads back as it would from a file of its own; every other key keeps its
    // value.
    const std::string changed = SetIniValues(text, "Tovimar", {{"Ext3", value}}, rule);
    fuzz::Check(ValueIn(changed, rule, "EXT3") ==
                ValueIn("[Tovimar]\nExt3=" + value, rule, "Ext3"));
    for (const std::string &key : keys) {
        if (SameIgnoringAsciiCase(key, "Ext3")) continue;
        fuzz::Check(ValueIn(changed, rule, key) == ValueIn(text, rule, key));
    }
    return 0;
}
