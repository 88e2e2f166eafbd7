#include "FilterBenchData.h"

#include <QString>
#include <cstdlib>
#include <random>

namespace sorvane {

namespace {

const char16_t *const kGermanSyllables[] = {
    u"an", u"ab", u"ba", u"de", u"hau", u"sch", u"ä",  u"ö",  u"ü",  u"str", u"ße", u"ka",
    u"lo", u"mi", u"ne", u"pf", u"rie", u"tu",  u"we", u"zu", u"ei", u"au",  u"el", u"en",
};
const char16_t *const kRussianSyllables[] = {
    u"до", u"м",  u"де", u"ре", u"вня", u"ка", u"ля", u"по", u"сто", u"ё",
    u"щи", u"жи", u"ть", u"ны", u"ра",  u"ок", u"ва", u"ил", u"ус",  u"яр",
};
const char16_t *const kHouse[] = {u"дом", u"Дом", u"ДОМ"};

template <std::size_t N>
QString word(std::mt19937 &random, const char16_t *const (&syllables)[N], bool capital)
{
    QString text;
    const unsigned count = 1 + random() % 4;
    for (unsigned i = 0; i < count; ++i)
        text += QString::fromUtf16(syllables[random() % N]);
    if (capital)
        text[0] = text[0].toUpper();
    return text;
}

void check(int code, sqlite3 *db)
{
    if (code != SQLITE_OK && code != SQLITE_DONE) {
        std::fprintf(stderr, "sqlite: %s\n", sqlite3_errmsg(db));
        std::abort();
    }
}

} // namespace

TableData FilterBenchData::dictionary(RecordId records)
{
    TableData table({{QStringLiteral("Deu"), FieldType::String, 50},
                     {QStringLiteral("Rus"), FieldType::String, 50}});
    table.reserve(records, std::size_t(records) * 8);
    std::mt19937 random(20240101);
    for (RecordId i = 0; i < records; ++i) {
        const RecordId id = table.appendRecord();
        table.setText(id, 0, word(random, kGermanSyllables, random() % 2 == 0));
        const unsigned kind = random() % 100;
        table.setText(id, 1,
                      kind < 3 ? QString::fromUtf16(kHouse[kind])
                               : word(random, kRussianSyllables, false));
    }
    return table;
}

sqlite3 *FilterBenchData::sqliteCopy(const TableData &table)
{
    sqlite3 *db = nullptr;
    check(sqlite3_open(":memory:", &db), db);
    check(
        sqlite3_exec(db, "CREATE TABLE dict(Deu TEXT, Rus TEXT); BEGIN", nullptr, nullptr, nullptr),
        db);
    sqlite3_stmt *insert = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO dict VALUES(?, ?)", -1, &insert, nullptr), db);
    for (RecordId id = 0; id < table.idCount(); ++id) {
        for (int field = 0; field < 2; ++field) {
            const QStringView text = table.text(id, field);
            sqlite3_bind_text16(insert, field + 1, text.utf16(), int(text.size() * 2),
                                SQLITE_TRANSIENT);
        }
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    return db;
}

} // namespace sorvane
