#pragma once

#include "common/DictionaryGenerator.h"

#include <QByteArray>
#include <sqlite3.h>
#include <vector>

namespace sorvane::bench {

/// An in-memory SQLite database with the table dict(Deu, Rus), the counterpart of the
/// dataset in every benchmark row.
class SqliteDictionary {
public:
    SqliteDictionary();
    ~SqliteDictionary();
    SqliteDictionary(const SqliteDictionary &) = delete;
    SqliteDictionary &operator=(const SqliteDictionary &) = delete;

    /// Inserts the rows in one transaction.
    void insert(const std::vector<QByteArray> &deu, const std::vector<QByteArray> &rus);
    /// Inserts the generator's rows in one transaction, computing each on the way.
    void insert(const DictionaryGenerator &generator);
    void exec(const char *sql);
    /// Runs a query and writes every row, tab-separated, to a file (flushed and synced);
    /// returns the number of rows.
    int queryToFile(const char *sql, const QString &path);
    /// The first column of the first row of a query as an integer.
    qint64 queryInteger(const char *sql, const QByteArray &parameter = {});
    sqlite3 *handle() const { return m_db; }

private:
    sqlite3 *m_db = nullptr;
};

} // namespace sorvane::bench
