// The letter filter and an equality filter over generated dictionaries, against the same
// count queries in an in-memory SQLite table. Ours is compile + test of every live record.

#include "common/FilterBenchData.h"
#include "dataset/filter/FilterCondition.h"

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace sorvane;

namespace {

double medianMs(int runs, const std::function<long long()> &work, long long &result)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        result = work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

long long ourCount(const TableData &table, const QString &text)
{
    const auto condition = filter::compileFilter(text, table, {}, QStringLiteral("Table1"));
    long long count = 0;
    for (RecordId id = 0; id < table.idCount(); ++id) {
        if (!table.isDeleted(id) && condition->matches(table, id))
            ++count;
    }
    return count;
}

long long sqliteCount(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &statement, nullptr);
    sqlite3_step(statement);
    const long long count = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return count;
}

struct Case {
    const char *operation;
    QString filter;
    const char *sql;
};

} // namespace

int main()
{
    const Case cases[] = {
        {"filter Deu = 'A*'", QStringLiteral("Deu = 'A*'"),
         "SELECT count(*) FROM dict WHERE Deu LIKE 'a%'"},
        {"filter Rus = 'дом'", QStringLiteral("Rus = 'дом'"),
         "SELECT count(*) FROM dict WHERE Rus = 'дом' COLLATE NOCASE"},
    };
    std::printf("%-22s %9s %12s %12s %7s %10s %10s\n", "operation", "N", "ours ms", "SQLite ms",
                "ratio", "ours n", "SQLite n");
    for (const RecordId records : {RecordId(100000), RecordId(1000000)}) {
        const TableData table = FilterBenchData::dictionary(records);
        sqlite3 *db = FilterBenchData::sqliteCopy(table);
        {
            // Validation alone, against SQLite's preparation of its query: neither may
            // depend on the number of records.
            long long unused = 0;
            const double oursMs = medianMs(
                101,
                [&] {
                    return filter::compileFilter(cases[0].filter, table, {},
                                                 QStringLiteral("Table1"))
                               ? 1
                               : 0;
                },
                unused);
            const double sqliteMs = medianMs(
                101,
                [&] {
                    sqlite3_stmt *statement = nullptr;
                    sqlite3_prepare_v2(db, cases[0].sql, -1, &statement, nullptr);
                    sqlite3_finalize(statement);
                    return 1;
                },
                unused);
            std::printf("%-22s %9u %12.4f %12.4f %7.2f\n", "validate Deu = 'A*'", records, oursMs,
                        sqliteMs, oursMs / sqliteMs);
        }
        for (const Case &c : cases) {
            long long ours = 0;
            long long theirs = 0;
            const double oursMs = medianMs(
                9, [&] { return ourCount(table, c.filter); }, ours);
            const double sqliteMs = medianMs(
                9, [&] { return sqliteCount(db, c.sql); }, theirs);
            // Padded as characters, not bytes, for the Cyrillic in the operation's name.
            const QByteArray operation = QString::fromUtf8(c.operation).leftJustified(22).toUtf8();
            std::printf("%s %9u %12.2f %12.2f %7.2f %10lld %10lld\n", operation.constData(),
                        records, oursMs, sqliteMs, oursMs / sqliteMs, ours, theirs);
        }
        sqlite3_close(db);
    }
    // SQLite folds ASCII letters only, so "Дом" and "ДОМ" are missing from its count.
    return 0;
}
