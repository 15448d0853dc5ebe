#include "core/StatusText.h"

#include "Version.h"

#include <gtest/gtest.h>

namespace tovimar {
namespace {

TEST(StatusLine, Texts) {
    const struct {
        size_t Name;
        size_t Extension;
        bool Utf8;
        const char *Expected;
    } rows[] = {
        {0, 0, false, "Tovimar v" TOVIMAR_VERSION "  -  0+0 byte"},
        {6, 4, false, "Tovimar v" TOVIMAR_VERSION "  -  6+4 byte"},
        {160, 0, false, "Tovimar v" TOVIMAR_VERSION "  -  160+0 byte"},
        {1, 10, false, "Tovimar v" TOVIMAR_VERSION "  -  1+10 byte"},
        {6, 4, true, "Tovimar v" TOVIMAR_VERSION "  -  6+4 byte (UTF-8)"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(StatusLine(row.Name, row.Extension, row.Utf8), row.Expected);
}

} // namespace
} // namespace tovimar
