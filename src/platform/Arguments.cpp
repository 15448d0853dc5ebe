// The program's own path and its arguments, read from the raw command line.
#include "platform/Arguments.h"

#include "core/CommandLine.h"
#include "platform/Files.h"
#include "platform/Locale.h"
#include "platform/Text.h"

#include <cstring>
#include <vector>

namespace tovimar::platform {

namespace {

constexpr DWORD ModulePathBuffer = 261;

bool IsBlank(wchar_t c) {
    return c != L'\0' && static_cast<unsigned>(c) <= 0x20;
}

// One argument of a wide command line; pos moves past it. Mirrors the ANSI rule: blanks and
// control characters separate, quotes group and are dropped, a pair of quotes alone is skipped.
std::wstring NextWideArgument(std::wstring_view text, size_t &pos) {
    for (;;) {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos + 1 < text.size() && text[pos] == L'"' && text[pos + 1] == L'"') {
            pos += 2;
            continue;
        }
        break;
    }
    std::wstring argument;
    while (pos < text.size() && static_cast<unsigned>(text[pos]) > 0x20) {
        if (text[pos] != L'"') {
            argument += text[pos++];
            continue;
        }
        ++pos;
        while (pos < text.size() && text[pos] != L'"')
            argument += text[pos++];
        if (pos < text.size()) ++pos;
    }
    return argument;
}

std::string ModulePathAnsi() {
    char buffer[ModulePathBuffer] = {};
    DWORD length = ::GetModuleFileNameA(nullptr, buffer, ModulePathBuffer);
    // A truncated path fills the buffer, with or without its zero (Wine leaves it out):
    // at most 260 bytes either way.
    return std::string(buffer, strnlen(buffer, length < MAX_PATH ? length : MAX_PATH));
}

// The 8.3 form of the module path, when it fits the ANSI code page (a volume without short
// names hands back the long one).
std::optional<std::string> ShortModulePath() {
    const std::wstring wide = ModulePath();
    std::wstring shortPath(MAX_PATH, L'\0');
    DWORD length = ::GetShortPathNameW(wide.c_str(), shortPath.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::nullopt;
    shortPath.resize(length);
    if (!FitsAnsiCodePage(shortPath)) return std::nullopt;
    return ToAnsi(shortPath);
}

class StartProbe : public TargetProbe {
public:
    explicit StartProbe(int i) : index_(i) {}
    bool ArgumentLostCharacters() override { return platform::ArgumentLostCharacters(index_); }
    std::string FullPath(const std::string &path) override { return platform::FullPath(path); }
    std::string ResolveLongPath(const std::string &path) override {
        return platform::ResolveLongPath(path);
    }
    bool FileIsPresent(const std::string &path) override { return platform::FileIsPresent(path); }
    bool FolderIsPresent(const std::string &path) override {
        return platform::FolderIsPresent(path);
    }

private:
    int index_;
};

} // namespace

ResolvedTarget ResolveStartTarget(int i) {
    StartProbe probe(i);
    return ResolveTarget(AnsiCharacterRule(), ArgumentAt(i), probe);
}

std::wstring WideArgumentAt(std::wstring_view commandLine, int i) {
    if (i < 1) return {};
    size_t pos = 0;
    NextWideArgument(commandLine, pos);
    std::wstring argument;
    for (int n = 1; n <= i; ++n) {
        argument = NextWideArgument(commandLine, pos);
        if (argument.empty()) return {};
    }
    return argument;
}

int ArgumentCount() {
    return tovimar::ArgumentCount(AnsiCharacterRule(), ::GetCommandLineA());
}

std::string ArgumentAt(int i) {
    if (i < 0) return {};
    if (i > 0) return tovimar::ArgumentAt(AnsiCharacterRule(), ::GetCommandLineA(), i);
    if (ArgumentLostCharacters(0)) {
        if (std::optional<std::string> shortPath = ShortModulePath()) return *shortPath;
    }
    return ModulePathAnsi();
}

bool ProgramPathUsable() {
    return !ArgumentLostCharacters(0) || ShortModulePath().has_value();
}

bool ArgumentLostCharacters(int i) {
    if (i < 0) return false;
    if (i == 0) return !FitsAnsiCodePage(ModulePath());
    return !FitsAnsiCodePage(WideArgumentAt(::GetCommandLineW(), i));
}

std::wstring ModulePath() {
    std::vector<wchar_t> buffer(32768);
    DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), wcsnlen(buffer.data(), length));
}

std::wstring ProgramFolderFile(std::wstring_view name) {
    const std::wstring module = ModulePath();
    return module.substr(0, module.find_last_of(L'\\') + 1).append(name);
}

} // namespace tovimar::platform
