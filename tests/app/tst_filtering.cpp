#include "SorvaneFixture.h"

#include "widgets/DBGrid.h"
#include "widgets/TabControl.h"

#include <QCheckBox>
#include <QLineEdit>
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
        QVERIFY_THROWS_EXCEPTION(sorvane::Error, window->Table1->open());
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
        window->Table1->append();
        window->Table1->setValue(0, QStringLiteral("Zug"));
        window->Table1->setValue(1, QStringLiteral("поезд"));
        clickTab(*window, 25); // "Z": only stored, but the record is posted first
        QCOMPARE(window->Table1->state(), ClientDataSet::State::Browse);
        QCOMPARE(SorvaneFixture::panelText(*window, 0),
                 QStringLiteral("Количество записей равно 9"));
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
        QCOMPARE(window->Table1->recNo(), 1);
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
