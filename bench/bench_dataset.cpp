// The dictionary dataset against SQLite's in-memory database on the same generated
// dictionaries: opening, writing back, building orders, locating, posting, and memory.
#include "common/BenchTable.h"
#include "common/DictionaryGenerator.h"
#include "common/SqliteDictionary.h"
#include "dataset/ClientDataSet.h"
#include "dataset/DataFile.h"
#include "dataset/packet/DataPacket.h"

#include <QCollator>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace sorvane;
using namespace sorvane::bench;

namespace {

struct Sizes {
    int records;
    int runs;
};

void benchSize(const Sizes &size, const QString &folder, BenchTable &table)
{
    const int n = size.records;
    const DictionaryGenerator generator{std::uint32_t(n)};
    std::vector<QByteArray> deu, rus;
    deu.reserve(std::size_t(n));
    rus.reserve(std::size_t(n));
    for (std::uint32_t i = 0; i < std::uint32_t(n); ++i) {
        deu.push_back(generator.deu(i).toUtf8());
        rus.push_back(generator.rus(i).toUtf8());
    }
    const QString binaryPath = folder + QStringLiteral("/dict.db");
    const QString xmlPath = folder + QStringLiteral("/dict.xml");
    {
        const TableData data = generator.table();
        DataFile::write(binaryPath, packet::writePacket(data, packet::PacketForm::Binary));
        DataFile::write(xmlPath, packet::writePacket(data, packet::PacketForm::Xml));
    }

    const double sqliteInsert = medianMs(size.runs, [&] {
        SqliteDictionary db;
        db.insert(deu, rus);
    });
    struct OpenRow {
        const char *label;
        QString path;
        double target;
    };
    for (const OpenRow &row : {OpenRow{"open a binary packet", binaryPath, 0.5},
                               OpenRow{"open an XML packet", xmlPath, 1.0}}) {
        ClientDataSet set(QStringLiteral("Table1"));
        set.setFileName(row.path);
        const double ours = medianMs(
            size.runs, [&] { set.open(); }, [&] { set.close(); });
        set.close();
        table.add(QLatin1String(row.label), n, ours, sqliteInsert, row.target);
    }

    SqliteDictionary db;
    db.insert(deu, rus);
    ClientDataSet set(QStringLiteral("Table1"));
    set.addIndex(QStringLiteral("indD"), QStringLiteral("Deu"), ClientDataSet::Unique);
    set.addIndex(QStringLiteral("indR"), QStringLiteral("Rus"));
    const QString writePath = folder + QStringLiteral("/written.db");
    DataFile::write(writePath, {});

    // Write-back: a changed table closed; the counterpart reads every row out to a file.
    {
        set.setFileName(binaryPath);
        const auto openChanged = [&] {
            set.setFileName(binaryPath);
            set.open();
            set.setFileName(writePath);
            set.setValue(1, QStringLiteral("изменено"));
            set.post();
        };
        const double ours = medianMs(
            size.runs, [&] { set.close(); }, openChanged);
        const QString outPath = folder + QStringLiteral("/sqlite.txt");
        const double sqlite =
            medianMs(size.runs, [&] { db.queryToFile("SELECT Deu, Rus FROM dict", outPath); });
        table.add(QStringLiteral("write-back, binary"), n, ours, sqlite, 1.0);
    }

    set.setFileName(binaryPath);
    set.open();
    const double createIndex = medianMs(
        size.runs, [&] { db.exec("CREATE UNIQUE INDEX idxDeu ON dict(Deu)"); },
        [&] { db.exec("DROP INDEX IF EXISTS idxDeu"); });
    {
        const double ours = medianMs(
            size.runs, [&] { set.setIndexName(QStringLiteral("indD")); },
            [&] {
                set.close();
                set.setIndexName(QString());
                set.open();
            });
        table.add(QStringLiteral("select indD (build)"), n, ours, createIndex, 0.7);
    }
    {
        // The same order from locale sort keys, measured to choose the collation.
        QCollator collator(QLocale(QLocale::German, QLocale::Germany));
        const TableData &data = set.data();
        const double keys = medianMs(size.runs, [&] {
            std::vector<QCollatorSortKey> sortKeys;
            sortKeys.reserve(std::size_t(n));
            for (RecordId id = 0; id < data.idCount(); ++id)
                sortKeys.push_back(collator.sortKey(data.text(id, 0).toString()));
            std::vector<RecordId> ids{std::vector<RecordId>(std::size_t(n))};
            for (RecordId id = 0; id < RecordId(n); ++id)
                ids[id] = id;
            std::sort(ids.begin(), ids.end(),
                      [&](RecordId a, RecordId b) { return sortKeys[a].compare(sortKeys[b]) < 0; });
        });
        table.add(QStringLiteral("  (indD from QCollator sort keys, rejected)"), n, keys,
                  createIndex, 0.7);
    }
    {
        const QString outPath = folder + QStringLiteral("/sorted.txt");
        const double sqlite = medianMs(size.runs, [&] {
            db.queryToFile("SELECT Deu, Rus FROM dict ORDER BY Deu, Rus", outPath);
        });
        const double ours = medianMs(
            size.runs, [&] { set.setIndexFieldNames(QStringLiteral("Deu;Rus")); },
            [&] { set.setIndexName(QStringLiteral("indD")); });
        table.add(QStringLiteral("select field list \"Deu;Rus\""), n, ours, sqlite, 0.5);
    }
    db.exec("CREATE UNIQUE INDEX IF NOT EXISTS idxDeu ON dict(Deu)");
    set.setIndexName(QStringLiteral("indD"));
    {
        const int runs = size.runs * 3;
        const double sqlite = medianMs(runs, [&] {
            db.queryInteger("SELECT rowid FROM dict WHERE Rus GLOB 'щ*' ORDER BY Deu LIMIT 1");
        });
        const double ours = medianMs(runs, [&] {
            if (set.locate(QStringLiteral("Rus"), QStringLiteral("щ"), true, false))
                std::abort();
        });
        table.add(QStringLiteral("locate an absent Rus prefix in Deu order"), n, ours, sqlite, 0.1);
    }
    {
        set.setIndexName(QStringLiteral("indR"));
        set.setIndexName(QStringLiteral("indD"));
        db.exec("CREATE INDEX idxRus ON dict(Rus)");
        const int runs = size.runs * 5;
        int round = 0;
        const double ours = medianMs(
            runs,
            [&] {
                set.setValue(0, QStringLiteral("Mittelwort%1").arg(round));
                set.post();
                if (set.recNo() <= 0)
                    std::abort();
            },
            [&] {
                ++round;
                set.setRecNo(n / 2);
            });
        round = 0;
        sqlite3_stmt *update = nullptr;
        sqlite3_prepare_v2(db.handle(), "UPDATE dict SET Deu = ? WHERE rowid = ?", -1, &update,
                           nullptr);
        QByteArray value;
        const double sqlite = medianMs(
            runs,
            [&] {
                sqlite3_bind_text(update, 1, value.constData(), int(value.size()), SQLITE_STATIC);
                sqlite3_bind_int64(update, 2, n / 2);
                sqlite3_step(update);
                sqlite3_reset(update);
                if (db.queryInteger("SELECT count(*) FROM dict WHERE Deu < ?", value) < 0)
                    std::abort();
            },
            [&] { value = QStringLiteral("Mittelwort%1").arg(++round).toUtf8(); });
        sqlite3_finalize(update);
        table.add(QStringLiteral("post one record, find its new recNo"), n, ours, sqlite, 0.5);
    }
    set.close();
}

void benchMemory(int n, const QString &folder, BenchTable &table)
{
    const DictionaryGenerator generator{std::uint32_t(n)};
    const QString path = folder + QStringLiteral("/memory.db");
    peakMemoryMb([&] {
        DataFile::write(path, packet::writePacket(generator.table(), packet::PacketForm::Binary));
    });
    const double ours = peakMemoryMb([&] {
        ClientDataSet set(QStringLiteral("Table1"));
        set.addIndex(QStringLiteral("indD"), QStringLiteral("Deu"), ClientDataSet::Unique);
        set.addIndex(QStringLiteral("indR"), QStringLiteral("Rus"));
        set.openData(generator.table());
        set.setIndexName(QStringLiteral("indR"));
        set.setIndexName(QStringLiteral("indD"));
    });
    const double sqlite = peakMemoryMb([&] {
        SqliteDictionary db;
        db.insert(generator);
        db.exec("CREATE UNIQUE INDEX idxDeu ON dict(Deu)");
        db.exec("CREATE INDEX idxRus ON dict(Rus)");
    });
    table.addMemory(QStringLiteral("memory: records with indD and indR (peak)"), n, ours, sqlite,
                    1.0);
    // The same reached through the file, whose bytes are held while the packet is read.
    const double fromFile = peakMemoryMb([&] {
        ClientDataSet set(QStringLiteral("Table1"));
        set.addIndex(QStringLiteral("indD"), QStringLiteral("Deu"), ClientDataSet::Unique);
        set.addIndex(QStringLiteral("indR"), QStringLiteral("Rus"));
        set.setFileName(path);
        set.open();
        set.setIndexName(QStringLiteral("indR"));
        set.setIndexName(QStringLiteral("indD"));
    });
    table.addMemory(QStringLiteral("  (the same, opened from a binary file)"), n, fromFile, sqlite,
                    1.0);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    BenchTable table;
    QTemporaryDir folder;
    // Memory first, while this process is still small: the children inherit nothing big.
    for (int n : {100000, 1000000})
        benchMemory(n, folder.path(), table);
    for (const Sizes &size : {Sizes{100000, 5}, Sizes{1000000, 3}})
        benchSize(size, folder.path(), table);
    table.print();
    return 0;
}
