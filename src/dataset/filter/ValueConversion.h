#pragma once

#include "dataset/filter/ExprNode.h"

#include <QChar>
#include <QDateTime>
#include <QStringView>
#include <QVariant>
#include <optional>

namespace sorvane::filter {

/// Conversions of literal texts to the types of fields and of values between the date
/// and time types. Dates and times are read in ISO form ("2024-03-01", "2024-03-01
/// 13:45:00", "13:45:00", also with "T" and without seconds) or in the Russian regional
/// form ("01.03.2024", "01.03.2024 13:45:00").
class ValueConversion {
public:
    /// A number in the text's own form: the decimal separator of the options.
    static std::optional<double> toNumber(QStringView text, QChar decimalSeparator);
    /// A literal's text as a value of the given type; nullopt when it is none.
    static std::optional<QVariant> fromText(QStringView text, ValueType type,
                                            QChar decimalSeparator);
    static QDateTime toDateTime(const QVariant &value);
    static QDate toDate(const QVariant &value);
    static QTime toTime(const QVariant &value);
};

} // namespace sorvane::filter
