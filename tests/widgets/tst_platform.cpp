#include "widgets/FontSubstitutes.h"
#include "widgets/Shell.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

using namespace sorvane;

namespace {

class RecordingShell : public Shell {
public:
    QStringList calls;
    void open(const QString &address) override { calls.append(QStringLiteral("open ") + address); }
    void edit(const QString &filePath) override
    {
        calls.append(QStringLiteral("edit ") + filePath);
    }
};

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { FontSubstitutes::install(); }

    void designedTypefacesResolve_data()
    {
        QTest::addColumn<QString>("designed");
        QTest::addColumn<QString>("substitute");
        QTest::newRow("MS Sans Serif") << "MS Sans Serif"
                                       << "Liberation Sans";
        QTest::newRow("Courier New") << "Courier New"
                                     << "Liberation Mono";
        QTest::newRow("Arial Narrow") << "Arial Narrow"
                                      << "Liberation Sans Narrow";
        QTest::newRow("Bookman Old Style") << "Bookman Old Style"
                                           << "URW Bookman";
    }
    void designedTypefacesResolve()
    {
        QFETCH(QString, designed);
        QFETCH(QString, substitute);
        QFont font(designed);
        font.setPixelSize(13);
        // Where two foundries offer a family, its name carries the foundry: "URW Bookman [urw]".
        const QString resolved = QFontInfo(font).family().section(QStringLiteral(" ["), 0, 0);
        if (QFontDatabase::families().contains(designed, Qt::CaseInsensitive)) {
            QVERIFY(!QFont::substitutes(designed).contains(substitute, Qt::CaseInsensitive));
            QCOMPARE(resolved, designed);
        } else {
            QVERIFY(QFont::substitutes(designed).contains(substitute, Qt::CaseInsensitive));
            QCOMPARE(resolved, substitute);
        }
        // The font keeps its designed name: that is what the settings store.
        QCOMPARE(font.family(), designed);
    }

    void addresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QUrl>("url");
        QTest::newRow("mail") << "mailto:info@example.ru" << QUrl("mailto:info@example.ru");
        QTest::newRow("web without scheme") << "www.example.org" << QUrl("http://www.example.org");
        QTest::newRow("web") << "https://example.org/a?b=1" << QUrl("https://example.org/a?b=1");
    }
    void addresses()
    {
        QFETCH(QString, address);
        QFETCH(QUrl, url);
        QCOMPARE(Shell::addressUrl(address), url);
    }

    void shellCanBeReplaced()
    {
        RecordingShell recording;
        Shell::setInstance(&recording);
        Shell::instance().open(QStringLiteral("mailto:a@b.ru"));
        Shell::instance().edit(QStringLiteral("/tmp/Отчёт.txt"));
        Shell::setInstance(nullptr);
        QCOMPARE(recording.calls, QStringList({QStringLiteral("open mailto:a@b.ru"),
                                               QStringLiteral("edit /tmp/Отчёт.txt")}));
        QVERIFY(&Shell::instance() != &recording);
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestPlatform test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_platform.moc"
