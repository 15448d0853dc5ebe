#include "core/WorkingCodePage.h"

namespace tovimar {

uint32_t WorkingCodePage(uint32_t ansiCodePage, std::initializer_list<bool> fits) {
    for (bool fit : fits)
        if (!fit) return Utf8CodePage;
    return ansiCodePage;
}

const CharacterRule &RuleOfCodePage(uint32_t codePage, uint32_t ansiCodePage,
                                    const CharacterRule &ansiRule) {
    static const CharacterRule utf8 = Utf8Rule();
    return codePage == ansiCodePage ? ansiRule : utf8;
}

} // namespace tovimar
