// The letter filter and an equality filter over generated dictionaries, against the same
// count queries in an in-memory SQLite table. Ours is compile + test of every live record.
// The generated German words begin with consonants, so the letter filter takes "B" where
// the window's first tab is "A" (the same work); the equality filter looks for a Russian
// word the dictionary holds. SQLite folds ASCII letters only; ours fold every alphabet.

#include "common/BenchTable.h"
#include "common/DictionaryGenerator.h"
#include "common/SqliteDictionary.h"
#include "dataset/filter/FilterCondition.h"

#include <QString>
#include <cstdio>

using namespace sorvane;
using namespace sorvane::bench;

namespace {

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

struct Case {
    const char *operation;
    QString filter;
    const char *sql;
};

} // namespace

int main()
{
    BenchTable bench;
    for (const int records : {100000, 1000000}) {
        const DictionaryGenerator generator{std::uint32_t(records)};
        const QString word = generator.rus(4242);
        const QByteArray equalitySql =
            "SELECT count(*) FROM dict WHERE Rus = '" + word.toUtf8() + "' COLLATE NOCASE";
        const Case cases[] = {
            {"filter Deu = 'B*'", QStringLiteral("Deu = 'B*'"),
             "SELECT count(*) FROM dict WHERE Deu LIKE 'b%'"},
            {"filter Rus = <a word>", QStringLiteral("Rus = '%1'").arg(word),
             equalitySql.constData()},
        };
        const TableData table = generator.table();
        SqliteDictionary db;
        db.insert(generator);
        // Validation alone, against SQLite's preparation of its query: neither may depend
        // on the number of records.
        const double validate = medianMs(101, [&] {
            filter::compileFilter(cases[0].filter, table, {}, QStringLiteral("Table1"));
        });
        const double prepare = medianMs(101, [&] {
            sqlite3_stmt *statement = nullptr;
            sqlite3_prepare_v2(db.handle(), cases[0].sql, -1, &statement, nullptr);
            sqlite3_finalize(statement);
        });
        bench.add(QStringLiteral("validate Deu = 'A*'"), records, validate, prepare, 1.0);
        for (const Case &c : cases) {
            long long ours = 0;
            long long theirs = 0;
            const double oursMs = medianMs(9, [&] { ours = ourCount(table, c.filter); });
            const double sqliteMs = medianMs(9, [&] { theirs = db.queryInteger(c.sql); });
            bench.add(QString::fromUtf8(c.operation), records, oursMs, sqliteMs, 0.5);
            std::printf("%s, %d records: %lld kept (SQLite %lld)\n", c.operation, records, ours,
                        theirs);
        }
    }
    bench.print();
    return 0;
}
