// The character rule as the running system describes its locale and code page, and the fixed
// texts the commands compare or insert, in that code page.
#include "platform/Locale.h"

#include "core/DoubleByte.h"
#include "core/Messages.h"
#include "core/NameEditing.h"
#include "platform/Text.h"

#include <cstring>

namespace tovimar::platform {

namespace {

class SystemDoubleByteSource final : public DoubleByteSource {
public:
    uint32_t ThreadLocale() override { return ::GetThreadLocale(); }

    std::optional<bool> PlatformIsNT() override {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
#ifdef _MSC_VER
#pragma warning(suppress : 4996) // only the platform id is read, which the shim leaves alone
#endif
        if (!::GetVersionExA(&info)) return std::nullopt;
        return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
    }

    std::optional<std::string> LocaleAnsiCodePage(uint32_t locale) override {
        char buffer[7] = {};
        int length = ::GetLocaleInfoA(locale, LOCALE_IDEFAULTANSICODEPAGE, buffer, sizeof buffer);
        if (length <= 0) return std::nullopt;
        return std::string(buffer, strnlen(buffer, sizeof buffer));
    }

    uint32_t AnsiCodePage() override {
        return ::GetACP();
    }

    std::optional<std::string> LeadByteRanges(uint32_t codePage) override {
        CPINFO info{};
        if (!::GetCPInfo(codePage, &info)) return std::nullopt;
        return std::string(reinterpret_cast<const char *>(info.LeadByte), MAX_LEADBYTES);
    }

    bool DbcsEnabled() override {
        return ::GetSystemMetrics(SM_DBCSENABLED) != 0;
    }
};

// The running code page's bytes of a known text; none where it cannot hold the text.
std::string LiteralBytes(std::wstring_view text) {
    return FitsAnsiCodePage(text) ? ToAnsi(text) : std::string();
}

CodePageLiterals ReadLiterals() {
    CodePageLiterals literals;
    literals.WideBlank = LiteralBytes(L"\x3000");
    literals.WideUnderscore = LiteralBytes(L"\xFF3F");
    // ファイル削除; where the code page cannot hold it, the program's own bytes as the name
    // field gives them back, so that the delete is still recognised.
    literals.DeleteName = LiteralBytes(L"\x30D5\x30A1\x30A4\x30EB\x524A\x9664");
    if (literals.DeleteName.empty()) literals.DeleteName = ToAnsi(FromAnsi(msg::DeleteName));
    return literals;
}

CharacterRule &KeptRule() {
    static CharacterRule rule;
    return rule;
}

} // namespace

void LoadCharacterRule() {
    SystemDoubleByteSource source;
    KeptRule() = BuildAnsiCharacterRule(source);
    SetLiterals(ReadLiterals());
}

const CharacterRule &AnsiCharacterRule() {
    return KeptRule();
}

} // namespace tovimar::platform
