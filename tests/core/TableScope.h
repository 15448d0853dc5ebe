// Installs a double-byte table for one test and puts the previous one back.
#pragma once

#include "core/DoubleByte.h"

namespace tovimar {

class TableScope {
public:
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
