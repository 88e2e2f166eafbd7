#pragma once

#include <QString>
#include <QStringList>

class QLocale;

namespace sorvane {

/// The user's regional formats that date and time texts follow. The short date pattern uses
/// the letters d, m and y in either case ("dd.mm.yyyy"); each "/" in it stands for the date
/// separator. Name lists run January to December and Monday to Sunday.
struct RegionalSettings {
    QString shortDatePattern = QStringLiteral("m/d/yy");
    QString dateSeparator = QStringLiteral("/");
    QString timeSeparator = QStringLiteral(":");
    bool hourLeadingZero = false;
    bool twelveHourClock = false;
    QString amText = QStringLiteral("am");
    QString pmText = QStringLiteral("pm");
    bool designatorFirst = false;
    QString decimalSeparator = QStringLiteral(".");
    QStringList shortMonthNames;
    QStringList longMonthNames;
    QStringList shortDayNames;
    QStringList longDayNames;

    /// The formats of a locale. The "C" locale has no regional formats of its own, so it
    /// keeps the default date pattern and separator.
    static RegionalSettings fromLocale(const QLocale &locale);
    static RegionalSettings fromSystem();

    /// The settings in effect: the system's until setCurrent replaces them (when the system
    /// announces a change, and in tests).
    static const RegionalSettings &current();
    static void setCurrent(const RegionalSettings &settings);
};

} // namespace sorvane
