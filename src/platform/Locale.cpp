// The lead-byte table as the running system describes its locale.
#include "platform/Platform.h"

#include "core/DoubleByte.h"

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

} // namespace

void LoadDoubleByteTable() {
    SystemDoubleByteSource source;
    SetDoubleByteTable(BuildDoubleByteTable(source));
}

} // namespace tovimar::platform
