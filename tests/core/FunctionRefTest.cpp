#include "core/FunctionRef.h"

#include <gtest/gtest.h>

namespace tovimar {
namespace {

int Triple(int value) {
    return value * 3;
}

TEST(FunctionRef, CallsWhatItRefersToAndIsEmptyWithoutIt) {
    int calls = 0;
    auto counting = [&calls](int value) { return value + ++calls; };
    int (*none)(int) = nullptr;
    struct Row {
        FunctionRef<int(int)> Ref;
        bool Set;
        int Expected; // Ref(10) when set
    };
    const Row rows[] = {
        {{}, false, 0},       {none, false, 0},     {Triple, true, 30}, {&Triple, true, 30},
        {counting, true, 11}, {counting, true, 12}, // the caller's own object, not a copy: its
                                                    // state goes on
    };
    for (const Row &row : rows) {
        EXPECT_EQ(bool(row.Ref), row.Set);
        if (row.Set) EXPECT_EQ(row.Ref(10), row.Expected);
    }
}

} // namespace
} // namespace tovimar
