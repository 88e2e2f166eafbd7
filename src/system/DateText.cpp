#include "system/DateText.h"

#include "system/TextScanner.h"

namespace sorvane {

namespace {

enum class DateOrder { MonthDayYear, DayMonthYear, YearMonthDay };

QString zeroPadded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

// A run of one pattern letter: d, dd, ddd, dddd; m ... mmmm; y, yy (two digits), yyy...
QString formatField(QChar letter, qsizetype count, const QDate &date,
                    const RegionalSettings &settings)
{
    switch (letter.toLower().unicode()) {
    case u'd':
        if (count <= 2)
            return zeroPadded(date.day(), int(count));
        return (count == 3 ? settings.shortDayNames : settings.longDayNames)
            .value(date.dayOfWeek() - 1);
    case u'm':
        if (count <= 2)
            return zeroPadded(date.month(), int(count));
        return (count == 3 ? settings.shortMonthNames : settings.longMonthNames)
            .value(date.month() - 1);
    default: // y
        return count <= 2 ? zeroPadded(date.year() % 100, 2) : zeroPadded(date.year(), 4);
    }
}

bool isFieldLetter(QChar c)
{
    const QChar lower = c.toLower();
    return lower == u'd' || lower == u'm' || lower == u'y';
}

// The first of d, m, y or e in the pattern decides the order; none means month first.
DateOrder orderOf(const QString &pattern)
{
    for (const QChar c : pattern) {
        switch (c.toLower().unicode()) {
        case u'd':
            return DateOrder::DayMonthYear;
        case u'y':
        case u'e':
            return DateOrder::YearMonthDay;
        case u'm':
            return DateOrder::MonthDayYear;
        default:
            break;
        }
    }
    return DateOrder::MonthDayYear;
}

int windowedYear(const TextScanner::Number &year, int currentYear)
{
    if (year.digits > 2)
        return year.value;
    const int windowStart = currentYear - 50;
    int result = year.value + windowStart / 100 * 100;
    if (result < windowStart)
        result += 100;
    return result;
}

class DateReader {
public:
    DateReader(const QString &text, const RegionalSettings &settings, int currentYear)
        : m_scanner(text), m_settings(settings), m_currentYear(currentYear)
    {
    }

    // date := number separator number [ separator number ] [ " "* separator ] " "* end
    std::optional<QDate> date()
    {
        const auto first = number();
        if (!first || !separator())
            return std::nullopt;
        const auto second = number();
        if (!second)
            return std::nullopt;
        const qsizetype afterSecond = m_scanner.position();
        std::optional<TextScanner::Number> third;
        if (separator())
            third = number();
        if (!third)
            m_scanner.rewind(afterSecond);
        if (!trailer())
            return std::nullopt;
        return third ? fromThree(*first, *second, *third) : fromTwo(*first, *second);
    }

private:
    // number := " "* digit+
    std::optional<TextScanner::Number> number()
    {
        m_scanner.skipSpaces();
        return m_scanner.number();
    }

    // separator := " "* dateSeparator
    bool separator()
    {
        m_scanner.skipSpaces();
        return m_scanner.accept(m_settings.dateSeparator);
    }

    // trailer := [ separator ] " "* end
    bool trailer()
    {
        separator();
        m_scanner.skipSpaces();
        return m_scanner.atEnd();
    }

    std::optional<QDate> fromThree(const TextScanner::Number &a, const TextScanner::Number &b,
                                   const TextScanner::Number &c) const
    {
        switch (orderOf(m_settings.shortDatePattern)) {
        case DateOrder::DayMonthYear:
            return valid(windowedYear(c, m_currentYear), b.value, a.value);
        case DateOrder::YearMonthDay:
            return valid(windowedYear(a, m_currentYear), b.value, c.value);
        default:
            return valid(windowedYear(c, m_currentYear), a.value, b.value);
        }
    }

    std::optional<QDate> fromTwo(const TextScanner::Number &a, const TextScanner::Number &b) const
    {
        if (orderOf(m_settings.shortDatePattern) == DateOrder::DayMonthYear)
            return valid(m_currentYear, b.value, a.value);
        return valid(m_currentYear, a.value, b.value);
    }

    static std::optional<QDate> valid(int year, int month, int day)
    {
        if (year < 1 || year > 9999 || !QDate::isValid(year, month, day))
            return std::nullopt;
        return QDate(year, month, day);
    }

    TextScanner m_scanner;
    const RegionalSettings &m_settings;
    int m_currentYear;
};

} // namespace

QString DateText::format(const QDate &date, const RegionalSettings &settings)
{
    if (!date.isValid())
        return QString();
    const QString &pattern = settings.shortDatePattern;
    QString text;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        if (c == u'\'' || c == u'"') {
            // Quoted text is copied without its quotes.
            const qsizetype close = pattern.indexOf(c, i + 1);
            const qsizetype end = close < 0 ? pattern.size() : close;
            text += QStringView(pattern).mid(i + 1, end - i - 1);
            i = end + 1;
        } else if (isFieldLetter(c)) {
            qsizetype run = i;
            while (run < pattern.size() && pattern.at(run).toLower() == c.toLower())
                ++run;
            text += formatField(c, run - i, date, settings);
            i = run;
        } else {
            text += c == u'/' ? settings.dateSeparator : QString(c);
            ++i;
        }
    }
    return text;
}

std::optional<QDate> DateText::read(const QString &text, const RegionalSettings &settings,
                                    int currentYear)
{
    return DateReader(text, settings, currentYear).date();
}

std::optional<QDate> DateText::read(const QString &text, const RegionalSettings &settings)
{
    return read(text, settings, QDate::currentDate().year());
}

} // namespace sorvane
