#include "SorvaneFixture.h"

#include "app/AboutBox.h"
#include "widgets/DBGrid.h"
#include "widgets/GridFont.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

using namespace sorvane;
using namespace sorvane::test;

namespace {

const QStringList kKeyOrder = {
    QStringLiteral("[START]"),      QStringLiteral("CountStart"),  QStringLiteral("LastDate"),
    QStringLiteral("LastTime"),     QStringLiteral("[TABLE]"),     QStringLiteral("WT"),
    QStringLiteral("FontColor"),    QStringLiteral("FontName"),    QStringLiteral("TableColor"),
    QStringLiteral("FontSize"),     QStringLiteral("FontCharset"), QStringLiteral("TFontColor"),
    QStringLiteral("TFontName"),    QStringLiteral("FColor"),      QStringLiteral("TFontSize"),
    QStringLiteral("TFontCharset"), QStringLiteral("[MAIN]"),      QStringLiteral("FormWidth"),
    QStringLiteral("FormHeight"),   QStringLiteral("FormTop"),     QStringLiteral("FormLeft")};

// The key (or section) of each non-empty line of a settings text.
QStringList keysOf(const QString &text)
{
    QStringList keys;
    for (const QString &line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
        keys << (line.startsWith(QLatin1Char('[')) ? line : line.section(QLatin1Char('='), 0, 0));
    return keys;
}

QString valueOf(const QString &text, const QString &key)
{
    for (const QString &line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        if (line.section(QLatin1Char('='), 0, 0) == key)
            return line.section(QLatin1Char('='), 1);
    }
    return QStringLiteral("<missing>");
}

// Triggers a menu command and returns the text of the message box it shows.
QString messageOf(QAction *action)
{
    auto shown = captureNextMessage();
    action->trigger();
    for (int wait = 0; wait < 300 && *shown == QStringLiteral("<no box>"); ++wait)
        QTest::qWait(10);
    return *shown;
}

} // namespace

// The settings file, the usage statistics and the information commands.
class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void aFirstRunWritesAllKeysInOrder()
    {
        SorvaneFixture fixture;
        {
            auto window = fixture.start();
            window->close();
        }
        const QString text = fixture.readSettings();
        QCOMPARE(keysOf(text), kKeyOrder);
        QCOMPARE(valueOf(text, QStringLiteral("CountStart")), QStringLiteral("1"));
        QCOMPARE(valueOf(text, QStringLiteral("LastDate")), QStringLiteral("11.12.2026"));
        QCOMPARE(valueOf(text, QStringLiteral("LastTime")), QStringLiteral("10:30:15"));
        QCOMPARE(valueOf(text, QStringLiteral("WT")), QString());
        QCOMPARE(valueOf(text, QStringLiteral("FontColor")), QStringLiteral("0"));
        QCOMPARE(valueOf(text, QStringLiteral("FontName")), QStringLiteral("Courier New"));
        QCOMPARE(valueOf(text, QStringLiteral("TableColor")), QStringLiteral("16777215"));
        QCOMPARE(valueOf(text, QStringLiteral("FontSize")), QStringLiteral("10"));
        QCOMPARE(valueOf(text, QStringLiteral("FontCharset")), QStringLiteral("204"));
        QCOMPARE(valueOf(text, QStringLiteral("TFontColor")), QStringLiteral("16777215"));
        QCOMPARE(valueOf(text, QStringLiteral("TFontName")), QStringLiteral("Bookman Old Style"));
        QCOMPARE(valueOf(text, QStringLiteral("FColor")), QStringLiteral("0"));
        QCOMPARE(valueOf(text, QStringLiteral("TFontSize")), QStringLiteral("14"));
        QCOMPARE(valueOf(text, QStringLiteral("TFontCharset")), QStringLiteral("204"));
        QCOMPARE(valueOf(text, QStringLiteral("FormWidth")), QStringLiteral("721"));
        QCOMPARE(valueOf(text, QStringLiteral("FormHeight")), QStringLiteral("566"));
    }

    void countStart_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("written");
        QTest::newRow("plain") << "5"
                               << "5"
                               << "6";
        QTest::newRow("hex") << "0x10"
                             << "16"
                             << "17";
        QTest::newRow("unreadable") << "12abc"
                                    << "0"
                                    << "1";
        QTest::newRow("wraps") << "2147483647"
                               << "2147483647"
                               << "-2147483648";
    }
    void countStart()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        QFETCH(QString, written);
        SorvaneFixture fixture;
        fixture.writeSettings(QStringLiteral("[START]\r\nCountStart=%1\r\n").arg(stored));
        {
            auto window = fixture.start();
            QCOMPARE(messageOf(window->N10), QStringLiteral("Количество запусков равно ") + shown);
            // The same text every time within a run.
            QCOMPARE(messageOf(window->N10), QStringLiteral("Количество запусков равно ") + shown);
            window->close();
        }
        QCOMPARE(valueOf(fixture.readSettings(), QStringLiteral("CountStart")), written);
    }

    void lastRun_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("stored") << "LastDate=03.04.2025\r\nLastTime=7:05:09"
                                << "Последний запуск программы был 03.04.2025 в 07:05:09";
        QTest::newRow("none: this start") << ""
                                          << "Последний запуск программы был 11.12.2026 в 10:30:15";
        QTest::newRow("unreadable under these settings: this start")
            << "LastDate=4/3/2025\r\nLastTime=25:00"
            << "Последний запуск программы был 11.12.2026 в 10:30:15";
    }
    void lastRun()
    {
        QFETCH(QString, stored);
        QFETCH(QString, shown);
        SorvaneFixture fixture;
        fixture.writeSettings(QStringLiteral("[START]\r\n") + stored + QStringLiteral("\r\n"));
        auto window = fixture.start();
        QCOMPARE(messageOf(window->N9), shown);
    }

    void recordCountCommand()
    {
        SorvaneFixture fixture;
        auto window = fixture.start();
        QCOMPARE(messageOf(window->N3),
                 QStringLiteral("Table1: Cannot perform this operation on a closed dataset."));
        const QString path = fixture.writeDictionary(QStringLiteral("w.db"),
                                                     {{QStringLiteral("Ab"), QStringLiteral("а")},
                                                      {QStringLiteral("Cd"), QStringLiteral("б")}});
        window->Table1->setFileName(path);
        window->Table1->open();
        QCOMPARE(messageOf(window->N3), QStringLiteral("Количество слов и выражений равно 2"));
    }

    void aRestartAppliesLooksSizeAndDictionary()
    {
        SorvaneFixture fixture;
        const QString path =
            fixture.writeDictionary(QStringLiteral("Wörterbuch ß.xml"),
                                    {{QStringLiteral("Straße"), QStringLiteral("улица")}});
        fixture.writeSettings(
            QStringLiteral("[TABLE]\r\nWT=%1\r\nFontName=Arial\r\nFontSize=12\r\n"
                           "FontCharset=460\r\nTableColor=255\r\nFColor=-16777208\r\n"
                           "TFontName=\r\n[MAIN]\r\nFormWidth=800\r\n"
                           "FormHeight=600\r\n")
                .arg(path));
        {
            auto window = fixture.start();
            QVERIFY(window->Table1->active());
            QCOMPARE(window->size(), QSize(800, 600));
            QCOMPARE(window->DBGrid1->gridFont().font.family(), QStringLiteral("Arial"));
            QCOMPARE(window->DBGrid1->gridFont().font.pixelSize(), 16);
            QCOMPARE(window->DBGrid1->gridFont().charset, 204);
            QCOMPARE(window->DBGrid1->colorValue(), 255);
            QCOMPARE(window->DBGrid1->fixedColorValue(), -16777208);
            QCOMPARE(window->DBGrid1->titleGridFont().font.family(),
                     QStringLiteral("Bookman Old Style"));
            window->close();
        }
        const QString text = fixture.readSettings();
        QCOMPARE(valueOf(text, QStringLiteral("WT")), path);
        QCOMPARE(valueOf(text, QStringLiteral("FontCharset")), QStringLiteral("204"));
        QCOMPARE(valueOf(text, QStringLiteral("TFontName")), QStringLiteral("Bookman Old Style"));
        QCOMPARE(valueOf(text, QStringLiteral("FontSize")), QStringLiteral("12"));
        QCOMPARE(valueOf(text, QStringLiteral("FormWidth")), QStringLiteral("800"));
    }

    void aRefusedWriteKeepsTheWindowOpenEveryTime()
    {
        SorvaneFixture fixture;
        // A directory in the place of the file: every write of it is refused.
        QVERIFY(QDir().mkpath(fixture.settingsPath()));
        auto window = fixture.start();
        for (int attempt = 0; attempt < 2; ++attempt) {
            auto shown = captureNextMessage();
            window->close();
            QTRY_COMPARE(*shown, QStringLiteral("Unable to write to ") + fixture.settingsPath() +
                                     QLatin1Char('.'));
            QVERIFY(window->isVisible());
        }
    }

    void aboutBox()
    {
        SorvaneFixture fixture;
        auto window = fixture.start();
        TAboutBox about(window.get());
        window->setAboutBox(&about);
        window->N2->trigger();
        QVERIFY(about.isVisible());
        QVERIFY(!about.isModal());
        QCOMPARE(about.windowTitle(), QStringLiteral("О..."));
        QCOMPARE(about.ProductName->text(), QStringLiteral("Vimbor 1.0"));
        QCOMPARE(about.Label5->text(), QStringLiteral("30.12.2002"));
        QCOMPARE(about.Label6->text(), TAboutBox::kEmail);
        QTest::mouseClick(about.Label6, Qt::LeftButton);
        QTest::mouseClick(about.Label7, Qt::LeftButton);
        QCOMPARE(fixture.shell.opened,
                 QStringList({QStringLiteral("mailto:") + TAboutBox::kEmail, TAboutBox::kWebSite}));
        about.move(about.pos() + QPoint(30, 20));
        const QPoint moved = about.pos();
        about.OKButton->click();
        QVERIFY(!about.isVisible());
        window->N2->trigger();
        QVERIFY(about.isVisible());
        QCOMPARE(about.pos(), moved);
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
