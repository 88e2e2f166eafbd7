#include "SorvaneFixture.h"

#include "widgets/DBGrid.h"
#include "widgets/TabControl.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>

using namespace sorvane;
using namespace sorvane::test;

namespace {

const Pairs kWords = {{QStringLiteral("Haus"), QStringLiteral("здание")},
                      {QStringLiteral("Baum"), QStringLiteral("дерево")},
                      {QStringLiteral("haushoch"), QStringLiteral("огромный")},
                      {QStringLiteral("Dorf"), QStringLiteral("деревня")},
                      {QStringLiteral("Stadt"), QStringLiteral("город")},
                      {QStringLiteral("Apfel"), QStringLiteral("яблоко")},
                      {QStringLiteral("aber"), QStringLiteral("но")},
                      {QStringLiteral("Hausaufgabe"), QStringLiteral("домашнее задание")}};

QStringList column(const TSorvane &window, int field)
{
    QStringList words;
    for (int row = 0; row < window.Table1->recordCount(); ++row)
        words << window.Table1->textAt(row, field);
    return words;
}

std::unique_ptr<TSorvane> startWith(SorvaneFixture &fixture, const Pairs &pairs)
{
    const QString path = fixture.writeDictionary(QStringLiteral("words.db"), pairs);
    fixture.writeSettings(QStringLiteral("[TABLE]\r\nWT=%1\r\n").arg(path));
    return fixture.start();
}

void clickTab(TSorvane &window, int index)
{
    QTest::mouseClick(window.TabControl1, Qt::LeftButton, {},
                      window.TabControl1->tabRect(index).center());
}

} // namespace

// Filtering by letter tabs and typed expressions, sorting and searching, in the window.
class TestFiltering : public QObject {
    Q_OBJECT

private slots:
    void startsWithFilteringOffOnTheLetterA()
    {
        SorvaneFixture fixture;
        auto window = startWith(fixture, kWords);
        QVERIFY(!window->Table1->filtered());
        QCOMPARE(window->Table1->filter(), QStringLiteral("Deu = 'A*'"));
        QCOMPARE(window->Table1->recordCount(), kWords.size());
    }

    void aLetterTabWhileAllAreShownChangesNothingUntilTheBoxIsCleared()
    {
        SorvaneFixture fixture;
        auto window = startWith(fixture, kWords);
        clickTab(*window, 7); // "H"
        QCOMPARE(window->Table1->filter(), QStringLiteral("Deu = 'H*'"));
        QCOMPARE(window->Table1->recordCount(), kWords.size());
        window->CheckBox1->click();
        QVERIFY(!window->CheckBox1->isChecked());
        QCOMPARE(column(*window, 0),
                 QStringList({QStringLiteral("Haus"), QStringLiteral("Hausaufgabe"),
                              QStringLiteral("haushoch")}));
        window->CheckBox1->click();
        QCOMPARE(window->Table1->recordCount(), kWords.size());
    }

    void theSameTabTwiceDoesNotApplyItAgain()
    {
        SorvaneFixture fixture;
        auto window = startWith(fixture, kWords);
        window->CheckBox1->click(); // filtering on: "A*"
        QCOMPARE(window->Table1->recordCount(), 2);
        window->Edit1->setText(QStringLiteral("Rus='здание'"));
        window->Button2->click();
        QCOMPARE(window->Table1->recordCount(), 1);
        clickTab(*window, 0); // "A" is still the selected tab: no change event
        QCOMPARE(window->Table1->filter(), QStringLiteral("Rus='здание'"));
        clickTab(*window, 1);
        clickTab(*window, 0);
        QCOMPARE(window->Table1->filter(), QStringLiteral("Deu = 'A*'"));
        QCOMPARE(window->Table1->recordCount(), 2);
    }

    void theFilterButtonLeavesTheCheckBoxAlone()
    {
        SorvaneFixture fixture;
        auto window = startWith(fixture, kWords);
        window->Edit1->setText(QStringLiteral("Rus<>'город'"));
        window->Button2->click();
        QVERIFY(window->Table1->filtered());
        QVERIFY(window->CheckBox1->isChecked()); // still ticked while filtering is on
        QCOMPARE(window->Table1->recordCount(), kWords.size() - 1);
        // One click clears the box and keeps filtering on; a second shows all records.
        window->CheckBox1->click();
        QVERIFY(window->Table1->filtered());
        window->CheckBox1->click();
        QVERIFY(!window->Table1->filtered());
        QCOMPARE(window->Table1->recordCount(), kWords.size());
    }

    void theFilterBoxEmptiesOnFocus_data()
    {
        QTest::addColumn<bool>("byMouse");
        QTest::newRow("mouse") << true;
        QTest::newRow("Tab key") << false;
    }
    void theFilterBoxEmptiesOnFocus()
    {
        QFETCH(bool, byMouse);
        SorvaneFixture fixture;
        auto window = startWith(fixture, kWords);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->Edit1->setText(QStringLiteral("Deu='Dorf'"));
        window->Button2->setFocus();
        QCOMPARE(window->Edit1->text(), QStringLiteral("Deu='Dorf'"));
        if (byMouse)
            QTest::mouseClick(window->Edit1, Qt::LeftButton);
        else
            QTest::keyClick(window->Button2, Qt::Key_Tab);
        QVERIFY(window->Edit1->hasFocus());
        QCOMPARE(window->Edit1->text(), QString());
    }

    void theHelpMenuKeepsTheTypedExpression()
    {
        SorvaneFixture fixture;
        auto window = startWith(fixture, kWords);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        window->Edit1->setFocus(Qt::MouseFocusReason);
        window->Edit1->setText(QStringLiteral("Deu='Dorf'"));
        emit window->Edit1->customContextMenuRequested(QPoint(5, 5));
        QTRY_VERIFY(window->PopupMenu1->isVisible());
        window->PopupMenu1->close();
        QTRY_VERIFY(window->Edit1->hasFocus());
        QCOMPARE(window->Edit1->text(), QStringLiteral("Deu='Dorf'"));
    }

    void aMalformedExpressionWithNoDictionaryMakesTheNextOpenFail()
    {
        SorvaneFixture fixture;
        const QString path = fixture.writeDictionary(QStringLiteral("words.db"), kWords);
        auto window = fixture.start();
        window->Edit1->setText(QStringLiteral("Deu ="));
        window->Button2->click(); // only stored: nothing is open
        QVERIFY(window->Table1->filtered());
        QCOMPARE(window->Table1->filter(), QStringLiteral("Deu ="));
        window->Table1->setFileName(path);
        window->Table1->close();
        QString rejection;
        try {
            window->Table1->open();
        } catch (const std::exception &e) {
            rejection = QString::fromUtf8(e.what());
        }
        QCOMPARE(rejection, QStringLiteral("Expression expected but nothing found"));
        QVERIFY(!window->Table1->active());
        // Recovery: the box cleared and ticked again switches filtering off.
        window->CheckBox1->click();
        window->CheckBox1->click();
        QVERIFY(window->CheckBox1->isChecked());
        QVERIFY(!window->Table1->filtered());
        window->Table1->open();
        QCOMPARE(window->Table1->recordCount(), kWords.size());
    }

    void aRecordInEditingIsPostedBeforeAFilterChange()
    {
        SorvaneFixture fixture;
        auto window = startWith(fixture, kWords);
        window->CheckBox1->click(); // filtering on: "A*"
        window->Table1->append();
        window->Table1->setValue(0, QStringLiteral("Zug"));
        window->Table1->setValue(1, QStringLiteral("поезд"));
        clickTab(*window, 25); // "Z": the record is posted first, then the filter changes
        QCOMPARE(window->Table1->state(), ClientDataSet::State::Browse);
        QVERIFY(SorvaneFixture::panelText(*window, 0) !=
                QStringLiteral("Количество записей равно 8"));
        QCOMPARE(column(*window, 0), QStringList{QStringLiteral("Zug")});
    }

    void aChangeWhileFilteringIsOffIsOnlyStored()
    {
        SorvaneFixture fixture;
        auto window = startWith(fixture, kWords);
        window->Table1->edit();
        window->Table1->setValue(1, QStringLiteral("дом"));
        clickTab(*window, 25);
        // Nothing applied, so nothing posted: the record is still in editing.
        QCOMPARE(window->Table1->state(), ClientDataSet::State::Edit);
        QCOMPARE(window->Table1->filter(), QStringLiteral("Deu = 'Z*'"));
    }

    void russianSortSwitchesFilteringOffAndShowsTheFirstRecordOnTop()
    {
        SorvaneFixture fixture;
        auto window = startWith(fixture, kWords);
        window->CheckBox1->click(); // "A*" on
        window->Button3->click();
        QVERIFY(!window->Table1->filtered());
        QVERIFY(!window->CheckBox1->isChecked());
        QCOMPARE(window->Table1->indexName(), QStringLiteral("indR"));
        QCOMPARE(column(*window, 1).first(), QStringLiteral("город"));
        // The current record is the one that was first in the previous order, on top.
        QCOMPARE(window->Table1->text(0), QStringLiteral("aber"));
        // "Немецкий" keeps a filter and the current record.
        window->CheckBox1->click();
        window->CheckBox1->click();
        window->Table1->setRecNo(2);
        const QString current = window->Table1->text(0);
        window->Button5->click();
        QCOMPARE(window->Table1->indexName(), QStringLiteral("indD"));
        QCOMPARE(window->Table1->text(0), current);
    }

    void search_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("russianOrder");
        QTest::addColumn<QString>("found"); // Deu of the current record afterwards
        QTest::newRow("Hau in German order") << 7 << "Hau" << false << "Haus";
        QTest::newRow("Hau in Russian order: the first in that order")
            << 7 << "Hau" << true << "Hausaufgabe";
        QTest::newRow("case counts") << 7 << "hau" << false << "haushoch";
        QTest::newRow("Haus does not find haus") << 7 << "Hausa" << false << "Hausaufgabe";
        QTest::newRow("nothing found: unchanged") << 7 << "Xylophon" << false << "";
        QTest::newRow("empty box: unchanged") << 7 << "" << false << "";
        QTest::newRow("star is ordinary") << 7 << "H*" << false << "";
        QTest::newRow("Russian word") << 8 << "дер" << false << "Baum";
    }
    void search()
    {
        QFETCH(int, button);
        QFETCH(QString, text);
        QFETCH(bool, russianOrder);
        QFETCH(QString, found);
        SorvaneFixture fixture;
        auto window = startWith(fixture, kWords);
        if (russianOrder)
            window->Button3->click();
        window->Table1->first();
        const QString firstDeu = window->Table1->text(0);
        (button == 7 ? window->Edit2 : window->Edit3)->setText(text);
        (button == 7 ? window->Button7 : window->Button8)->click();
        QCOMPARE(window->Table1->text(0), found.isEmpty() ? firstDeu : found);
    }

    // Rows of a grid that cannot show the whole view: after "Русский" the current record
    // stands in the top row, after a search in the middle row, except near either end.
    void gridPositions_data()
    {
        QTest::addColumn<int>("action"); // 3: Button3, 7: Button7
        QTest::addColumn<QString>("search");
        QTest::addColumn<int>("expectedRow"); // -1: middle, -2: as low as the end allows
        QTest::newRow("Russian sort: top row") << 3 << QString() << 0;
        QTest::newRow("search: middle row") << 7 << QStringLiteral("Wort100") << -1;
        QTest::newRow("search near the start: higher") << 7 << QStringLiteral("Wort002") << 1;
        QTest::newRow("search near the end: lower") << 7 << QStringLiteral("Wort199") << -2;
    }
    void gridPositions()
    {
        QFETCH(int, action);
        QFETCH(QString, search);
        QFETCH(int, expectedRow);
        Pairs many;
        for (int i = 1; i <= 200; ++i)
            many << qMakePair(QStringLiteral("Wort%1").arg(i, 3, 10, QLatin1Char('0')),
                              QStringLiteral("слово%1").arg(i * 7 % 200, 3, 10, QLatin1Char('0')));
        SorvaneFixture fixture;
        auto window = startWith(fixture, many);
        DBGrid &grid = *window->DBGrid1;
        const int rows = grid.visibleRowCapacity();
        QVERIFY(rows > 3 && rows < 100);
        if (action == 3) {
            window->Table1->setRecNo(150); // the switch-off step goes back to the first
            window->Button3->click();
        } else {
            window->Edit2->setText(search);
            window->Button7->click();
            QCOMPARE(window->Table1->text(0), search);
        }
        QCoreApplication::processEvents();
        const int current = window->Table1->recNo() - 1;
        const int row = current - grid.rowAt(0);
        if (expectedRow == -1)
            QCOMPARE(row, (rows - 1) / 2);
        else if (expectedRow == -2) {
            // Scrolled to the end: the last record stands in the bottom row.
            QCOMPARE(grid.verticalScrollBar()->value(), grid.verticalScrollBar()->maximum());
            QVERIFY(row > (rows - 1) / 2);
        } else
            QCOMPARE(row, expectedRow);
    }

    void searchWithNoDictionaryOpen()
    {
        SorvaneFixture fixture;
        auto window = fixture.start();
        auto shown = captureNextMessage();
        window->Button7->click();
        QTRY_COMPARE(*shown,
                     QStringLiteral("Table1: Cannot perform this operation on a closed dataset."));
    }
};

QTEST_MAIN(TestFiltering)
#include "tst_filtering.moc"
