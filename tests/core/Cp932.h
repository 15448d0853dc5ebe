// Text crossed between UTF-8 and code page 932 by glibc's converter, for the tests that check
// bytes the program holds as code page 932.
#pragma once

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace tovimar {

// The whole text converted, or nothing when the converter is missing or a byte does not convert.
inline std::optional<std::string> ConvertText(const char *to, const char *from,
                                              std::string_view text) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string in(text);
    std::string out(in.size() * 3 + 4, '\0');
    char *inPtr = in.data();
    char *outPtr = out.data();
    size_t inLeft = in.size(), outLeft = out.size();
    const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1) || inLeft != 0) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

inline std::optional<std::string> ToCp932(std::string_view utf8) {
    return ConvertText("CP932", "UTF-8", utf8);
}

inline std::optional<std::string> FromCp932(std::string_view bytes) {
    return ConvertText("UTF-8", "CP932", bytes);
}

} // namespace tovimar
