// The settings file.
#include "app/MainUnit.h"

#include "core/Errors.h"
#include "core/IniValue.h"
#include "core/Messages.h"
#include "app/WindowLayout.h"
#include "platform/IniFile.h"

#include <algorithm>
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

// The default goes in as text, so that a value the code page cannot hold reads as it and is
// kept when the default is written back.
int32_t ReadInteger(platform::IniFile &ini, const std::string &key, int32_t defaultValue) {
    return ParseIniInteger(ini.ReadString(key, FormatIniInteger(defaultValue)), defaultValue);
}

bool ReadBool(platform::IniFile &ini, const std::string &key, bool defaultValue) {
    return ParseIniBool(ini.ReadString(key, FormatIniBool(defaultValue)), defaultValue);
}

RECT WindowRect(HWND hwnd) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    return r;
}

} // namespace

void TFormMain::IniLoad() {
    // One read of the file; the values come from memory.
    platform::IniFile &ini = settingsFile_.emplace(IniFileName, Section);

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
    TimeFormat = ini.ReadString("TimeFormat", std::string(DefaultTimeFormat));

    for (size_t i = 0; i < SavedExtensionCount; ++i)
        extensionBox_.History().LoadValue(ini.ReadString(ExtensionKey(i), ""));
}

void TFormMain::IniSave() {
    if (IniFileName.empty()) throw TovimarError(std::string(msg::ProgramFolderUnreadable));
    platform::IniFile &ini =
        settingsFile_ ? *settingsFile_ : settingsFile_.emplace(IniFileName, Section);

    if (!mnuWindowVariable.Checked()) {
        const RECT r = WindowRect(Handle());
        ini.WriteString("Left", FormatIniInteger(r.left));
        ini.WriteString("Top", FormatIniInteger(r.top));
        ini.WriteString("Width", FormatIniInteger(r.right - r.left));
    }
    ini.WriteString("Execute", FormatIniInteger(ExecuteCount));
    ini.WriteString("Cursor", FormatIniBool(mnuOptionCursor.Checked()));
    ini.WriteString("Front", FormatIniBool(WindowFront.Checked()));
    ini.WriteString("Var", FormatIniBool(mnuWindowVariable.Checked()));
    ini.WriteString("TimeFormat", TimeFormat);

    const std::vector<std::string> values = extensionBox_.History().SaveValues();
    for (size_t i = 0; i < values.size(); ++i)
        ini.WriteString(ExtensionKey(i), values[i]);

    // Every failed write is the same error: the file cannot be written.
    if (!ini.Save()) throw TovimarError(ShownText::System(ini.FileName()) + msg::CannotWriteSuffix);
}

} // namespace tovimar::app
