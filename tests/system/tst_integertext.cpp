#include "system/IntegerText.h"

#include <QtTest>

using sorvane::IntegerText;

class TestIntegerText : public QObject {
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        constexpr int fallback = -77;
        QTest::newRow("decimal") << "42" << 42;
        QTest::newRow("leading spaces") << "   42" << 42;
        QTest::newRow("plus") << "+7" << 7;
        QTest::newRow("minus") << "-7" << -7;
        QTest::newRow("leading zeros") << "007" << 7;
        QTest::newRow("0x") << "0x10" << 16;
        QTest::newRow("0X") << "0X10" << 16;
        QTest::newRow("dollar") << "$FF" << 255;
        QTest::newRow("x lower digits") << "x1f" << 31;
        QTest::newRow("X") << "X1F" << 31;
        QTest::newRow("minus 0x") << "-0x10" << -16;
        QTest::newRow("spaces, sign, dollar") << "  -$10" << -16;
        QTest::newRow("largest") << "2147483647" << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << int(-2147483647 - 1);
        QTest::newRow("hex all ones") << "0xFFFFFFFF" << -1;
        QTest::newRow("hex top bit") << "$80000000" << int(-2147483647 - 1);
        QTest::newRow("negated hex pattern") << "-0xFFFFFFFF" << 1;
        QTest::newRow("hex leading zeros") << "$000000001" << 1;
        QTest::newRow("zero") << "0" << 0;

        QTest::newRow("trailing letters") << "12abc" << fallback;
        QTest::newRow("trailing space") << "12 " << fallback;
        QTest::newRow("empty") << "" << fallback;
        QTest::newRow("spaces only") << "   " << fallback;
        QTest::newRow("sign only") << "-" << fallback;
        QTest::newRow("two signs") << "+-7" << fallback;
        QTest::newRow("space after sign") << "- 7" << fallback;
        QTest::newRow("prefix only") << "0x" << fallback;
        QTest::newRow("dollar only") << "$" << fallback;
        QTest::newRow("above range") << "2147483648" << fallback;
        QTest::newRow("below range") << "-2147483649" << fallback;
        QTest::newRow("hex beyond 32 bits") << "0x100000000" << fallback;
        QTest::newRow("not a hex digit") << "$FG" << fallback;
        QTest::newRow("decimal with hex digit") << "1F" << fallback;
        QTest::newRow("double prefix") << "0x0x1" << fallback;
        QTest::newRow("tab before") << "\t1" << fallback;
        QTest::newRow("full-width digit") << QString::fromUtf8("１") << fallback;
        QTest::newRow("huge decimal") << QString(40, u'9') << fallback;
    }
    void read()
    {
        QFETCH(QString, text);
        QFETCH(int, value);
        QCOMPARE(IntegerText::read(text, -77), value);
    }

    void format_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << 0 << "0";
        QTest::newRow("positive") << 17 << "17";
        QTest::newRow("negative system colour") << -16777208 << "-16777208";
        QTest::newRow("smallest") << int(-2147483647 - 1) << "-2147483648";
    }
    void format()
    {
        QFETCH(int, value);
        QFETCH(QString, text);
        QCOMPARE(IntegerText::format(value), text);
        QCOMPARE(IntegerText::read(text), std::optional<int>(value));
    }
};

QTEST_APPLESS_MAIN(TestIntegerText)
#include "tst_integertext.moc"
