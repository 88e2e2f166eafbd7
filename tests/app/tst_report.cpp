#include "SorvaneFixture.h"

#include "widgets/ColorDialog.h"
#include "widgets/DBGrid.h"
#include "widgets/FontDialog.h"
#include "widgets/KeyboardLayout.h"

#include <QAction>
#include <QColorDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>

using namespace sorvane;
using namespace sorvane::test;

namespace {

const QByteArray kSpaces = "        ";

std::unique_ptr<TSorvane> startWith(SorvaneFixture &fixture, const Pairs &pairs)
{
    const QString path = fixture.writeDictionary(QStringLiteral("words.db"), pairs);
    fixture.writeSettings(QStringLiteral("[TABLE]\r\nWT=%1\r\n").arg(path));
    return fixture.start();
}

QByteArray reportBytes()
{
    QFile file(ProgramFiles::reportPath());
    if (!file.open(QIODevice::ReadOnly))
        return "<no report>";
    return file.readAll();
}

QByteArray cp1251(const QString &text)
{
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

QByteArray line(const QList<QByteArray> &values)
{
    QByteArray bytes;
    for (const QByteArray &v : values)
        bytes += v + kSpaces;
    return bytes + "\r\n";
}

} // namespace

// The text report, the grid's colours and fonts, and the input language.
class TestReport : public QObject {
    Q_OBJECT

private slots:
    void report_data()
    {
        QTest::addColumn<Pairs>("pairs");
        QTest::addColumn<QString>("filter"); // typed into Edit1 before, when not empty
        QTest::addColumn<bool>("rusFirst");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray header = line({"Deu", "Rus"});
        const Pairs two = {{QStringLiteral("Haus"), QStringLiteral("дом")},
                           {QStringLiteral("Baum"), QStringLiteral("дерево")}};
        QTest::newRow("two records in Deu;Rus order")
            << two << QString() << false
            << header + line({"Baum", cp1251(QStringLiteral("дерево"))}) +
                   line({"Haus", cp1251(QStringLiteral("дом"))});
        QTest::newRow("an empty view: zero bytes")
            << two << QStringLiteral("Deu='Zug'") << false << QByteArray("");
        QTest::newRow("a filtered view") << two << QStringLiteral("Deu='haus'") << false
                                         << header + line({"Haus", cp1251(QStringLiteral("дом"))});
        QTest::newRow("columns in display order")
            << Pairs{{QStringLiteral("Haus"), QStringLiteral("дом")}} << QString() << true
            << line({"Rus", "Deu"}) + line({cp1251(QStringLiteral("дом")), "Haus"});
        QTest::newRow("an empty value and values with spaces")
            << Pairs{{QStringLiteral("gute  Nacht"), QString()},
                     {QStringLiteral("a        b"), QStringLiteral(" x ")}}
            << QString() << false
            << header + line({"a        b", " x "}) + line({"gute  Nacht", ""});
    }
    void report()
    {
        QFETCH(Pairs, pairs);
        QFETCH(QString, filter);
        QFETCH(bool, rusFirst);
        QFETCH(QByteArray, expected);
        SorvaneFixture fixture;
        auto window = startWith(fixture, pairs);
        if (!filter.isEmpty()) {
            window->Edit1->setText(filter);
            window->Button2->click();
        }
        if (rusFirst)
            window->DBGrid1->horizontalHeader()->moveSection(1, 0);
        window->Button9->click();
        QCOMPARE(reportBytes(), expected);
        QCOMPARE(fixture.shell.edited, QStringList{ProgramFiles::reportPath()});
        QCOMPARE(window->Table1->indexFieldNames(), QStringLiteral("Deu;Rus"));
        if (window->Table1->recordCount() > 0)
            QCOMPARE(window->Table1->recNo(), window->Table1->recordCount());
        // Twice: the same bytes.
        window->Button9->click();
        QCOMPARE(reportBytes(), expected);
    }

    void umlautsAreKeptInUtf8()
    {
        SorvaneFixture fixture;
        auto window = startWith(fixture, {{QStringLiteral("Straße"), QStringLiteral("улица")}});
        window->Button9->click();
        const QByteArray bytes = reportBytes();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(QString::fromUtf8(bytes.mid(3)),
                 QStringLiteral("Deu        Rus        \r\nStraße        улица        \r\n"));
    }

    void reportWithNoDictionaryOpen()
    {
        SorvaneFixture fixture;
        auto window = fixture.start();
        auto caption = std::make_shared<QString>();
        auto shown = captureNextMessage(caption);
        window->Button9->click();
        QTRY_COMPARE(*shown, QStringLiteral("Ошибка!!!"));
        QCOMPARE(*caption, QStringLiteral("Ошибка"));
        QVERIFY(!QFile::exists(ProgramFiles::reportPath()));
        QVERIFY(fixture.shell.edited.isEmpty());
        QCOMPARE(window->Table1->indexFieldNames(), QStringLiteral("Deu;Rus"));
    }

    void colourDialogsStartBlackAndRememberTheirOwnValue()
    {
        SorvaneFixture fixture;
        auto window = fixture.start();
        QColor proposed;
        answerNextModal([&proposed](QWidget *modal) {
            auto *dialog = qobject_cast<QColorDialog *>(modal);
            QVERIFY(dialog);
            proposed = dialog->currentColor();
            dialog->setCurrentColor(QColor(0x11, 0x22, 0x33));
            dialog->accept();
        });
        window->N5->trigger();
        QCOMPARE(proposed, QColor(Qt::black));
        QCOMPARE(window->DBGrid1->colorValue(), 0x332211);
        // The other colour dialog still proposes black; a cancel changes nothing.
        answerNextModal([&proposed](QWidget *modal) {
            auto *dialog = qobject_cast<QColorDialog *>(modal);
            QVERIFY(dialog);
            proposed = dialog->currentColor();
            dialog->setCurrentColor(Qt::red);
            dialog->reject();
        });
        window->N7->trigger();
        QCOMPARE(proposed, QColor(Qt::black));
        QCOMPARE(window->DBGrid1->fixedColorValue(), 0);
        // The same dialog again proposes what was confirmed in it.
        answerNextModal([&proposed](QWidget *modal) {
            proposed = qobject_cast<QColorDialog *>(modal)->currentColor();
            modal->close();
        });
        window->N5->trigger();
        QCOMPARE(proposed, QColor(0x11, 0x22, 0x33));
    }

    void titleFontDialogStartsFromItsOwnFont()
    {
        SorvaneFixture fixture;
        auto window = fixture.start();
        QString family;
        answerNextModal([&family](QWidget *modal) {
            auto *dialog = qobject_cast<FontDialog *>(modal);
            QVERIFY(dialog);
            family = dialog->value().font.family();
            dialog->accept();
        });
        window->N8->trigger();
        QCOMPARE(family, QStringLiteral("MS Sans Serif"));
        QCOMPARE(window->DBGrid1->titleGridFont().font.family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(window->DBGrid1->titleGridFont().font.pixelSize(), 11);
        QVERIFY(!window->DBGrid1->titleGridFont().font.bold());
    }

    void cellClicksChooseTheLayoutByColumnPosition()
    {
        SorvaneFixture fixture;
        auto window = startWith(fixture, {{QStringLiteral("Haus"), QStringLiteral("дом")}});
        KeyboardLayout &layout = window->keyboardLayout();
        QCOMPARE(layout.active(), KeyboardLayout::English);
        DBGrid &grid = *window->DBGrid1;
        auto clickColumn = [&grid](int logical) {
            const QRect cell = grid.visualRect(grid.model()->index(0, logical));
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        };
        clickColumn(1);
        QCOMPARE(layout.active(), KeyboardLayout::Russian);
        clickColumn(0);
        QCOMPARE(layout.active(), KeyboardLayout::English);
        // Rus dragged in front of Deu: Deu is now the second column.
        grid.horizontalHeader()->moveSection(1, 0);
        clickColumn(0);
        QCOMPARE(layout.active(), KeyboardLayout::Russian);
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"
