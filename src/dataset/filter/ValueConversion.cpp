#include "dataset/filter/ValueConversion.h"

namespace sorvane::filter {

namespace {

const char *const kDateTimeForms[] = {"yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss",
                                      "yyyy-MM-dd HH:mm",    "yyyy-MM-ddTHH:mm",
                                      "dd.MM.yyyy HH:mm:ss", "dd.MM.yyyy HH:mm"};
const char *const kDateForms[] = {"yyyy-MM-dd", "dd.MM.yyyy"};
const char *const kTimeForms[] = {"HH:mm:ss", "HH:mm"};

template <typename T, std::size_t N> T parse(const QString &text, const char *const (&forms)[N])
{
    for (const char *form : forms) {
        const T value = T::fromString(text, QLatin1String(form));
        if (value.isValid())
            return value;
    }
    return T();
}

QDateTime dateTimeFromText(const QString &text)
{
    const QDateTime dateTime = parse<QDateTime>(text, kDateTimeForms);
    if (dateTime.isValid())
        return dateTime;
    const QDate date = parse<QDate>(text, kDateForms);
    return date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime();
}

} // namespace

std::optional<double> ValueConversion::toNumber(QStringView text, QChar decimalSeparator)
{
    QString plain = text.toString();
    if (decimalSeparator != u'.') {
        if (plain.contains(u'.'))
            return std::nullopt;
        plain.replace(decimalSeparator, u'.');
    }
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

std::optional<QVariant> ValueConversion::fromText(QStringView text, ValueType type,
                                                  QChar decimalSeparator)
{
    const QString string = text.toString();
    switch (type) {
    case ValueType::Text:
        return QVariant(string);
    case ValueType::Number:
        if (const auto number = toNumber(text, decimalSeparator))
            return QVariant(*number);
        return std::nullopt;
    case ValueType::Boolean:
        if (string.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return QVariant(true);
        if (string.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return QVariant(false);
        return std::nullopt;
    case ValueType::Date: {
        const QDate date = parse<QDate>(string, kDateForms);
        return date.isValid() ? std::optional<QVariant>(date) : std::nullopt;
    }
    case ValueType::Time: {
        const QTime time = parse<QTime>(string, kTimeForms);
        return time.isValid() ? std::optional<QVariant>(time) : std::nullopt;
    }
    case ValueType::DateTime: {
        const QDateTime dateTime = dateTimeFromText(string);
        return dateTime.isValid() ? std::optional<QVariant>(dateTime) : std::nullopt;
    }
    case ValueType::Null:
        break;
    }
    return std::nullopt;
}

QDateTime ValueConversion::toDateTime(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return QDateTime(value.toDate(), QTime(0, 0));
    case QMetaType::QString:
        return dateTimeFromText(value.toString());
    default:
        return QDateTime();
    }
}

QDate ValueConversion::toDate(const QVariant &value)
{
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    return toDateTime(value).date();
}

QTime ValueConversion::toTime(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QTime:
        return value.toTime();
    case QMetaType::QString: {
        const QTime time = parse<QTime>(value.toString(), kTimeForms);
        return time.isValid() ? time : dateTimeFromText(value.toString()).time();
    }
    default:
        return toDateTime(value).time();
    }
}

} // namespace sorvane::filter
