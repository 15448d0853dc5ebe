#include "core/Options.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tovimar {
namespace {

class MapStore : public SettingsStore {
public:
    std::string ReadString(const std::string &key, const std::string &fallback) override {
        reads.emplace_back(key, fallback);
        const auto found = values.find(key);
        return found == values.end() ? fallback : found->second;
    }
    void WriteString(const std::string &key, const std::string &value) override {
        writes.emplace_back(key, value);
    }
    // Read with an empty default, as the history's keys are.
    std::optional<std::string> ReadUtf8(const std::string &key) override {
        reads.emplace_back(key, "");
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    // Like an ANSI settings file of a code page without é: it cannot hold "\xC3\xA9".
    bool WriteUtf8(const std::string &key, const std::string &value) override {
        if (value.find("\xC3\xA9") != std::string::npos) return false;
        writes.emplace_back(key, value);
        return true;
    }
    std::map<std::string, std::string> values;
    std::vector<std::pair<std::string, std::string>> reads, writes;
};

int32_t Double(int32_t length) {
    return length * 2;
}

// What the options write for key after reading stored from it.
std::optional<std::string> RoundTrip(const std::string &key, std::optional<std::string> stored) {
    MapStore in, out;
    if (stored) in.values[key] = *stored;
    SaveOptions(out, LoadOptions(in, Double));
    for (const auto &[written, value] : out.writes)
        if (written == key) return value;
    return std::nullopt;
}

TEST(Options, ReadWithDefaultsAndLimits) {
    const std::tuple<const char *, std::optional<std::string>, const char *> rows[] = {
        // key, stored, written back
        {"Width", std::nullopt, "640"}, // the default scales with the display
        {"Width", "100", "600"},        // so does the smallest width
        {"Width", "700", "700"},
        {"Width", "wide", "640"},
        {"Left", "-5", "-5"},
        {"Top", std::nullopt, "0"},
        {"Execute", "0x10", "16"},
        {"Cursor", "2", "1"},
        {"Front", "x", "0"},
        {"Var", std::nullopt, "0"},
        {"TimeFormat", "", ""},
        {"TimeFormat", std::nullopt, "yymmddhhnnss"},
        {"Ext3", "png", "png"},
        {"Ext15", std::nullopt, ""},
    };
    for (const auto &[key, stored, expected] : rows)
        EXPECT_EQ(RoundTrip(key, stored), expected) << key << "=" << stored.value_or("(missing)");
}

// The default handed to the store is the text written back, so a value the store cannot hand
// out is left as it is.
TEST(Options, EveryKeyReadWithTheTextItsDefaultIsWrittenAs) {
    MapStore in, out;
    SaveOptions(out, LoadOptions(in, Double));
    EXPECT_EQ(in.reads, out.writes);
    ASSERT_EQ(out.writes.size(), OptionKeys().size());
    for (size_t i = 0; i < OptionKeys().size(); ++i)
        EXPECT_EQ(out.writes[i].first, OptionKeys()[i].Name);
}

TEST(Options, VariableWidthKeepsTheSavedPlace) {
    MapStore in, out;
    in.values = {{"Var", "1"}, {"Left", "7"}, {"Ext0", "txt"}};
    SaveOptions(out, LoadOptions(in, Double));
    for (const auto &[key, value] : out.writes)
        EXPECT_TRUE(key != "Left" && key != "Top" && key != "Width") << key;
    EXPECT_EQ(out.writes.size(), OptionKeys().size() - 3);
    EXPECT_EQ(out.writes.back(), std::make_pair(std::string("Ext15"), std::string()));
}

// An entry the store cannot hold is left out and the later ones move up; the keys are always
// all written, so none keeps a stale entry.
TEST(Options, HistoryEntriesTheStoreCannotHoldAreLeftOut) {
    using Strings = std::vector<std::string>;
    const std::string e = "\xC3\xA9"; // é
    const struct {
        const char *Case;
        Strings Entries;
        Strings Saved; // Ext0, Ext1, ...; the rest empty
    } rows[] = {
        {"all held", {".txt", ".jpg"}, {".txt", ".jpg"}},
        {"the first left out", {".caf" + e, ".txt", ".jpg"}, {".txt", ".jpg"}},
        {"only such entries", {"." + e, ".X" + e}, {}},
        {"an empty entry keeps its key", {"", "." + e, ".md"}, {"", ".md"}},
        {"a seventeenth entry moves up",
         {".0", ".1", ".2", "." + e, ".4", ".5", ".6", ".7", ".8", ".9", ".10", ".11", ".12", ".13",
          ".14", ".15", ".16", ".17"},
         {".0", ".1", ".2", ".4", ".5", ".6", ".7", ".8", ".9", ".10", ".11", ".12", ".13", ".14",
          ".15", ".16"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Case);
        Options options;
        options.Extensions = row.Entries;
        MapStore out;
        SaveOptions(out, options);
        Strings saved;
        for (const auto &[key, value] : out.writes)
            if (key.rfind("Ext", 0) == 0) saved.push_back(value);
        Strings expected = row.Saved;
        expected.resize(SavedExtensionCount);
        EXPECT_EQ(saved, expected);
    }
}

} // namespace
} // namespace tovimar
