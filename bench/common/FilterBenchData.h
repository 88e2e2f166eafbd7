#pragma once

#include "dataset/TableData.h"

#include <sqlite3.h>

namespace sorvane {

/// The dictionaries the filter benchmark runs on: deterministic Deu / Rus pairs with
/// umlauts, ß and Cyrillic, and the same pairs in an in-memory SQLite table for comparison.
class FilterBenchData {
public:
    static TableData dictionary(RecordId records);
    /// An in-memory database with the table dict(Deu, Rus) holding the table's records.
    static sqlite3 *sqliteCopy(const TableData &table);
};

} // namespace sorvane
