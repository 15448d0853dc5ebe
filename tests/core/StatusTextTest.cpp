#include "core/StatusText.h"

#include "Version.h"

#include <gtest/gtest.h>

namespace tovimar {
namespace {

TEST(StatusLine, Texts) {
    const struct {
        size_t Name;
        size_t Extension;
        const char *Expected;
    } rows[] = {
        {0, 0, "Tovimar v" TOVIMAR_VERSION "  -  0+0 byte"},
        {6, 4, "Tovimar v" TOVIMAR_VERSION "  -  6+4 byte"},
        {160, 0, "Tovimar v" TOVIMAR_VERSION "  -  160+0 byte"},
        {1, 10, "Tovimar v" TOVIMAR_VERSION "  -  1+10 byte"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(StatusLine(row.Name, row.Extension), row.Expected);
}

} // namespace
} // namespace tovimar
