// Installs a double-byte table for one test and puts the previous one back.
#pragma once

#include "core/DoubleByte.h"

namespace tovimar {

// The character rule of a code page: 932, 65001, or any other for a single-byte one.
inline CharacterRule TableFor(uint32_t codePage) {
    if (codePage == 932) return ShiftJisRule();
    if (codePage == Utf8CodePage) return Utf8Rule();
    return CharacterRule{};
}

class TableScope {
public:
    explicit TableScope(uint32_t codePage) : TableScope(TableFor(codePage)) {}
    explicit TableScope(const CharacterRule &table) : saved_(CurrentCharacterRule()) {
        SetCharacterRule(table);
    }
    ~TableScope() { SetCharacterRule(saved_); }
    TableScope(const TableScope &) = delete;
    TableScope &operator=(const TableScope &) = delete;

private:
    CharacterRule saved_;
};

} // namespace tovimar
