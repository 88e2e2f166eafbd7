#include "system/Error.h"
#include "system/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

using sorvane::IniFile;
using sorvane::RegionalSettings;

namespace {

RegionalSettings german()
{
    RegionalSettings s;
    s.shortDatePattern = QStringLiteral("dd.mm.yyyy");
    s.dateSeparator = QStringLiteral(".");
    s.hourLeadingZero = true;
    return s;
}

RegionalSettings usEnglish()
{
    RegionalSettings s;
    s.shortDatePattern = QStringLiteral("m/d/yyyy");
    s.twelveHourClock = true;
    s.amText = QStringLiteral("AM");
    s.pmText = QStringLiteral("PM");
    return s;
}

// A file as a user or an older run left it: a foreign section, comments, odd spacing.
const QByteArray handWritten = "; settings of the dictionary\r\n"
                               "[Foreign]\r\n"
                               "CountStart=99\r\n"
                               "\r\n"
                               "[start]\r\n"
                               "countstart = 0x10\r\n"
                               "LastDate=05.03.2024\r\n"
                               "; a comment=with an equals sign\r\n"
                               "LastTime=21:05:07\r\n"
                               "\r\n"
                               "[TABLE]\r\n"
                               "WT=\r\n"
                               "FontName=\"  Courier New  \"\r\n"
                               "Broken line without equals\r\n"
                               "FontSize=12abc\r\n";

} // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir *m_dir = nullptr;

    QString path() const { return m_dir->filePath(QStringLiteral("CFG.ini")); }
    void put(const QByteArray &bytes) const
    {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray content() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    void expectRefusal(IniFile &ini, const QString &key)
    {
        try {
            ini.writeText(QStringLiteral("START"), key, QStringLiteral("1"));
            QFAIL("the write was not refused");
        } catch (const sorvane::Error &error) {
            QCOMPARE(error.message(), QStringLiteral("Unable to write to ") + ini.path());
        }
    }

private slots:
    void init() { m_dir = new QTemporaryDir; }
    void cleanup()
    {
        QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        delete m_dir;
    }

    void readText_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("section and key in other case") << "START"
                                                       << "CountStart"
                                                       << "0x10";
        QTest::newRow("foreign section has its own key") << "foreign"
                                                         << "countstart"
                                                         << "99";
        QTest::newRow("key after a comment") << "START"
                                             << "LastTime"
                                             << "21:05:07";
        QTest::newRow("empty value is empty text") << "TABLE"
                                                   << "WT"
                                                   << "";
        QTest::newRow("quotes keep blanks") << "TABLE"
                                            << "FontName"
                                            << "  Courier New  ";
        QTest::newRow("missing key") << "TABLE"
                                     << "TFontName"
                                     << "<default>";
        QTest::newRow("missing section") << "MAIN"
                                         << "FormWidth"
                                         << "<default>";
        QTest::newRow("comment is not a key") << "START"
                                              << "; a comment"
                                              << "<default>";
    }
    void readText()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, text);
        put(handWritten);
        IniFile ini(path());
        QCOMPARE(ini.readText(section, key, QStringLiteral("<default>")), text);
    }

    void readValues()
    {
        put(handWritten);
        IniFile ini(path(), german());
        QCOMPARE(ini.readInteger("START", "CountStart", 0), 16);
        QCOMPARE(ini.readInteger("TABLE", "FontSize", 10), 10);
        QCOMPARE(ini.readInteger("TABLE", "WT", 7), 7);
        QCOMPARE(ini.readInteger("MAIN", "FormWidth", 600), 600);
        QCOMPARE(ini.readDate("START", "LastDate", QDate(2000, 1, 1)), QDate(2024, 3, 5));
        QCOMPARE(ini.readTime("START", "LastTime", QTime(1, 2)), QTime(21, 5, 7));
        QCOMPARE(ini.readDate("TABLE", "WT", QDate(2000, 1, 1)), QDate(2000, 1, 1));
        QCOMPARE(ini.readTime("TABLE", "WT", QTime(1, 2)), QTime(1, 2));
    }

    void dateWrittenUnderOtherSettingsGivesTheDefault()
    {
        put(handWritten);
        IniFile ini(path(), usEnglish());
        const QDate today(2025, 6, 1);
        QCOMPARE(ini.readDate("START", "LastDate", today), today);
        QCOMPARE(ini.readTime("START", "LastTime", QTime(8, 0)), QTime(21, 5, 7));
    }

    void missingFileGivesDefaultsAndStaysMissing()
    {
        IniFile ini(path());
        QCOMPARE(ini.readText("START", "CountStart", "d"), QStringLiteral("d"));
        QCOMPARE(ini.readInteger("START", "CountStart", 0), 0);
        ini.release();
        QVERIFY(!QFile::exists(path()));
    }

    void textIsCutTo2047Characters()
    {
        const QByteArray longValue(3000, 'a');
        put("[TABLE]\nWT=" + longValue + "\nFontName=b" + QByteArray(2046, 'c') + "\n");
        IniFile ini(path());
        QCOMPARE(ini.readText("TABLE", "WT", QString()), QString(2047, u'a'));
        QCOMPARE(ini.readText("TABLE", "FontName", QString()).size(), 2047);
    }

    void writesKeepEverythingElse()
    {
        put(handWritten);
        IniFile ini(path(), german());
        ini.writeInteger("START", "CountStart", 17);
        ini.writeText("TABLE", "FontName", "Arial Narrow");
        ini.writeText("START", "NewKey", "x");
        ini.writeText("MAIN", "FormWidth", "640");
        const QByteArray expected = "; settings of the dictionary\r\n"
                                    "[Foreign]\r\n"
                                    "CountStart=99\r\n"
                                    "\r\n"
                                    "[start]\r\n"
                                    "countstart=17\r\n"
                                    "LastDate=05.03.2024\r\n"
                                    "; a comment=with an equals sign\r\n"
                                    "LastTime=21:05:07\r\n"
                                    "NewKey=x\r\n"
                                    "\r\n"
                                    "[TABLE]\r\n"
                                    "WT=\r\n"
                                    "FontName=Arial Narrow\r\n"
                                    "Broken line without equals\r\n"
                                    "FontSize=12abc\r\n"
                                    "[MAIN]\r\n"
                                    "FormWidth=640\r\n";
        QCOMPARE(content(), expected);
    }

    void newFileHoldsSectionsInWriteOrder()
    {
        IniFile ini(path(), usEnglish());
        ini.writeInteger("START", "CountStart", 1);
        ini.writeDate("START", "LastDate", QDate(2024, 3, 5));
        ini.writeTime("START", "LastTime", QTime(0, 5, 7));
        ini.writeText("TABLE", "WT", QString());
        ini.writeInteger("TABLE", "FontColor", -16777208);
        ini.writeInteger("MAIN", "FormWidth", 640);
        QCOMPARE(content(), QByteArray("[START]\r\nCountStart=1\r\nLastDate=3/5/2024\r\n"
                                       "LastTime=12:05:07 AM\r\n[TABLE]\r\nWT=\r\n"
                                       "FontColor=-16777208\r\n[MAIN]\r\nFormWidth=640\r\n"));
        IniFile reader(path(), usEnglish());
        QCOMPARE(reader.readDate("START", "LastDate", QDate()), QDate(2024, 3, 5));
        QCOMPARE(reader.readTime("START", "LastTime", QTime()), QTime(0, 5, 7));
        QCOMPARE(reader.readInteger("TABLE", "FontColor", 0), -16777208);
    }

    void fileConventionsAreKept()
    {
        // Unix line ends, and a last line without one.
        put("[START]\nCountStart=1");
        IniFile ini(path());
        ini.writeText("START", "LastDate", "d");
        QCOMPARE(content(), QByteArray("[START]\nCountStart=1\nLastDate=d\n"));
    }

    void writesReachTheDiskAtOnce()
    {
        IniFile ini(path());
        ini.writeText("START", "CountStart", "1");
        QCOMPARE(IniFile(path()).readText("START", "CountStart", QString()), QStringLiteral("1"));
        ini.writeText("START", "CountStart", "2");
        QCOMPARE(IniFile(path()).readText("START", "CountStart", QString()), QStringLiteral("2"));
    }

    void releaseReadsTheFileAgain()
    {
        put("[START]\nCountStart=1\n");
        IniFile ini(path());
        QCOMPARE(ini.readInteger("START", "CountStart", 0), 1);
        put("[START]\nCountStart=2\n");
        QCOMPARE(ini.readInteger("START", "CountStart", 0), 1);
        ini.release();
        QCOMPARE(ini.readInteger("START", "CountStart", 0), 2);
    }

    void valuesReadBackAsWritten_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "/home/user/Словарь.db";
        QTest::newRow("blanks at the ends") << "  two  ";
        QTest::newRow("enclosing quotes") << "\"quoted\"";
        QTest::newRow("single quotes") << "'x'";
        QTest::newRow("one quote") << "\"";
        QTest::newRow("equals and semicolon") << "a=b;c";
        QTest::newRow("brackets") << "[MAIN]";
        QTest::newRow("empty") << "";
    }
    void valuesReadBackAsWritten()
    {
        QFETCH(QString, value);
        IniFile ini(path());
        ini.writeText("TABLE", "WT", value);
        ini.writeText("TABLE", "FontName", "after");
        IniFile reader(path());
        QCOMPARE(reader.readText("TABLE", "WT", "<default>"), value);
        QCOMPARE(reader.readText("TABLE", "FontName", "<default>"), QStringLiteral("after"));
    }

    void textsOutsideWindows1251GoToUtf8WithMark()
    {
        const QString dictionary = QStringLiteral("/home/user/Wörterbuch/ß.xml");
        IniFile ini(path());
        ini.writeText("TABLE", "FontName", "Шрифт");
        QCOMPARE(content(), QByteArray("[TABLE]\r\nFontName=\xD8\xF0\xE8\xF4\xF2\r\n"));
        ini.writeText("TABLE", "WT", dictionary);
        QCOMPARE(content(), QByteArray("\xEF\xBB\xBF[TABLE]\r\nFontName=Шрифт\r\n"
                                       "WT=/home/user/Wörterbuch/ß.xml\r\n"));
        IniFile reader(path());
        QCOMPARE(reader.readText("TABLE", "WT", QString()), dictionary);
        QCOMPARE(reader.readText("TABLE", "FontName", QString()), QStringLiteral("Шрифт"));
        // Once the text fits again, the file goes back to Windows-1251.
        reader.writeText("TABLE", "WT", "/tmp/a.db");
        QCOMPARE(content().left(9), QByteArray("[TABLE]\r\n"));
    }

    void lineBreakInValueIsRefused()
    {
        put("[START]\r\nCountStart=1\r\n");
        IniFile ini(path());
        try {
            ini.writeText("TABLE", "WT", "a\nCountStart=5");
            QFAIL("the write was not refused");
        } catch (const sorvane::Error &error) {
            QCOMPARE(error.message(), QStringLiteral("Unable to write to ") + path());
        }
        QCOMPARE(content(), QByteArray("[START]\r\nCountStart=1\r\n"));
    }

    void readOnlyFileRefusesWrites()
    {
        if (geteuid() == 0)
            QSKIP("root writes read-only files; the refusal cannot be shown");
        put("[START]\r\nCountStart=1\r\n");
        QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner));
        IniFile ini(path());
        expectRefusal(ini, "CountStart");
        expectRefusal(ini, "CountStart");
        QCOMPARE(content(), QByteArray("[START]\r\nCountStart=1\r\n"));
    }

    void unwritablePlaceRefusesWrites()
    {
        // Below a plain file nothing can be created, whoever runs the test.
        put("[START]\r\n");
        IniFile ini(path() + QStringLiteral("/CFG.ini"));
        QCOMPARE(ini.readInteger("START", "CountStart", 5), 5);
        expectRefusal(ini, "CountStart");
        QCOMPARE(content(), QByteArray("[START]\r\n"));
    }

    void unreadableFileIsNotOverwritten()
    {
        // A directory in the file's place cannot be read, whoever runs the test.
        QVERIFY(QDir().mkpath(path()));
        IniFile ini(path());
        QCOMPARE(ini.readText("START", "CountStart", "d"), QStringLiteral("d"));
        expectRefusal(ini, "CountStart");
        QVERIFY(QFileInfo(path()).isDir());
    }

    void refusalKeepsEarlierKeys()
    {
        IniFile ini(path());
        ini.writeText("START", "CountStart", "1");
        ini.writeText("START", "LastDate", "x");
        QVERIFY(QFile::remove(path()));
        QVERIFY(QDir().mkpath(path()));
        expectRefusal(ini, "LastTime");
        QVERIFY(QDir().rmdir(path()));
        QVERIFY(!QFile::exists(path()));
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
