#include "common/SqliteDictionary.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace sorvane::bench {

namespace {

void check(int rc, sqlite3 *db)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::exit(1);
    }
}

} // namespace

SqliteDictionary::SqliteDictionary()
{
    check(sqlite3_open(":memory:", &m_db), m_db);
    exec("CREATE TABLE dict(Deu TEXT, Rus TEXT)");
}

SqliteDictionary::~SqliteDictionary()
{
    sqlite3_close(m_db);
}

void SqliteDictionary::exec(const char *sql)
{
    check(sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr), m_db);
}

void SqliteDictionary::insert(const std::vector<QByteArray> &deu,
                              const std::vector<QByteArray> &rus)
{
    exec("BEGIN");
    sqlite3_stmt *stmt = nullptr;
    check(sqlite3_prepare_v2(m_db, "INSERT INTO dict VALUES(?, ?)", -1, &stmt, nullptr), m_db);
    for (std::size_t i = 0; i < deu.size(); ++i) {
        sqlite3_bind_text(stmt, 1, deu[i].constData(), int(deu[i].size()), SQLITE_STATIC);
        sqlite3_bind_text(stmt, 2, rus[i].constData(), int(rus[i].size()), SQLITE_STATIC);
        check(sqlite3_step(stmt), m_db);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    exec("COMMIT");
}

void SqliteDictionary::insert(const DictionaryGenerator &generator)
{
    exec("BEGIN");
    sqlite3_stmt *stmt = nullptr;
    check(sqlite3_prepare_v2(m_db, "INSERT INTO dict VALUES(?, ?)", -1, &stmt, nullptr), m_db);
    for (std::uint32_t i = 0; i < generator.count(); ++i) {
        const QByteArray deu = generator.deu(i).toUtf8();
        const QByteArray rus = generator.rus(i).toUtf8();
        sqlite3_bind_text(stmt, 1, deu.constData(), int(deu.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(stmt, 2, rus.constData(), int(rus.size()), SQLITE_TRANSIENT);
        check(sqlite3_step(stmt), m_db);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    exec("COMMIT");
}

int SqliteDictionary::queryToFile(const char *sql, const QString &path)
{
    FILE *out = std::fopen(path.toLocal8Bit().constData(), "wb");
    sqlite3_stmt *stmt = nullptr;
    check(sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr), m_db);
    int rows = 0;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
            std::fwrite(sqlite3_column_text(stmt, c), 1, std::size_t(sqlite3_column_bytes(stmt, c)),
                        out);
            std::fputc(c + 1 < sqlite3_column_count(stmt) ? '\t' : '\n', out);
        }
        ++rows;
    }
    sqlite3_finalize(stmt);
    std::fflush(out);
    ::fsync(fileno(out));
    std::fclose(out);
    return rows;
}

qint64 SqliteDictionary::queryInteger(const char *sql, const QByteArray &parameter)
{
    sqlite3_stmt *stmt = nullptr;
    check(sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr), m_db);
    if (!parameter.isNull())
        sqlite3_bind_text(stmt, 1, parameter.constData(), int(parameter.size()), SQLITE_STATIC);
    qint64 value = -1;
    if (sqlite3_step(stmt) == SQLITE_ROW)
        value = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return value;
}

} // namespace sorvane::bench
