#include "core/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tovimar {
namespace {

using namespace std::string_literals;
using Enc = TextEncoding;

TEST(TextEncoding, EncodingOfTheFile) {
    const std::pair<std::string, Enc> rows[] = {
        {"[Tovimar]\r\nExecute=1", Enc::Ansi}, {"T=\x94\x4E", Enc::Ansi}, // code page 932
        {"T=\xE5\xB9\xB4", Enc::Utf8},         {"T=\xC0\x80", Enc::Ansi}, // overlong
        {"T=\xED\xA0\x80", Enc::Ansi},         {"T=\xE5\xB9", Enc::Ansi}, // surrogate, cut
        {"\xEF\xBB\xBFT", Enc::Utf8Bom},       {"\xFF\xFET\0"s, Enc::Utf16Le},
        {"\xFE\xFF\0T"s, Enc::Utf16Be},        {"", Enc::Ansi},
    };
    for (const auto &[bytes, expected] : rows)
        EXPECT_EQ(DetectTextEncoding(bytes), expected) << bytes;
    // A pair and an unpaired surrogate, each back to its own bytes.
    EXPECT_EQ(DecodeText("\xFE\xFF\0a\xD8\x3D\xDE\x00\xDC\x00"s, Enc::Utf16Be),
              "a\xF0\x9F\x98\x80\xED\xB0\x80");
}

} // namespace
} // namespace tovimar
