#include "system/RegionalSettings.h"

#include <QLocale>
#include <optional>

namespace sorvane {

namespace {

// Qt's date letters differ from ours only in the month, which Qt spells "M".
QString datePatternFromQt(const QString &qtPattern)
{
    QString pattern;
    bool quoted = false;
    for (const QChar c : qtPattern) {
        if (c == u'\'')
            quoted = !quoted;
        pattern += (!quoted && c == u'M') ? QChar(u'm') : c;
    }
    return pattern;
}

// The first character outside quotes after position from that is neither a letter nor a
// space: the separator between the pattern's fields.
std::optional<QChar> separatorIn(const QString &pattern, qsizetype from = 0)
{
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == u'\'')
            quoted = !quoted;
        else if (!quoted && i >= from && !c.isLetter() && c != u' ')
            return c;
    }
    return std::nullopt;
}

QStringList monthNames(const QLocale &locale, QLocale::FormatType format)
{
    QStringList names;
    for (int month = 1; month <= 12; ++month)
        names << locale.monthName(month, format);
    return names;
}

QStringList dayNames(const QLocale &locale, QLocale::FormatType format)
{
    QStringList names;
    for (int day = 1; day <= 7; ++day)
        names << locale.dayName(day, format);
    return names;
}

RegionalSettings &currentSettings()
{
    static RegionalSettings settings = RegionalSettings::fromSystem();
    return settings;
}

} // namespace

RegionalSettings RegionalSettings::fromLocale(const QLocale &locale)
{
    RegionalSettings settings;
    if (locale.language() != QLocale::C) {
        const QString datePattern = locale.dateFormat(QLocale::ShortFormat);
        settings.shortDatePattern = datePatternFromQt(datePattern);
        settings.dateSeparator = separatorIn(datePattern).value_or(u'/');
    }

    // The long time pattern decides the clock, the hour's leading zero, the separator after
    // the hour and where the designator stands.
    const QString timePattern = locale.timeFormat(QLocale::LongFormat);
    const qsizetype hour = timePattern.indexOf(QLatin1Char('h'), 0, Qt::CaseInsensitive);
    const qsizetype designator = timePattern.indexOf(QLatin1Char('a'), 0, Qt::CaseInsensitive);
    settings.twelveHourClock = designator >= 0;
    settings.designatorFirst = designator >= 0 && hour >= 0 && designator < hour;
    settings.hourLeadingZero = timePattern.contains(QLatin1String("hh"), Qt::CaseInsensitive);
    if (hour >= 0)
        settings.timeSeparator = separatorIn(timePattern, hour).value_or(u':');
    settings.amText = locale.amText();
    settings.pmText = locale.pmText();
    settings.decimalSeparator = locale.decimalPoint();

    settings.shortMonthNames = monthNames(locale, QLocale::ShortFormat);
    settings.longMonthNames = monthNames(locale, QLocale::LongFormat);
    settings.shortDayNames = dayNames(locale, QLocale::ShortFormat);
    settings.longDayNames = dayNames(locale, QLocale::LongFormat);
    return settings;
}

RegionalSettings RegionalSettings::fromSystem()
{
    return fromLocale(QLocale::system());
}

const RegionalSettings &RegionalSettings::current()
{
    return currentSettings();
}

void RegionalSettings::setCurrent(const RegionalSettings &settings)
{
    currentSettings() = settings;
}

} // namespace sorvane
