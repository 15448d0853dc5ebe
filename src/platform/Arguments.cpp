// The program's own path and its arguments, read from the raw command line.
#include "platform/Arguments.h"

#include "core/CommandLine.h"
#include "platform/Files.h"
#include "platform/Text.h"

#include <cwchar>
#include <vector>

namespace tovimar::platform {

namespace {

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

// The start argument's questions in its working code page, asked of the wide calls.
class StartProbe : public TargetProbe {
public:
    StartProbe(uint32_t codePage, std::wstring_view argument)
        : codePage_(codePage), argument_(argument) {}
    bool ArgumentLostCharacters() override {
        return Wide(FromWide(codePage_, argument_)) != argument_;
    }
    std::string FullPath(const std::string &path) override {
        if (HoldsZero(path)) return path;
        return FromWide(codePage_, platform::FullPath(Wide(path)));
    }
    std::string ResolveLongPath(const std::string &path) override {
        return platform::ResolveLongPath(path, codePage_);
    }
    bool FileIsPresent(const std::string &path) override {
        return !HoldsZero(path) && platform::FileIsPresent(Wide(path));
    }
    bool FolderIsPresent(const std::string &path) override {
        return !HoldsZero(path) && platform::FolderIsPresent(Wide(path));
    }

private:
    std::wstring Wide(std::string_view bytes) const { return ToWide(codePage_, bytes); }

    uint32_t codePage_;
    std::wstring_view argument_;
};

} // namespace

StartTarget ResolveStartTarget(int i) {
    // Read from the wide command line only: the ANSI one has already lost what its code page
    // cannot hold.
    const std::wstring argument = WideArgumentAt(::GetCommandLineW(), i);
    const uint32_t codePage = WorkingCodePageOf({argument});
    StartProbe probe(codePage, argument);
    StartTarget start;
    start.Target = ResolveTarget(RuleOf(codePage), FromWide(codePage, argument), probe);
    start.Path = ToWide(codePage, start.Target.Path);
    return start;
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

namespace {

// The command line in UTF-8: arguments are counted and split from the UTF-16 one only (the ANSI
// one has lost what its code page cannot hold, or mapped a full-width quote to a quote).
std::string Utf8CommandLine() {
    return FromWide(CP_UTF8, ::GetCommandLineW());
}

} // namespace

int ArgumentCount() {
    return tovimar::ArgumentCount(RuleOf(CP_UTF8), Utf8CommandLine());
}

std::wstring ChainParameters(int from) {
    return ToWide(CP_UTF8, tovimar::ChainParameters(RuleOf(CP_UTF8), Utf8CommandLine(), from));
}

std::wstring ModulePath() {
    std::vector<wchar_t> buffer(32768);
    DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    return std::wstring(buffer.data(), wcsnlen(buffer.data(), length));
}

std::wstring ProgramFolderFile(std::wstring_view name) {
    const std::wstring module = ModulePath();
    const size_t cut = module.find_last_of(L'\\');
    // Without its folder the name alone would be looked for in the current one.
    if (cut == std::wstring::npos) return {};
    return module.substr(0, cut + 1).append(name);
}

} // namespace tovimar::platform
