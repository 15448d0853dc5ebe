// The settings file.
#include "app/MainUnit.h"

#include "core/Errors.h"
#include "core/IniValue.h"
#include "core/Messages.h"
#include "app/WindowLayout.h"
#include "platform/IniFile.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace tovimar::app {

namespace {

constexpr const char *Section = "Tovimar";
constexpr int32_t DefaultLeft = 0;
constexpr int32_t DefaultTop = 0;

std::string ExtensionKey(size_t i) {
    return "Ext" + std::to_string(i);
}

int32_t ReadInteger(const platform::IniFile &ini, const std::string &key, int32_t defaultValue) {
    return ParseIniInteger(ini.ReadString(key, ""), defaultValue);
}

bool ReadBool(const platform::IniFile &ini, const std::string &key, bool defaultValue) {
    return ParseIniBool(ini.ReadString(key, ""), defaultValue);
}

// Every failed write is the same error: the file cannot be written.
void Write(platform::IniFile &ini, const std::string &key, const std::string &value) {
    if (!ini.WriteString(key, value))
        throw TovimarError(ShownText::System(ini.FileName()) + msg::CannotWriteSuffix);
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

} // namespace

void TFormMain::IniLoad() {
    platform::IniFile ini(IniFileName, Section);
    // Every read is a trip to the file: those of missing keys are saved.
    ini.ListKeys();

    // The window moves there once, when it is placed. The window's size limit applies to the
    // width.
    savedLeft_ = ReadInteger(ini, "Left", DefaultLeft);
    savedTop_ = ReadInteger(ini, "Top", DefaultTop);
    savedWidth_ =
        std::max(ReadInteger(ini, "Width", Scale(DesignWindowWidth)), Scale(MinimumWindowWidth));

    ExecuteCount = ReadInteger(ini, "Execute", 0);

    // Only the check marks: the options act through the placement and their own commands.
    mnuOptionCursor.SetChecked(ReadBool(ini, "Cursor", false));
    WindowFront.SetChecked(ReadBool(ini, "Front", false));
    mnuWindowVariable.SetChecked(ReadBool(ini, "Var", false));

    // A key present with an empty value is an empty pattern; only a missing key defaults.
    std::optional<std::string> format = ini.ReadValue("TimeFormat");
    TimeFormat = format ? CutIniString(*format) : std::string(DefaultTimeFormat);

    for (size_t i = 0; i < SavedExtensionCount; ++i) {
        std::string value = CutIniString(ini.ReadString(ExtensionKey(i), ""));
        extensionBox_.History().LoadValue(value);
    }
}

void TFormMain::IniSave() {
    if (IniFileName.empty()) throw TovimarError(std::string(msg::ProgramFolderUnreadable));
    platform::IniFile ini(IniFileName, Section);

    if (!mnuWindowVariable.Checked()) {
        const RECT r = WindowRect(Handle());
        Write(ini, "Left", FormatIniInteger(r.left));
        Write(ini, "Top", FormatIniInteger(r.top));
        Write(ini, "Width", FormatIniInteger(r.right - r.left));
    }
    Write(ini, "Execute", FormatIniInteger(ExecuteCount));
    Write(ini, "Cursor", FormatIniBool(mnuOptionCursor.Checked()));
    Write(ini, "Front", FormatIniBool(WindowFront.Checked()));
    Write(ini, "Var", FormatIniBool(mnuWindowVariable.Checked()));
    Write(ini, "TimeFormat", TimeFormat);

    const std::vector<std::string> values = extensionBox_.History().SaveValues();
    for (size_t i = 0; i < values.size(); ++i)
        Write(ini, ExtensionKey(i), values[i]);

    // Releasing the file flushes the profile cache. The flush's result says nothing: Wine
    // reports failure for every flush.
}

} // namespace tovimar::app
