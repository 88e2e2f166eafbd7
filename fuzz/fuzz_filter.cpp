// Every filter text is accepted or rejected with one of the language's messages, without
// a crash, a hang or a stack overflow; an accepted condition is run over a small table.

#include "dataset/TableData.h"
#include "dataset/filter/FilterCondition.h"
#include "system/Error.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace sorvane;

namespace {

TableData fixture()
{
    TableData table({{QStringLiteral("Deu"), FieldType::String, 50},
                     {QStringLiteral("Rus"), FieldType::String, 50},
                     {QStringLiteral("Nr"), FieldType::Integer, 0},
                     {QStringLiteral("Preis"), FieldType::Float, 0},
                     {QStringLiteral("Ja"), FieldType::Boolean, 0},
                     {QStringLiteral("Tag"), FieldType::Date, 0},
                     {QStringLiteral("Zeit"), FieldType::Time, 0},
                     {QStringLiteral("Moment"), FieldType::DateTime, 0}});
    const char16_t *const pairs[][2] = {{u"Dorf", u"деревня"}, {u"Äpfel", u"яблоки"},
                                        {u"l'eau", u"вода"},   {u"*", nullptr},
                                        {nullptr, u"дом"},     {u"", u""}};
    for (const auto &pair : pairs) {
        const RecordId id = table.appendRecord();
        if (pair[0])
            table.setText(id, 0, QString::fromUtf16(pair[0]));
        if (pair[1])
            table.setText(id, 1, QString::fromUtf16(pair[1]));
        if (id % 2 == 0) {
            const bool stored = table.setValue(id, 2, qint64(id) - 2) &&
                                table.setValue(id, 3, 1.5 * id) &&
                                table.setValue(id, 4, id % 4 == 0) &&
                                table.setValue(id, 5, QDate(2024, 2, 28).addDays(id)) &&
                                table.setValue(id, 6, QTime(23, 59).addSecs(int(id) * 30)) &&
                                table.setValue(id, 7, QDateTime(QDate(2000, 1, 1), QTime()));
            if (!stored)
                std::abort();
        }
    }
    return table;
}

bool isLanguageMessage(const QString &message)
{
    static const char *const exact[] = {
        "Unterminated string constant",
        "Unterminated field name",
        "Invalid use of keyword",
        "IN predicate list may not be empty",
        "Type mismatch in expression",
        "Operation cannot mix aggregate value with record-varying value",
        "Filter expression incorrectly terminated",
        "Aggregate expressions not allowed in filters",
        "Incorrectly formed filter expression",
        "NULL only allowed with '=' and '<>'",
    };
    for (const char *text : exact) {
        if (message == QLatin1String(text))
            return true;
    }
    static const char *const expected[] = {"Expression", "')'", "'('", "')' or ','"};
    for (const char *what : expected) {
        const QString head = QLatin1String(what) + QLatin1String(" expected but ");
        if (message.startsWith(head) && (message.endsWith(QLatin1String("' found")) ||
                                         message == head + QLatin1String("nothing found")))
            return true;
    }
    if (message.startsWith(QLatin1String("Invalid filter expression character: '")) &&
        message.endsWith(u'\''))
        return true;
    return message.startsWith(QLatin1String("Table1: Field '")) &&
           message.endsWith(QLatin1String("' not found"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const TableData table = fixture();
    if (size == 0)
        return 0;
    // The first byte chooses the options, the rest is the text.
    filter::FilterOptions options;
    options.caseInsensitive = (data[0] & 1) == 0;
    options.partialCompare = (data[0] & 2) == 0;
    options.decimalSeparator = (data[0] & 4) ? QLatin1Char(',') : QLatin1Char('.');
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    try {
        const auto condition =
            filter::compileFilter(text, table, options, QStringLiteral("Table1"));
        if (condition) {
            for (RecordId id = 0; id < table.idCount(); ++id)
                (void)condition->matches(table, id);
        }
    } catch (const Error &error) {
        if (!isLanguageMessage(error.message())) {
            std::fprintf(stderr, "unexpected message: %s\n", error.what());
            std::abort();
        }
    }
    return 0;
}
