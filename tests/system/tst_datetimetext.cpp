#include "system/DateText.h"
#include "system/RegionalSettings.h"
#include "system/TimeText.h"

#include <QLocale>
#include <QtTest>

using sorvane::DateText;
using sorvane::RegionalSettings;
using sorvane::TimeText;

Q_DECLARE_METATYPE(RegionalSettings)

namespace {

constexpr int thisYear = 2025;

RegionalSettings german()
{
    RegionalSettings s;
    s.shortDatePattern = QStringLiteral("dd.mm.yyyy");
    s.dateSeparator = QStringLiteral(".");
    s.timeSeparator = QStringLiteral(":");
    s.hourLeadingZero = true;
    s.decimalSeparator = QStringLiteral(",");
    s.shortDayNames = QStringList{"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
    s.longMonthNames =
        QStringList{"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                    "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    return s;
}

RegionalSettings russian()
{
    RegionalSettings s = german();
    s.longMonthNames = QStringList{"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                                   "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
    return s;
}

RegionalSettings russianSpelledMonth()
{
    RegionalSettings s = russian();
    s.shortDatePattern = QStringLiteral("d mmmm yyyy");
    return s;
}

RegionalSettings usEnglish()
{
    RegionalSettings s;
    s.shortDatePattern = QStringLiteral("m/d/yyyy");
    s.dateSeparator = QStringLiteral("/");
    s.twelveHourClock = true;
    s.amText = QStringLiteral("AM");
    s.pmText = QStringLiteral("PM");
    return s;
}

RegionalSettings yearFirstDesignatorFirst()
{
    RegionalSettings s;
    s.shortDatePattern = QStringLiteral("yyyy-mm-dd");
    s.dateSeparator = QStringLiteral("-");
    s.twelveHourClock = true;
    s.designatorFirst = true;
    s.hourLeadingZero = true;
    s.amText = QStringLiteral("vorm.");
    s.pmText = QStringLiteral("nachm.");
    return s;
}

} // namespace

class TestDateTimeText : public QObject {
    Q_OBJECT

private slots:
    void formatDate_data()
    {
        QTest::addColumn<RegionalSettings>("settings");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QString>("text");
        const QDate march5(2024, 3, 5);
        QTest::newRow("German") << german() << march5 << "05.03.2024";
        QTest::newRow("US") << usEnglish() << march5 << "3/5/2024";
        QTest::newRow("year first") << yearFirstDesignatorFirst() << march5 << "2024-03-05";
        QTest::newRow("spelled month") << russianSpelledMonth() << march5 << "5 марта 2024";
        RegionalSettings twoDigitYear = german();
        twoDigitYear.shortDatePattern = QStringLiteral("DDD, d.M.yy");
        QTest::newRow("weekday, upper case letters") << twoDigitYear << march5 << "Di, 5.3.24";
        RegionalSettings slashes = german();
        slashes.shortDatePattern = QStringLiteral("dd/mm/yyyy");
        QTest::newRow("slash gives the separator") << slashes << march5 << "05.03.2024";
        RegionalSettings quoted = german();
        quoted.shortDatePattern = QStringLiteral("'Tag' d \"mm\" yyyy");
        QTest::newRow("quoted text") << quoted << march5 << "Tag 5 mm 2024";
        QTest::newRow("small year") << german() << QDate(5, 1, 2) << "02.01.0005";
        QTest::newRow("invalid date") << german() << QDate() << "";
    }
    void formatDate()
    {
        QFETCH(RegionalSettings, settings);
        QFETCH(QDate, date);
        QFETCH(QString, text);
        QCOMPARE(DateText::format(date, settings), text);
    }

    void readDate_data()
    {
        QTest::addColumn<RegionalSettings>("settings");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("currentYear");
        QTest::addColumn<QDate>("date");
        const QDate march5(2024, 3, 5);
        const QDate none;
        QTest::newRow("German") << german() << "05.03.2024" << thisYear << march5;
        QTest::newRow("no leading zeros") << german() << "5.3.2024" << thisYear << march5;
        QTest::newRow("spaces before parts") << german() << " 5 . 3 .  2024" << thisYear << march5;
        QTest::newRow("trailing separator and spaces")
            << german() << "5.3.2024. " << thisYear << march5;
        QTest::newRow("two numbers") << german() << "5.3" << thisYear << QDate(thisYear, 3, 5);
        QTest::newRow("two numbers, separator")
            << german() << "5.3." << thisYear << QDate(thisYear, 3, 5);
        QTest::newRow("two-digit year") << german() << "5.3.24" << thisYear << march5;
        QTest::newRow("window start") << german() << "5.3.75" << thisYear << QDate(1975, 3, 5);
        QTest::newRow("just before window")
            << german() << "5.3.74" << thisYear << QDate(2074, 3, 5);
        QTest::newRow("year 00") << german() << "5.3.00" << thisYear << QDate(2000, 3, 5);
        QTest::newRow("one-digit year") << german() << "1.1.1" << thisYear << QDate(2001, 1, 1);
        QTest::newRow("later current year") << german() << "5.3.29" << 2080 << QDate(2129, 3, 5);
        QTest::newRow("later current year, in window")
            << german() << "5.3.30" << 2080 << QDate(2030, 3, 5);
        QTest::newRow("three-digit year is literal")
            << german() << "1.1.075" << thisYear << QDate(75, 1, 1);
        QTest::newRow("leap day") << german() << "29.2.2024" << thisYear << QDate(2024, 2, 29);
        QTest::newRow("US") << usEnglish() << "3/5/2024" << thisYear << march5;
        QTest::newRow("US two numbers")
            << usEnglish() << "3/5" << thisYear << QDate(thisYear, 3, 5);
        QTest::newRow("year first")
            << yearFirstDesignatorFirst() << "2024-3-5" << thisYear << march5;
        QTest::newRow("year first, two numbers")
            << yearFirstDesignatorFirst() << "3-5" << thisYear << QDate(thisYear, 3, 5);

        QTest::newRow("not a leap year") << german() << "29.2.2023" << thisYear << none;
        QTest::newRow("day 32") << german() << "32.1.2024" << thisYear << none;
        QTest::newRow("month 13") << german() << "1.13.2024" << thisYear << none;
        QTest::newRow("year 0") << german() << "1.1.0000" << thisYear << none;
        QTest::newRow("five-digit year") << german() << "1.1.10000" << thisYear << none;
        QTest::newRow("letters follow") << german() << "5.3.2024x" << thisYear << none;
        QTest::newRow("two separators follow") << german() << "5.3.2024.." << thisYear << none;
        QTest::newRow("four numbers") << german() << "5.3.2024.1" << thisYear << none;
        QTest::newRow("one number") << german() << "5" << thisYear << none;
        QTest::newRow("empty") << german() << "" << thisYear << none;
        QTest::newRow("other separator") << german() << "5/3/2024" << thisYear << none;
        QTest::newRow("German text under US") << usEnglish() << "25.12.2024" << thisYear << none;
        QTest::newRow("day-first text under US order")
            << usEnglish() << "25/12/2024" << thisYear << none;
        QTest::newRow("negative") << german() << "-5.3.2024" << thisYear << none;
    }
    void readDate()
    {
        QFETCH(RegionalSettings, settings);
        QFETCH(QString, text);
        QFETCH(int, currentYear);
        QFETCH(QDate, date);
        const auto read = DateText::read(text, settings, currentYear);
        QCOMPARE(read.value_or(QDate()), date);
        QCOMPARE(read.has_value(), date.isValid());
    }

    void dateRoundTrip_data()
    {
        QTest::addColumn<RegionalSettings>("settings");
        QTest::addColumn<bool>("readsBack");
        QTest::newRow("German") << german() << true;
        QTest::newRow("US") << usEnglish() << true;
        QTest::newRow("year first") << yearFirstDesignatorFirst() << true;
        QTest::newRow("spelled month never reads back") << russianSpelledMonth() << false;
    }
    void dateRoundTrip()
    {
        QFETCH(RegionalSettings, settings);
        QFETCH(bool, readsBack);
        for (const QDate date : {QDate(2024, 3, 5), QDate(1999, 12, 31), QDate(1, 1, 1)}) {
            const auto read = DateText::read(DateText::format(date, settings), settings, thisYear);
            QCOMPARE(read.has_value(), readsBack);
            if (readsBack)
                QCOMPARE(*read, date);
        }
    }

    void formatTime_data()
    {
        QTest::addColumn<RegionalSettings>("settings");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("German") << german() << QTime(9, 5, 7, 250) << "09:05:07";
        QTest::newRow("German midnight") << german() << QTime(0, 0) << "00:00:00";
        QTest::newRow("no leading zero") << usEnglish() << QTime(9, 5, 7) << "9:05:07 AM";
        QTest::newRow("12 AM") << usEnglish() << QTime(0, 5, 7) << "12:05:07 AM";
        QTest::newRow("12 PM") << usEnglish() << QTime(12, 0) << "12:00:00 PM";
        QTest::newRow("1 PM") << usEnglish() << QTime(13, 5, 7) << "1:05:07 PM";
        QTest::newRow("11 PM") << usEnglish() << QTime(23, 59, 59) << "11:59:59 PM";
        QTest::newRow("designator first")
            << yearFirstDesignatorFirst() << QTime(21, 5, 7) << "nachm. 09:05:07";
        RegionalSettings dotted = german();
        dotted.timeSeparator = QStringLiteral(".");
        QTest::newRow("other separator") << dotted << QTime(9, 5, 7) << "09.05.07";
        RegionalSettings noTexts = usEnglish();
        noTexts.amText.clear();
        noTexts.pmText.clear();
        QTest::newRow("default designators") << noTexts << QTime(15, 0) << "3:00:00 pm";
        QTest::newRow("invalid time") << german() << QTime() << "";
    }
    void formatTime()
    {
        QFETCH(RegionalSettings, settings);
        QFETCH(QTime, time);
        QFETCH(QString, text);
        QCOMPARE(TimeText::format(time, settings), text);
    }

    void readTime_data()
    {
        QTest::addColumn<RegionalSettings>("settings");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QTime>("time");
        const QTime none;
        QTest::newRow("German") << german() << "09:05:07" << QTime(9, 5, 7);
        QTest::newRow("hour only") << german() << "9" << QTime(9, 0);
        QTest::newRow("hour and minutes") << german() << "9:5" << QTime(9, 5);
        QTest::newRow("milliseconds") << german() << "9:05:07,250" << QTime(9, 5, 7, 250);
        QTest::newRow("spaces before parts") << german() << " 9 : 05 : 07" << QTime(9, 5, 7);
        QTest::newRow("English designator under German") << german() << "3:00 pm" << QTime(15, 0);
        QTest::newRow("last second") << german() << "23:59:59,999" << QTime(23, 59, 59, 999);
        QTest::newRow("12 AM") << usEnglish() << "12:00:00 AM" << QTime(0, 0);
        QTest::newRow("12 PM") << usEnglish() << "12:30 PM" << QTime(12, 30);
        QTest::newRow("lower case") << usEnglish() << "1:05:07 pm" << QTime(13, 5, 7);
        QTest::newRow("designator before") << usEnglish() << "PM 1:00" << QTime(13, 0);
        QTest::newRow("designator without space") << usEnglish() << "1:00PM" << QTime(13, 0);
        QTest::newRow("24-hour text under 12-hour settings")
            << usEnglish() << "13:00" << QTime(13, 0);
        QTest::newRow("regional designator")
            << yearFirstDesignatorFirst() << "nachm. 09:05:07" << QTime(21, 5, 7);
        QTest::newRow("regional designator after")
            << yearFirstDesignatorFirst() << "9 VORM." << QTime(9, 0);

        QTest::newRow("hour 24") << german() << "24:00" << none;
        QTest::newRow("minute 60") << german() << "23:60" << none;
        QTest::newRow("second 60") << german() << "23:59:60" << none;
        QTest::newRow("separator without minutes") << german() << "9:" << none;
        QTest::newRow("separator without seconds") << german() << "9:05:" << none;
        QTest::newRow("decimal without milliseconds") << german() << "9:05:07," << none;
        QTest::newRow("milliseconds after minutes") << german() << "9:05,250" << none;
        QTest::newRow("something follows") << german() << "9:05:07x" << none;
        QTest::newRow("fourth number") << german() << "9:05:07:01" << none;
        QTest::newRow("empty") << german() << "" << none;
        QTest::newRow("designator only") << usEnglish() << "PM" << none;
        QTest::newRow("13 PM") << usEnglish() << "13:00 PM" << none;
        QTest::newRow("0 AM") << usEnglish() << "0:30 AM" << none;
        QTest::newRow("two designators") << usEnglish() << "AM 1:00 PM" << none;
        QTest::newRow("huge hour") << german() << "99999" << none;
    }
    void readTime()
    {
        QFETCH(RegionalSettings, settings);
        QFETCH(QString, text);
        QFETCH(QTime, time);
        const auto read = TimeText::read(text, settings);
        QCOMPARE(read.value_or(QTime()), time);
        QCOMPARE(read.has_value(), time.isValid());
    }

    void timeRoundTrip_data()
    {
        QTest::addColumn<RegionalSettings>("settings");
        QTest::newRow("German") << german();
        QTest::newRow("US") << usEnglish();
        QTest::newRow("designator first") << yearFirstDesignatorFirst();
    }
    void timeRoundTrip()
    {
        QFETCH(RegionalSettings, settings);
        for (int hour = 0; hour < 24; ++hour) {
            const QTime time(hour, 7, 59);
            QCOMPARE(TimeText::read(TimeText::format(time, settings), settings), time);
        }
    }

    void settingsFromLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("datePattern");
        QTest::addColumn<QString>("dateSeparator");
        QTest::addColumn<bool>("twelveHour");
        QTest::addColumn<bool>("leadingZero");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("march");
        QTest::newRow("German") << "de_DE"
                                << "dd.mm.yy"
                                << "." << false << true << ","
                                << "März";
        QTest::newRow("Russian") << "ru_RU"
                                 << "dd.mm.yyyy"
                                 << "." << false << true << ","
                                 << "марта";
        QTest::newRow("US English") << "en_US"
                                    << "m/d/yy"
                                    << "/" << true << false << "."
                                    << "March";
        QTest::newRow("C has no date format of its own") << "C"
                                                         << "m/d/yy"
                                                         << "/" << false << true << "."
                                                         << "March";
    }
    void settingsFromLocale()
    {
        QFETCH(QString, locale);
        const RegionalSettings s = RegionalSettings::fromLocale(QLocale(locale));
        QTEST(s.shortDatePattern, "datePattern");
        QTEST(s.dateSeparator, "dateSeparator");
        QTEST(s.twelveHourClock, "twelveHour");
        QTEST(s.hourLeadingZero, "leadingZero");
        QTEST(s.decimalSeparator, "decimal");
        QTEST(s.longMonthNames.value(2), "march");
        QCOMPARE(s.timeSeparator, QStringLiteral(":"));
        QCOMPARE(s.designatorFirst, false);
        const QDate date(2024, 3, 5);
        QCOMPARE(DateText::read(DateText::format(date, s), s, thisYear), date);
        const QTime time(21, 5, 7);
        QCOMPARE(TimeText::read(TimeText::format(time, s), s), time);
    }

    void currentSettingsCanBeReplaced()
    {
        const RegionalSettings system = RegionalSettings::current();
        RegionalSettings::setCurrent(usEnglish());
        QCOMPARE(RegionalSettings::current().shortDatePattern, QStringLiteral("m/d/yyyy"));
        RegionalSettings::setCurrent(system);
        QCOMPARE(RegionalSettings::current().shortDatePattern, system.shortDatePattern);
    }
};

QTEST_APPLESS_MAIN(TestDateTimeText)
#include "tst_datetimetext.moc"
