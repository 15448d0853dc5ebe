// Installs a double-byte table for one test and puts the previous one back.
#pragma once

#include "core/DoubleByte.h"

namespace tovimar {

// The character rule of a code page: 932, 65001, or any other for a single-byte one.
inline DoubleByteTable TableFor(uint32_t codePage) {
    if (codePage == 932) return ShiftJisTable();
    if (codePage == Utf8CodePage) return Utf8Table();
    return DoubleByteTable{};
}

class TableScope {
public:
    explicit TableScope(uint32_t codePage) : TableScope(TableFor(codePage)) {}
    explicit TableScope(const DoubleByteTable &table) : saved_(CurrentDoubleByteTable()) {
        SetDoubleByteTable(table);
    }
    ~TableScope() { SetDoubleByteTable(saved_); }
    TableScope(const TableScope &) = delete;
    TableScope &operator=(const TableScope &) = delete;

private:
    DoubleByteTable saved_;
};

} // namespace tovimar
