#include "widgets/ColorValue.h"
#include "widgets/GridFont.h"

#include <QApplication>
#include <QtTest>

using namespace sorvane;

namespace {

// Every role a distinct colour, so a wrong role shows.
QPalette distinctPalette()
{
    QPalette palette;
    int shade = 10;
    for (QPalette::ColorRole role :
         {QPalette::ToolTipBase, QPalette::ToolTipText, QPalette::WindowText, QPalette::Highlight,
          QPalette::HighlightedText, QPalette::Window, QPalette::PlaceholderText, QPalette::Base,
          QPalette::Button, QPalette::ButtonText, QPalette::Light, QPalette::Midlight,
          QPalette::Dark, QPalette::Mid, QPalette::Shadow, QPalette::Link, QPalette::Text}) {
        palette.setColor(role, QColor(shade, 255 - shade, shade / 2 + 60));
        shade += 11;
    }
    return palette;
}

} // namespace

class TestValues : public QObject {
    Q_OBJECT

private slots:
    void rgbValues_data()
    {
        QTest::addColumn<qint32>("value");
        QTest::addColumn<QColor>("color");
        QTest::newRow("white") << qint32(16777215) << QColor(255, 255, 255);
        QTest::newRow("black") << qint32(0) << QColor(0, 0, 0);
        QTest::newRow("red in the lowest byte") << qint32(0x0000FF) << QColor(255, 0, 0);
        QTest::newRow("green") << qint32(0x00FF00) << QColor(0, 255, 0);
        QTest::newRow("blue in the third byte") << qint32(0xFF0000) << QColor(0, 0, 255);
        QTest::newRow("mixed") << qint32(0x336699) << QColor(0x99, 0x66, 0x33);
        QTest::newRow("top byte ignored") << qint32(0x02112233) << QColor(0x33, 0x22, 0x11);
    }
    void rgbValues()
    {
        QFETCH(qint32, value);
        QFETCH(QColor, color);
        QCOMPARE(ColorValue::toColor(value), color);
        if ((value >> 24) == 0)
            QCOMPARE(ColorValue::fromColor(color), value);
    }

    void fromColorDropsAlpha()
    {
        QCOMPARE(ColorValue::fromColor(QColor(1, 2, 3, 40)), qint32(0x030201));
        QCOMPARE(ColorValue::fromColor(QColor::fromHsv(0, 255, 255)), qint32(0x0000FF));
    }

    void systemColors_data()
    {
        QTest::addColumn<qint32>("value");
        QTest::addColumn<int>("role");
        QTest::newRow("tooltip background") << qint32(-16777216 + 24) << int(QPalette::ToolTipBase);
        QTest::newRow("window text") << qint32(-16777208) << int(QPalette::WindowText);
        QTest::newRow("active caption") << ColorValue::systemColor(2) << int(QPalette::Highlight);
        QTest::newRow("gradient active caption")
            << ColorValue::systemColor(27) << int(QPalette::Highlight);
        QTest::newRow("caption text")
            << ColorValue::systemColor(9) << int(QPalette::HighlightedText);
        QTest::newRow("inactive caption text")
            << ColorValue::systemColor(19) << int(QPalette::PlaceholderText);
        QTest::newRow("window") << ColorValue::systemColor(5) << int(QPalette::Base);
        QTest::newRow("button face") << ColorValue::systemColor(15) << int(QPalette::Button);
        QTest::newRow("only the lowest byte names it")
            << qint32(0x80000008) << int(QPalette::WindowText);
    }
    void systemColors()
    {
        QFETCH(qint32, value);
        QFETCH(int, role);
        const QPalette palette = distinctPalette();
        QVERIFY(ColorValue::isSystemColor(value));
        QCOMPARE(ColorValue::toColor(value, palette), palette.color(QPalette::ColorRole(role)));
    }

    void inactiveCaptionIsADarkerWindow_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("inactive caption") << 3;
        QTest::newRow("gradient inactive caption") << 28;
    }
    void inactiveCaptionIsADarkerWindow()
    {
        QFETCH(int, index);
        const QPalette palette = distinctPalette();
        const QColor window = palette.color(QPalette::Window);
        const QColor caption = ColorValue::toColor(ColorValue::systemColor(index), palette);
        QVERIFY(caption.lightness() < window.lightness());
        QCOMPARE(caption.hue(), window.hue());
    }

    void systemColorValue()
    {
        QCOMPARE(ColorValue::systemColor(ColorValue::WindowText), qint32(-16777208));
        QCOMPARE(ColorValue::systemColor(ColorValue::InfoBackground), qint32(-16777192));
        QVERIFY(!ColorValue::isSystemColor(16777215));
    }

    void undefinedSystemColorIsBlack()
    {
        QCOMPARE(ColorValue::toColor(ColorValue::systemColor(25), distinctPalette()),
                 QColor(Qt::black));
        QCOMPARE(ColorValue::toColor(-1, distinctPalette()), QColor(Qt::black));
    }

    void gridFontOf()
    {
        const GridFont value = GridFont::of(QStringLiteral("Courier New"), 13, 0, 204);
        QCOMPARE(value.font.family(), QStringLiteral("Courier New"));
        QCOMPARE(value.font.pixelSize(), 13);
        QVERIFY(!value.font.bold() && !value.font.italic());
        QCOMPARE(value.charset, 204);
        GridFont bold = value;
        bold.font.setBold(true);
        QVERIFY(bold != value);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestValues test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_values.moc"
