#include "core/DoubleByte.h"
#include "core/IniValue.h"

#include "CodePageRule.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace tovimar {
namespace {

TEST(IniValue, Integers) {
    const struct {
        const char *Text;
        int32_t Expected;
    } rows[] = {
        // default is 99 in every row
        {"0", 0},
        {"42", 42},
        {" 42 ", 42},
        {"\t42\t", 42},
        {"-7", -7},
        {"+7", 7},
        {"007", 7},
        {"0x10", 16},
        {"0X10", 16},
        {"  0x1f  ", 31},
        {"$1F", 31},
        {"x1F", 31},
        {"X1f", 31},
        {"-$10", -16},
        {"-x10", -16},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"0x7FFFFFFF", INT32_MAX},
        {"0x80000000", INT32_MIN},
        {"0xFFFFFFFF", -1},
        {"$FFFFFFFE", -2},
        {"0x00000000000010", 16}, // leading zeros are not significant digits
        // unreadable: the default
        {"2147483648", 99},
        {"-2147483649", 99},
        {"99999999999999999999", 99},
        {"0x100000000", 99},
        {"$123456789", 99},
        {"yes", 99},
        {"", 99},
        {"   ", 99},
        {"0x", 99},
        {"0X", 99},
        {"$", 99},
        {"x", 99},
        {"-", 99},
        {"+", 99},
        {"- 5", 99},
        {"4 2", 99},
        {"42px", 99},
        {"1.5", 99},
        {"0x-5", 99},
        {"-0x10", 99}, // after a sign only $, x or X introduce hex
        {"0xG", 99},
        {"--1", 99},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(ParseIniInteger(row.Text, 99), row.Expected) << '"' << row.Text << '"';
    }
}

TEST(IniValue, DefaultComesBackUntouched) {
    for (int32_t fallback : {0, 320, -1, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(ParseIniInteger("no", fallback), fallback);
    }
}

TEST(IniValue, Booleans) {
    const struct {
        const char *Text;
        bool Default;
        bool Expected;
    } rows[] = {
        {"1", false, true},   {"0", true, false},    {"2", false, true},     {"-1", false, true},
        {"yes", true, true},  {"yes", false, false}, {"", true, true},       {"", false, false},
        {"0x0", true, false}, {" 1 ", false, true},  {"true", false, false},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(ParseIniBool(row.Text, row.Default), row.Expected)
            << '"' << row.Text << "\" default " << row.Default;
    }
}

TEST(IniValue, Formatting) {
    const struct {
        int32_t Value;
        const char *Expected;
    } rows[] = {
        {0, "0"},
        {17, "17"},
        {-50, "-50"},
        {1234567, "1234567"},
        {INT32_MIN, "-2147483648"},
        {INT32_MAX, "2147483647"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(FormatIniInteger(row.Value), row.Expected);
        EXPECT_EQ(ParseIniInteger(FormatIniInteger(row.Value), 99), row.Value);
    }
    EXPECT_EQ(FormatIniBool(true), "1");
    EXPECT_EQ(FormatIniBool(false), "0");
}

TEST(IniValue, UsageCounterStopsAtItsLargestValue) {
    const int32_t rows[][2] = {
        {0, 1}, {-5, -4}, {INT32_MAX - 1, INT32_MAX}, {INT32_MAX, INT32_MAX}};
    for (const auto &row : rows)
        EXPECT_EQ(NextUsageCount(row[0]), row[1]) << row[0];
}

TEST(CutIniString, CutsAtTheBufferWithoutSplittingACharacter) {
    const std::string kanji = "\x8A\xBF"; // one double-byte character
    const struct {
        const char *Case;
        std::string Text;
        std::string Expected;
        uint32_t CodePage = 932;
    } rows[] = {
        {"empty", "", ""},
        {"short", "yymmddhhnnss", "yymmddhhnnss"},
        {"exactly the limit", std::string(2047, 'a'), std::string(2047, 'a')},
        {"one over", std::string(2048, 'a'), std::string(2047, 'a')},
        {"far over", std::string(5000, 'b'), std::string(2047, 'b')},
        {"double-byte ends at the limit", std::string(2045, 'a') + kanji + "zz",
         std::string(2045, 'a') + kanji},
        {"trail byte in the ASCII range", std::string(2045, 'a') + "\x83\x5C" + "\\",
         std::string(2045, 'a') + "\x83\x5C"},
        {"double-byte across the limit", std::string(2046, 'a') + kanji + "z",
         std::string(2046, 'a')},
        {"lone lead byte at the limit", std::string(2046, 'a') + "\x8A", std::string(2046, 'a')},
        {"UTF-8 across the limit", std::string(2045, 'a') + "\xE3\x80\x80", std::string(2045, 'a'),
         65001},
        {"UTF-8 cut short by the read", std::string(2045, 'a') + "\xF0\x9F", std::string(2045, 'a'),
         65001},
        {"single-byte", std::string(2046, 'a') + "\x8A", std::string(2046, 'a') + "\x8A", 1252},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(CutIniString(RuleFor(row.CodePage), row.Text), row.Expected) << row.Case;
    }
}

} // namespace
} // namespace tovimar
