#include "system/FontRules.h"

#include <QtTest>
#include <climits>

using sorvane::FontRules;

class TestFontRules : public QObject {
    Q_OBJECT

private slots:
    void pixelsAndPoints_data()
    {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("pixelsBack");
        QTest::newRow("13 px") << 13 << 96 << 10 << 13;
        QTest::newRow("19 px") << 19 << 96 << 14 << 19;
        QTest::newRow("11 px") << 11 << 96 << 8 << 11;
        QTest::newRow("16 px") << 16 << 96 << 12 << 16;
        QTest::newRow("half rounds up") << 2 << 96 << 2 << 3;   // 1.5 pt
        QTest::newRow("negative half") << -2 << 96 << -2 << -3; // -1.5 pt, away from zero
        QTest::newRow("120 dpi") << 13 << 120 << 8 << 13;
        QTest::newRow("zero dpi") << 13 << 0 << 0 << 0;
    }
    void pixelsAndPoints()
    {
        QFETCH(int, pixels);
        QFETCH(int, dpi);
        QFETCH(int, points);
        QFETCH(int, pixelsBack);
        QCOMPARE(FontRules::pointsFromPixels(pixels, dpi), points);
        QCOMPARE(FontRules::pixelsFromPoints(points, dpi), pixelsBack);
    }

    void extremeSizesDoNotOverflow()
    {
        QCOMPARE(FontRules::pixelsFromPoints(INT_MAX), INT_MAX);
        QCOMPARE(FontRules::pixelsFromPoints(INT_MIN), INT_MIN);
    }

    void characterSet_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("applied");
        QTest::newRow("Russian") << 204 << 204;
        QTest::newRow("460") << 460 << 204;
        QTest::newRow("negative") << -1 << 255;
        QTest::newRow("default") << 1 << 1;
    }
    void characterSet()
    {
        QFETCH(int, stored);
        QFETCH(int, applied);
        QCOMPARE(FontRules::characterSet(stored), applied);
    }

    void faceName_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("applied");
        QTest::newRow("plain") << "Arial Narrow"
                               << "Arial Narrow";
        QTest::newRow("empty keeps current") << ""
                                             << "Courier New";
        QTest::newRow("31 kept") << QString(31, u'a') << QString(31, u'a');
        QTest::newRow("32 cut") << QString(32, u'b') << QString(31, u'b');
        const QString astral = QString(30, u'c') + QString::fromUtf8("😀x");
        QTest::newRow("pair not split") << astral << QString(30, u'c');
    }
    void faceName()
    {
        QFETCH(QString, stored);
        QFETCH(QString, applied);
        QCOMPARE(FontRules::faceName(stored, QStringLiteral("Courier New")), applied);
    }
};

QTEST_APPLESS_MAIN(TestFontRules)
#include "tst_fontrules.moc"
