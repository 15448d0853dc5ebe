// The options a run keeps for the next: every key of the settings file with its default and
// its limit in one table, read and written through any store of text values by key.
#pragma once

#include "core/ExtensionHistory.h"
#include "core/FunctionRef.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace tovimar {

// Text values by key in the program's code page; the platform's settings file is one.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The key's value; fallback when the key is missing or its text is unreadable.
    virtual std::string ReadString(const std::string &key, const std::string &fallback) = 0;
    virtual void WriteString(const std::string &key, const std::string &value) = 0;
    // The same in UTF-8, for texts that need not fit the code page: nullopt when missing or
    // unreadable; a write answers false, changing nothing, when the store cannot hold it.
    virtual std::optional<std::string> ReadUtf8(const std::string &key) = 0;
    virtual bool WriteUtf8(const std::string &key, const std::string &value) = 0;
};

// The window's width at 96 dots per inch before a saved one is read, and the smallest it takes.
inline constexpr int32_t DesignWindowWidth = 320;
inline constexpr int32_t MinimumWindowWidth = 300;

inline constexpr const char *DefaultTimeFormat = "yymmddhhnnss";

// The defaults until read, but for the width.
struct Options {
    // Where the window was; kept only while its width is fixed.
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;        // 0 until read
    int32_t ExecuteCount = 0; // runs so far
    bool OpenAtCursor = false;
    bool AlwaysOnTop = false;
    bool VariableWidth = false;
    std::string TimeFormat = DefaultTimeFormat;
    // The extension history in UTF-8: as read, one value per key, empty ones included; to be
    // saved, every entry, of which the first the store can hold fill the keys.
    std::vector<std::string> Extensions = std::vector<std::string>(SavedExtensionCount);
};

// One key: where its value lives in Options (an index for a history entry), its default, the
// smallest value read, and whether it is a length of the window, which scales with the display
// (its default and smallest at 96 dots per inch) and is kept only while the width is fixed.
struct OptionKey {
    const char *Name;
    std::variant<int32_t Options::*, bool Options::*, std::string Options::*, size_t> Field;
    int32_t Number = 0;    // the default of a number or a flag
    const char *Text = ""; // the default of a text
    int32_t Minimum = std::numeric_limits<int32_t>::min();
    bool WindowLength = false;
};

// The default as the file would hold it, at 96 dots per inch.
std::string DefaultText(const OptionKey &key);

// In the order the keys are written.
std::span<const OptionKey> OptionKeys();

// A length at 96 dots per inch as the display shows it.
using ScaleLength = FunctionRef<int32_t(int32_t)>;

// Every key read with its default, so a value the store cannot hand out reads as the default
// and stays as it is when the default is written back.
Options LoadOptions(SettingsStore &store, const ScaleLength &scale);
void SaveOptions(SettingsStore &store, const Options &options);

} // namespace tovimar
