// The text report of a whole dictionary against SQLite writing the same lines from
// SELECT … ORDER BY Deu, Rus: the report orders by "Deu;Rus" itself, so both sort.
#include "common/BenchTable.h"
#include "common/DictionaryGenerator.h"
#include "common/SqliteDictionary.h"
#include "dataset/ClientDataSet.h"
#include "dataset/TextReport.h"
#include "system/AtomicFile.h"
#include "system/TextFile.h"

#include <QCoreApplication>
#include <QTemporaryDir>

using namespace sorvane;
using namespace sorvane::bench;

namespace {

// The report's layout from SQL: each value and eight spaces, CR LF after every line.
void sqliteReport(SqliteDictionary &db, const QString &path)
{
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db.handle(), "SELECT Deu, Rus FROM dict ORDER BY Deu, Rus", -1, &statement,
                       nullptr);
    QByteArray out = "\xEF\xBB\xBF"
                     "Deu        Rus        \r\n";
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int column = 0; column < 2; ++column) {
            out.append(reinterpret_cast<const char *>(sqlite3_column_text(statement, column)),
                       sqlite3_column_bytes(statement, column));
            out.append("        ", 8);
        }
        out.append("\r\n", 2);
    }
    sqlite3_finalize(statement);
    AtomicFile::write(path, out);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    BenchTable table;
    for (const auto &[records, runs] : {std::pair{100000, 5}, std::pair{1000000, 3}}) {
        const DictionaryGenerator generator{std::uint32_t(records)};
        SqliteDictionary db;
        db.insert(generator);
        ClientDataSet set(QStringLiteral("Table1"));
        set.addIndex(QStringLiteral("indD"), QStringLiteral("Deu"), ClientDataSet::Unique);
        set.openData(generator.table());
        const QString path = folder.filePath(QStringLiteral("Отчёт.txt"));
        const double sqlite = medianMs(runs, [&] { sqliteReport(db, path); });
        const double ours = medianMs(
            runs,
            [&] { TextFile::write(path, TextReport::build(set, TextReport::allFields(set))); },
            [&] { set.setIndexName(QStringLiteral("indD")); });
        table.add(QStringLiteral("report of the whole view"), records, ours, sqlite, 0.5);
    }
    table.print();
    return 0;
}
