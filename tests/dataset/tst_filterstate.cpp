#include "DictionaryFixture.h"
#include "dataset/filter/FilterCondition.h"

#include <QTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

const QStringList kWords = {"Haus=дом", "Apfel=яблоко", "Baum=дерево", "ader=жила", "Arzt=врач"};
const QString kMalformed = QStringLiteral("Deu = ");

// The message the filter language gives for a text, as the dataset must pass it on.
QString rejectionOf(const QString &text)
{
    return errorOf(
        [&] { filter::compileFilter(text, dictionary({}), filter::FilterOptions{}, "Table1"); });
}

} // namespace

class FilterStateTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void closedDataSetOnlyStores();
    void openWhileOnAppliesStoredText();
    void openWithMalformedTextFails();
    void textWhileSwitchIsOffIsOnlyStored();
    void switchingOnValidates();
    void rejectedTextIsNotStored();
    void unchangedTextValidatesNothing();
    void switchMovesToFirstRecordInEveryCase_data();
    void switchMovesToFirstRecordInEveryCase();
    void emptyTextRemovesRestriction();
    void letterFilterIgnoresCase();
    void postedRecordLeavesView();
    void insertedRecordOutsideFilterLeavesView();
    void filteredViewKeepsOrder();
    void optionsReapplyOpenFilter();
};

void FilterStateTest::initTestCase()
{
    QVERIFY(!rejectionOf(kMalformed).isEmpty());
}

void FilterStateTest::closedDataSetOnlyStores()
{
    ClientDataSet set("Table1");
    QVERIFY(!set.filtered());
    QVERIFY(set.filterCaseInsensitive());
    QVERIFY(set.filterPartialCompare());
    set.setFilter(kMalformed);
    set.setFiltered(true);
    QCOMPARE(set.filter(), kMalformed);
    QVERIFY(set.filtered());
}

void FilterStateTest::openWhileOnAppliesStoredText()
{
    ClientDataSet set("Table1");
    set.setFilter("Deu = 'A*'");
    set.setFiltered(true);
    set.openData(dictionary(kWords));
    QCOMPARE(deuColumn(set), QStringList({"Apfel", "ader", "Arzt"}));
    QCOMPARE(set.recNo(), 1);
    QCOMPARE(set.recordCount(), 3);
}

void FilterStateTest::openWithMalformedTextFails()
{
    ClientDataSet set("Table1");
    set.setFilter(kMalformed);
    set.setFiltered(true);
    QCOMPARE(errorOf([&] { set.openData(dictionary(kWords)); }), rejectionOf(kMalformed));
    QVERIFY(!set.active());
    // Switching off (closed: stored) lets the same dictionary open.
    set.setFiltered(false);
    set.openData(dictionary(kWords));
    QCOMPARE(set.recordCount(), 5);
}

void FilterStateTest::textWhileSwitchIsOffIsOnlyStored()
{
    ClientDataSet set("Table1");
    set.openData(dictionary(kWords));
    SignalLog log(set);
    set.setFilter(kMalformed);
    QCOMPARE(set.filter(), kMalformed);
    QCOMPARE(set.recordCount(), 5);
    QVERIFY(log.take().isEmpty());
}

void FilterStateTest::switchingOnValidates()
{
    ClientDataSet set("Table1");
    set.openData(dictionary(kWords));
    set.setFilter(kMalformed);
    set.setRecNo(3);
    QCOMPARE(errorOf([&] { set.setFiltered(true); }), rejectionOf(kMalformed));
    QVERIFY(!set.filtered());
    QCOMPARE(set.recordCount(), 5);
    set.setFilter("Deu = 'H*'");
    set.setFiltered(true);
    QCOMPARE(deuColumn(set), QStringList({"Haus"}));
}

void FilterStateTest::rejectedTextIsNotStored()
{
    ClientDataSet set("Table1");
    set.openData(dictionary(kWords));
    set.setFilter("Deu = 'A*'");
    set.setFiltered(true);
    set.setRecNo(2);
    SignalLog log(set);
    QCOMPARE(errorOf([&] { set.setFilter(kMalformed); }), rejectionOf(kMalformed));
    QCOMPARE(set.filter(), QString("Deu = 'A*'"));
    QVERIFY(set.filtered());
    // The grid is not refreshed: the view and the position stay.
    QVERIFY(log.take().isEmpty());
    QCOMPARE(set.recordCount(), 3);
    QCOMPARE(set.recNo(), 2);
    QCOMPARE(errorOf([&] { set.setFilter("Xyz = 'a'"); }),
             QString("Table1: Field 'Xyz' not found"));
}

void FilterStateTest::unchangedTextValidatesNothing()
{
    ClientDataSet set("Table1");
    set.openData(dictionary(kWords));
    set.setFilter("Deu = 'A*'");
    set.setFiltered(true);
    set.last();
    SignalLog log(set);
    set.setFilter("Deu = 'A*'");
    QCOMPARE(log.take(), QStringList({"current 0"}));
    // A text that differs in case only is a new text.
    set.setFilter("deu = 'a*'");
    QCOMPARE(log.take(), QStringList({"reset", "current 0"}));
}

void FilterStateTest::switchMovesToFirstRecordInEveryCase_data()
{
    QTest::addColumn<bool>("before");
    QTest::addColumn<bool>("after");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("on to on") << true << true << QStringList{"current 0"};
    QTest::newRow("off to off") << false << false << QStringList{"current 0"};
    QTest::newRow("off to on") << false << true << QStringList{"reset", "current 0"};
    QTest::newRow("on to off") << true << false << QStringList{"reset", "current 0"};
}

void FilterStateTest::switchMovesToFirstRecordInEveryCase()
{
    QFETCH(bool, before);
    QFETCH(bool, after);
    QFETCH(QStringList, expected);
    ClientDataSet set("Table1");
    set.setFilter("Deu = 'A*'");
    set.setFiltered(before);
    set.openData(dictionary(kWords));
    set.last();
    SignalLog log(set);
    set.setFiltered(after);
    QCOMPARE(log.take(), expected);
    QCOMPARE(set.recNo(), 1);
    QVERIFY(set.bof());
    QCOMPARE(set.recordCount(), after ? 3 : 5);
}

void FilterStateTest::emptyTextRemovesRestriction()
{
    ClientDataSet set("Table1");
    set.setFilter("Deu = 'A*'");
    set.setFiltered(true);
    set.openData(dictionary(kWords));
    set.setFilter(QString());
    QVERIFY(set.filtered());
    QCOMPARE(set.recordCount(), 5);
}

void FilterStateTest::letterFilterIgnoresCase()
{
    ClientDataSet set("Table1");
    set.openData(dictionary(kWords + QStringList{"Ähre=колос", "Äpfel=яблоки"}));
    set.setFiltered(true);
    set.setFilter("Deu = 'a*'");
    QCOMPARE(deuColumn(set), QStringList({"Apfel", "ader", "Arzt"}));
    set.setFilter("Deu = 'ä*'");
    QCOMPARE(deuColumn(set), QStringList({"Ähre", "Äpfel"}));
}

void FilterStateTest::postedRecordLeavesView()
{
    ClientDataSet set("Table1");
    set.setFilter("Deu = 'A*'");
    set.setFiltered(true);
    set.openData(dictionary(kWords));
    set.setRecNo(2); // ader
    SignalLog log(set);
    set.setValue(0, QString("Ader"));
    set.post(); // still passes: stays
    set.setValue(0, QString("Vene"));
    set.post(); // leaves the view
    QCOMPARE(log.take(), QStringList({"state Edit", "changed 1", "changed 1", "state Browse",
                                      "afterPost", "state Edit", "changed 1", "removed 1",
                                      "current 1", "state Browse", "afterPost"}));
    QCOMPARE(deuColumn(set), QStringList({"Apfel", "Arzt"}));
    QCOMPARE(set.text(0), QString("Arzt"));
    QCOMPARE(set.data().liveCount(), 5u);
    set.setFiltered(false);
    QCOMPARE(set.recordCount(), 5);
}

void FilterStateTest::insertedRecordOutsideFilterLeavesView()
{
    ClientDataSet set("Table1");
    set.setFilter("Deu = 'A*'");
    set.setFiltered(true);
    set.openData(dictionary(kWords));
    set.append();
    set.setValue(0, QString("Zebra"));
    set.post();
    QCOMPARE(set.recordCount(), 3);
    QCOMPARE(set.recNo(), 3);
    set.setFiltered(false);
    QCOMPARE(deuColumn(set).last(), QString("Zebra"));
}

void FilterStateTest::filteredViewKeepsOrder()
{
    ClientDataSet set("Table1");
    set.addIndex("indD", "Deu", ClientDataSet::Unique);
    set.setFilter("Deu = 'A*'");
    set.setFiltered(true);
    set.openData(dictionary(kWords));
    set.setIndexName("indD");
    QCOMPARE(deuColumn(set), QStringList({"ader", "Apfel", "Arzt"}));
    set.first();
    set.setValue(0, QString("Axt"));
    set.post();
    QCOMPARE(deuColumn(set), QStringList({"Apfel", "Arzt", "Axt"}));
    QCOMPARE(set.recNo(), 3);
}

void FilterStateTest::optionsReapplyOpenFilter()
{
    ClientDataSet set("Table1");
    set.setFilter("Deu = 'a*'");
    set.setFiltered(true);
    set.openData(dictionary(kWords));
    QCOMPARE(set.recordCount(), 3);
    set.setFilterCaseInsensitive(false);
    QCOMPARE(deuColumn(set), QStringList({"ader"}));
    set.setFilterPartialCompare(false);
    QCOMPARE(set.recordCount(), 0); // no value is "a*" itself
    set.setFilterCaseInsensitive(true);
    set.setFilterPartialCompare(true);
    QCOMPARE(set.recordCount(), 3);
}

QTEST_GUILESS_MAIN(FilterStateTest)
#include "tst_filterstate.moc"
