#include "system/TimeText.h"

#include "system/TextScanner.h"

namespace sorvane {

namespace {

enum class Designator { None, Morning, Afternoon };

QString textOr(const QString &text, const QString &fallback)
{
    return text.isEmpty() ? fallback : text;
}

class TimeReader {
public:
    TimeReader(const QString &text, const RegionalSettings &settings)
        : m_scanner(text), m_settings(settings),
          m_separator(textOr(settings.timeSeparator, QStringLiteral(":")))
    {
    }

    // time := [ designator ] hour [ separator minutes [ separator seconds
    //         [ decimal milliseconds ] ] ] [ designator ] " "* end, one designator at most
    std::optional<QTime> time()
    {
        Designator marked = designator();
        const auto hour = number();
        if (!hour)
            return std::nullopt;
        int minutes = 0, seconds = 0, milliseconds = 0;
        if (accept(m_separator)) {
            const auto m = number();
            if (!m)
                return std::nullopt;
            minutes = m->value;
            if (accept(m_separator)) {
                const auto s = number();
                if (!s)
                    return std::nullopt;
                seconds = s->value;
                if (accept(m_settings.decimalSeparator)) {
                    const auto ms = number();
                    if (!ms)
                        return std::nullopt;
                    milliseconds = ms->value;
                }
            }
        }
        if (marked == Designator::None)
            marked = designator();
        m_scanner.skipSpaces();
        if (!m_scanner.atEnd())
            return std::nullopt;
        return valid(hour->value, marked, minutes, seconds, milliseconds);
    }

private:
    // designator := " "* ( amText | pmText | "AM" | "PM" ), case ignored
    Designator designator()
    {
        m_scanner.skipSpaces();
        const QString am = textOr(m_settings.amText, QStringLiteral("am"));
        const QString pm = textOr(m_settings.pmText, QStringLiteral("pm"));
        // The longer text first, so that a designator that begins with the other is not cut.
        const bool pmFirst = pm.size() > am.size();
        for (int attempt = 0; attempt < 2; ++attempt) {
            const bool tryPm = (attempt == 0) == pmFirst;
            if (m_scanner.accept(tryPm ? pm : am, Qt::CaseInsensitive))
                return tryPm ? Designator::Afternoon : Designator::Morning;
        }
        if (m_scanner.accept(QStringLiteral("AM"), Qt::CaseInsensitive))
            return Designator::Morning;
        if (m_scanner.accept(QStringLiteral("PM"), Qt::CaseInsensitive))
            return Designator::Afternoon;
        return Designator::None;
    }

    // number := " "* digit+
    std::optional<TextScanner::Number> number()
    {
        m_scanner.skipSpaces();
        return m_scanner.number();
    }

    // separator := " "* token
    bool accept(const QString &token)
    {
        const qsizetype before = m_scanner.position();
        m_scanner.skipSpaces();
        if (m_scanner.accept(token))
            return true;
        m_scanner.rewind(before);
        return false;
    }

    static std::optional<QTime> valid(int hour, Designator marked, int minutes, int seconds,
                                      int milliseconds)
    {
        if (marked != Designator::None) {
            if (hour < 1 || hour > 12)
                return std::nullopt;
            hour %= 12;
            if (marked == Designator::Afternoon)
                hour += 12;
        }
        if (hour >= 24 || minutes >= 60 || seconds >= 60 || milliseconds >= 1000)
            return std::nullopt;
        return QTime(hour, minutes, seconds, milliseconds);
    }

    TextScanner m_scanner;
    const RegionalSettings &m_settings;
    const QString m_separator;
};

} // namespace

QString TimeText::format(const QTime &time, const RegionalSettings &settings)
{
    if (!time.isValid())
        return QString();
    int hour = time.hour();
    QString designator;
    if (settings.twelveHourClock) {
        designator = hour < 12 ? textOr(settings.amText, QStringLiteral("am"))
                               : textOr(settings.pmText, QStringLiteral("pm"));
        hour = hour % 12 == 0 ? 12 : hour % 12;
    }
    const QString separator = textOr(settings.timeSeparator, QStringLiteral(":"));
    const auto twoDigits = [](int value) {
        return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
    };
    const QString text = (settings.hourLeadingZero ? twoDigits(hour) : QString::number(hour)) +
                         separator + twoDigits(time.minute()) + separator +
                         twoDigits(time.second());
    if (designator.isEmpty())
        return text;
    return settings.designatorFirst ? designator + u' ' + text : text + u' ' + designator;
}

std::optional<QTime> TimeText::read(const QString &text, const RegionalSettings &settings)
{
    return TimeReader(text, settings).time();
}

} // namespace sorvane
