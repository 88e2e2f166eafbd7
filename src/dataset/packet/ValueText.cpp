#include "dataset/packet/ValueText.h"

#include "system/Error.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QTime>

namespace sorvane::packet {

namespace {

// digits := exactly count decimal digits; -1 when they are not there.
int parseDigits(QStringView text, qsizetype from, qsizetype count)
{
    if (from + count > text.size())
        return -1;
    int n = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c - u'0');
    }
    return n;
}

// date := yyyy mm dd
QDate parseDate(QStringView text)
{
    if (text.size() != 8)
        return {};
    const int y = parseDigits(text, 0, 4), m = parseDigits(text, 4, 2), d = parseDigits(text, 6, 2);
    if (y < 1 || m < 0 || d < 0)
        return {};
    return QDate(y, m, d);
}

// time := hh ":" mm ":" ss [ "." zzz ]
QTime parseTime(QStringView text)
{
    if ((text.size() != 8 && text.size() != 12) || text[2] != u':' || text[5] != u':')
        return {};
    int ms = 0;
    if (text.size() == 12) {
        if (text[8] != u'.')
            return {};
        ms = parseDigits(text, 9, 3);
    }
    const int h = parseDigits(text, 0, 2), m = parseDigits(text, 3, 2), s = parseDigits(text, 6, 2);
    if (h < 0 || m < 0 || s < 0 || ms < 0)
        return {};
    return QTime(h, m, s, ms);
}

bool yearFits(const QDate &date)
{
    return date.isValid() && date.year() >= 1 && date.year() <= 9999;
}

} // namespace

QString ValueText::format(const QVariant &value, FieldType type)
{
    switch (type) {
    case FieldType::String:
        return value.toString();
    case FieldType::Integer:
        return QString::number(value.toLongLong());
    case FieldType::Float:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case FieldType::Boolean:
        return value.toBool() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case FieldType::Date: {
        const QDate date = value.toDate();
        return yearFits(date) ? date.toString(u"yyyyMMdd") : QString();
    }
    case FieldType::Time: {
        const QTime time = value.toTime();
        return time.isValid() ? time.toString(u"hh:mm:ss.zzz") : QString();
    }
    case FieldType::DateTime: {
        const QDateTime utc = value.toDateTime().toUTC();
        return yearFits(utc.date()) ? utc.toString(u"yyyyMMdd'T'hh:mm:ss.zzz") : QString();
    }
    }
    return {};
}

QString ValueText::fieldText(const TableData &table, RecordId id, int field)
{
    if (table.isNull(id, field))
        return {};
    const FieldDef &def = table.fields()[field];
    if (def.type == FieldType::String) {
        const QStringView text = table.text(id, field);
        // An empty value is empty text, not null.
        return text.isEmpty() ? QStringLiteral("") : text.toString();
    }
    const QString text = format(table.value(id, field), def.type);
    if (text.isNull())
        throw Error(
            QStringLiteral("The value of field \"%1\" cannot be written as text").arg(def.name));
    return text;
}

QVariant ValueText::parse(QStringView text, FieldType type)
{
    bool ok = false;
    switch (type) {
    case FieldType::String:
        return text.toString();
    case FieldType::Integer: {
        const qint64 n = text.toLongLong(&ok);
        return ok ? QVariant::fromValue(n) : QVariant();
    }
    case FieldType::Float: {
        const double d = text.toDouble(&ok);
        return ok ? QVariant(d) : QVariant();
    }
    case FieldType::Boolean:
        if (text.compare(u"TRUE", Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(u"FALSE", Qt::CaseInsensitive) == 0)
            return false;
        return {};
    case FieldType::Date: {
        const QDate date = parseDate(text);
        return date.isValid() ? QVariant(date) : QVariant();
    }
    case FieldType::Time: {
        const QTime time = parseTime(text);
        return time.isValid() ? QVariant(time) : QVariant();
    }
    case FieldType::DateTime: {
        if (text.size() < 9 || text[8] != u'T')
            return {};
        const QDate date = parseDate(text.first(8));
        const QTime time = parseTime(text.sliced(9));
        if (!date.isValid() || !time.isValid())
            return {};
        return QDateTime(date, time, Qt::UTC);
    }
    }
    return {};
}

QString ValueText::typeName(FieldType type)
{
    switch (type) {
    case FieldType::String:
        return QStringLiteral("string");
    case FieldType::Integer:
        return QStringLiteral("i8");
    case FieldType::Float:
        return QStringLiteral("r8");
    case FieldType::Boolean:
        return QStringLiteral("boolean");
    case FieldType::Date:
        return QStringLiteral("date");
    case FieldType::Time:
        return QStringLiteral("time");
    case FieldType::DateTime:
        return QStringLiteral("dateTime");
    }
    return {};
}

bool ValueText::parseTypeName(QStringView name, FieldType &type)
{
    static const struct {
        const char16_t *name;
        FieldType type;
    } names[] = {{u"string", FieldType::String},    {u"i2", FieldType::Integer},
                 {u"i4", FieldType::Integer},       {u"i8", FieldType::Integer},
                 {u"r8", FieldType::Float},         {u"boolean", FieldType::Boolean},
                 {u"date", FieldType::Date},        {u"time", FieldType::Time},
                 {u"dateTime", FieldType::DateTime}};
    for (const auto &entry : names) {
        if (name == QStringView(entry.name)) {
            type = entry.type;
            return true;
        }
    }
    return false;
}

} // namespace sorvane::packet
