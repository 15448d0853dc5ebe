#include "core/Options.h"

#include "core/IniValue.h"

#include <algorithm>

namespace tovimar {

namespace {

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

const OptionKey Keys[] = {
    {.Name = "Left", .Field = &Options::Left, .WindowLength = true},
    {.Name = "Top", .Field = &Options::Top, .WindowLength = true},
    {.Name = "Width",
     .Field = &Options::Width,
     .Number = DesignWindowWidth,
     .Minimum = MinimumWindowWidth,
     .WindowLength = true},
    {.Name = "Execute", .Field = &Options::ExecuteCount},
    {.Name = "Cursor", .Field = &Options::OpenAtCursor},
    {.Name = "Front", .Field = &Options::AlwaysOnTop},
    {.Name = "Var", .Field = &Options::VariableWidth},
    // A key present with an empty value is an empty pattern; only a missing key defaults.
    {.Name = "TimeFormat", .Field = &Options::TimeFormat, .Text = DefaultTimeFormat},
    {.Name = "Ext0", .Field = size_t{0}},
    {.Name = "Ext1", .Field = size_t{1}},
    {.Name = "Ext2", .Field = size_t{2}},
    {.Name = "Ext3", .Field = size_t{3}},
    {.Name = "Ext4", .Field = size_t{4}},
    {.Name = "Ext5", .Field = size_t{5}},
    {.Name = "Ext6", .Field = size_t{6}},
    {.Name = "Ext7", .Field = size_t{7}},
    {.Name = "Ext8", .Field = size_t{8}},
    {.Name = "Ext9", .Field = size_t{9}},
    {.Name = "Ext10", .Field = size_t{10}},
    {.Name = "Ext11", .Field = size_t{11}},
    {.Name = "Ext12", .Field = size_t{12}},
    {.Name = "Ext13", .Field = size_t{13}},
    {.Name = "Ext14", .Field = size_t{14}},
    {.Name = "Ext15", .Field = size_t{15}},
};
static_assert(std::size(Keys) == 8 + SavedExtensionCount);

} // namespace

std::string DefaultText(const OptionKey &key) {
    return std::holds_alternative<std::string Options::*>(key.Field) ||
                   std::holds_alternative<size_t>(key.Field)
               ? std::string(key.Text)
               : FormatIniInteger(key.Number);
}

std::span<const OptionKey> OptionKeys() {
    return Keys;
}

Options LoadOptions(SettingsStore &store, const ScaleLength &scale) {
    Options options;
    for (const OptionKey &key : Keys) {
        const auto length = [&](int32_t value) { return key.WindowLength ? scale(value) : value; };
        // The default goes in as text the way it is written back.
        const auto readInteger = [&]() {
            const int32_t fallback = length(key.Number);
            return ParseIniInteger(store.ReadString(key.Name, FormatIniInteger(fallback)),
                                   fallback);
        };
        std::visit(Overloaded{
                       [&](int32_t Options::*field) {
                           const int32_t minimum =
                               key.Minimum == std::numeric_limits<int32_t>::min()
                                   ? key.Minimum
                                   : length(key.Minimum);
                           options.*field = std::max(readInteger(), minimum);
                       },
                       [&](bool Options::*field) { options.*field = readInteger() != 0; },
                       [&](std::string Options::*field) {
                           options.*field = store.ReadString(key.Name, key.Text);
                       },
                       [&](size_t entry) {
                           options.Extensions[entry] = store.ReadUtf8(key.Name).value_or(key.Text);
                       },
                   },
                   key.Field);
    }
    return options;
}

void SaveOptions(SettingsStore &store, const Options &options) {
    // The history's keys take its entries in order; one the store cannot hold is left out and
    // the later ones move up.
    auto nextEntry = options.Extensions.begin();
    const auto writeEntry = [&](const char *name) {
        while (nextEntry != options.Extensions.end())
            if (store.WriteUtf8(name, *nextEntry++)) return;
        store.WriteUtf8(name, "");
    };
    for (const OptionKey &key : Keys) {
        if (key.WindowLength && options.VariableWidth) continue;
        if (std::holds_alternative<size_t>(key.Field)) {
            writeEntry(key.Name);
            continue;
        }
        const std::string value = std::visit(
            Overloaded{
                [&](int32_t Options::*field) { return FormatIniInteger(options.*field); },
                [&](bool Options::*field) { return FormatIniBool(options.*field); },
                [&](std::string Options::*field) { return options.*field; },
                [&](size_t) { return std::string(); },
            },
            key.Field);
        store.WriteString(key.Name, value);
    }
}

} // namespace tovimar
