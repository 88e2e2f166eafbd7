#pragma once

#include "system/RegionalSettings.h"

#include <QDate>
#include <QString>
#include <optional>

namespace sorvane {

/// Dates as text under the regional short date pattern: written as the pattern spells them,
/// read back as two or three numbers in the pattern's order.
class DateText {
public:
    static QString format(const QDate &date, const RegionalSettings &settings);
    /// Two-digit years fall in the hundred years that begin 50 years before currentYear; a
    /// missing year is currentYear.
    static std::optional<QDate> read(const QString &text, const RegionalSettings &settings,
                                     int currentYear);
    static std::optional<QDate> read(const QString &text, const RegionalSettings &settings);
};

} // namespace sorvane
