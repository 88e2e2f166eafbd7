#include "DictionaryFixture.h"
#include "dataset/DictionaryCollation.h"

#include <QTest>

using namespace sorvane;
using namespace sorvane::test;

class IndexTest : public QObject {
    Q_OBJECT
private slots:
    void dictionaryOrder_data();
    void dictionaryOrder();
    void buildAgreesWithFullComparison();
    void buildsWhenSelected();
    void indexesAreKeptUpToDate();
    void manyChangesKeepEveryIndexSorted();
    void uniqueViolationKeepsEditing_data();
    void uniqueViolationKeepsEditing();
    void caseVariantsAreDifferentKeys();
    void caseInsensitiveUniqueIndex();
    void duplicatesInDataRefuseTheIndex();
    void missingFieldKeepsOrder();
    void storedOrderAppliedAtOpen();
    void fieldListOrder();
    void descendingIndex();
    void orderAndSearchOnANumberField();
    void selectingTheCurrentIndexChangesNothing();
    void currentRecordStaysCurrentOnOrderChange();
    void unknownIndexName();
};

void IndexTest::dictionaryOrder_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("letters first") << "Apfel"
                                   << "baum";
    QTest::newRow("lower before upper") << "laufen"
                                        << "Laufen";
    QTest::newRow("plain before umlaut") << "Apfel"
                                         << "Äpfel";
    QTest::newRow("umlaut filed under its letter") << "Äpfel"
                                                   << "Arzt";
    QTest::newRow("ss before sharp s") << "Strasse"
                                       << "Straße";
    QTest::newRow("sharp s as ss") << "Straße"
                                   << "Strassen";
    QTest::newRow("shorter first") << "Haus"
                                   << "Hausboot";
    QTest::newRow("yo filed under ye") << "ёлка"
                                       << "ель";
    QTest::newRow("short i is a letter") << "избушка"
                                         << "йод";
    QTest::newRow("ya last") << "эхо"
                             << "яблоко";
    QTest::newRow("stress mark after plain") << "замок"
                                             << "за\u0301мок";
    QTest::newRow("latin before cyrillic") << "zebra"
                                           << "абрикос";
    QTest::newRow("blank before letters") << "ab cd"
                                          << "abc";
    QTest::newRow("long common prefix") << "Donaudampfschiff"
                                        << "Donaudampfschifffahrt";
    QTest::newRow("ninth letter decides") << "abcdefgha"
                                          << "abcdefghb";
}

void IndexTest::dictionaryOrder()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QVERIFY(DictionaryCollation::compare(before, after) < 0);
    QVERIFY(DictionaryCollation::compare(after, before) > 0);
    QCOMPARE(DictionaryCollation::compare(before, before), 0);
    // The prefix never contradicts the full comparison.
    QVERIFY(DictionaryCollation::sortPrefix(before) <= DictionaryCollation::sortPrefix(after));
}

void IndexTest::buildAgreesWithFullComparison()
{
    // Every text of up to three characters over letters that fold, expand, mark or fall
    // outside the prefix's exact range: the build, which sorts by prefix first, must give
    // the order of the full comparison, and that order must be total.
    const QString alphabet = QString::fromUtf8("aAäÄsßeёЁжй€æ \u0301");
    QStringList words;
    for (QChar a : alphabet) {
        words << QString(a);
        for (QChar b : alphabet) {
            words << QString(a) + b;
            for (QChar c : alphabet)
                words << QString(a) + b + c;
        }
    }
    words << "aaaaaaaab"
          << "aaaaaaaaa"
          << "ssssssss"
          << "ßßßß"
          << "";
    TableData table({{"Deu", FieldType::String, 10}});
    for (const QString &w : words)
        table.setText(table.appendRecord(), 0, w);
    ClientDataSet set("Table1");
    set.addIndex("indD", "Deu", ClientDataSet::Unique);
    set.openData(std::move(table));
    set.setIndexName("indD"); // unique: no two of the texts may compare equal

    QStringList expected = words;
    std::sort(expected.begin(), expected.end(), [](const QString &a, const QString &b) {
        return DictionaryCollation::compare(a, b) < 0;
    });
    QCOMPARE(deuColumn(set), expected);
    for (int i = 1; i < expected.size(); ++i) {
        QVERIFY2(DictionaryCollation::compare(expected[i - 1], expected[i]) < 0,
                 qPrintable(expected[i - 1] + " / " + expected[i]));
        QVERIFY(DictionaryCollation::sortPrefix(expected[i - 1]) <=
                DictionaryCollation::sortPrefix(expected[i]));
    }
}

void IndexTest::buildsWhenSelected()
{
    ClientDataSet set("Table1");
    set.addIndex("indD", "Deu", ClientDataSet::Unique);
    set.addIndex("indR", "Rus");
    set.openData(dictionary({"Zug=поезд", "Ärger=досада", "Apfel=яблоко", "Bär=медведь",
                             "Baum=дерево", "ändern=изменять"}));
    set.setIndexName("indD");
    QCOMPARE(deuColumn(set), QStringList({"ändern", "Apfel", "Ärger", "Bär", "Baum", "Zug"}));
    set.setIndexName("indR");
    QCOMPARE(deuColumn(set), QStringList({"Baum", "Ärger", "ändern", "Bär", "Zug", "Apfel"}));
    QCOMPARE(set.indexName(), QString("indR"));
    set.setIndexName(QString()); // back to the file order
    QCOMPARE(deuColumn(set).first(), QString("Zug"));
}

void IndexTest::indexesAreKeptUpToDate()
{
    ClientDataSet set("Table1");
    set.addIndex("indD", "Deu", ClientDataSet::Unique);
    set.addIndex("indR", "Rus");
    set.openData(dictionary({"Haus=дом", "Baum=дерево", "Apfel=яблоко", "Zug=поезд"}));
    set.setIndexName("indR");
    set.setIndexName("indD"); // both built now
    QVERIFY(set.locate("Deu", "Apfel", false, false));
    set.setValue(0, QString("Wagen"));
    set.setValue(1, QString("вагон"));
    set.post();
    QCOMPARE(deuColumn(set), QStringList({"Baum", "Haus", "Wagen", "Zug"}));
    QCOMPARE(set.recNo(), 3);
    set.append();
    set.setValue(0, QString("Ast"));
    set.setValue(1, QString("ветка"));
    set.post();
    QCOMPARE(set.recNo(), 1);
    QVERIFY(set.locate("Deu", "Haus", false, false));
    set.deleteRecord();
    QCOMPARE(deuColumn(set), QStringList({"Ast", "Baum", "Wagen", "Zug"}));
    set.setIndexName("indR"); // not rebuilt, yet up to date
    QCOMPARE(deuColumn(set), QStringList({"Wagen", "Ast", "Baum", "Zug"}));
    QCOMPARE(set.text(0), QString("Wagen")); // the current record stays current
}

void IndexTest::manyChangesKeepEveryIndexSorted()
{
    // Random posts, insertions and deletions in one order; afterwards every built order,
    // maintained one record at a time, must still be sorted and hold every record.
    QStringList words;
    for (int i = 0; i < 150; ++i)
        words << QStringLiteral("w%1=r%2").arg(i * 7919 % 1000).arg(i % 13);
    ClientDataSet set("Table1");
    set.addIndex("indD", "Deu", ClientDataSet::Unique);
    set.addIndex("indR", "Rus");
    set.openData(dictionary(words));
    set.setIndexName("indR");
    set.setIndexFieldNames("Rus;Deu");
    set.setIndexName("indD");
    set.setIndexFieldNames("Rus;Deu"); // the field list is the order being edited

    quint32 seed = 12345;
    const auto random = [&seed](int bound) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % quint32(bound));
    };
    const QStringList syllables = {"ab", "Äb", "eß", "ё", "st", "la", "La", "u"};
    int records = words.size();
    for (int step = 0; step < 1500; ++step) {
        if (set.recordCount() > 0)
            set.setRecNo(1 + random(set.recordCount()));
        const QString deu = syllables[random(8)] + syllables[random(8)] + syllables[random(8)];
        switch (random(4)) {
        case 0:
            set.deleteRecord();
            --records;
            break;
        case 1:
            set.insert();
            ++records;
            break;
        default:
            break;
        }
        set.setValue(0, deu);
        set.setValue(1, syllables[random(8)]);
        if (!errorOf([&] { set.post(); }).isEmpty()) {
            if (set.state() == ClientDataSet::State::Insert)
                --records;
            set.cancel();
        }
    }
    QCOMPARE(set.recordCount(), records);
    const auto sorted = [&](int field, bool strictly) {
        for (int row = 1; row < set.recordCount(); ++row) {
            const int r =
                DictionaryCollation::compare(set.textAt(row - 1, field), set.textAt(row, field));
            if (r > 0 || (strictly && r == 0))
                return false;
        }
        return true;
    };
    QVERIFY(sorted(1, false));
    set.setIndexName("indD");
    QVERIFY(sorted(0, true));
    QCOMPARE(set.recordCount(), records);
    set.setIndexName("indR");
    QVERIFY(sorted(1, false));
    QCOMPARE(set.recordCount(), records);
    set.setIndexName(QString());
    QCOMPARE(set.recordCount(), records);
}

void IndexTest::uniqueViolationKeepsEditing_data()
{
    QTest::addColumn<bool>("insert");
    QTest::newRow("edit") << false;
    QTest::newRow("insert") << true;
}

void IndexTest::uniqueViolationKeepsEditing()
{
    QFETCH(bool, insert);
    ClientDataSet set("Table1");
    set.addIndex("indD", "Deu", ClientDataSet::Unique);
    set.openData(dictionary({"Haus=дом", "Baum=дерево"}));
    set.setIndexName("indD");
    int posts = 0;
    connect(&set, &ClientDataSet::afterPost, this, [&] { ++posts; });
    if (insert)
        set.append();
    else
        set.first(); // Baum
    set.setValue(0, QString("Haus"));
    QCOMPARE(errorOf([&] { set.post(); }), QString("Key violation: another record has Deu 'Haus'"));
    QCOMPARE(set.state(), insert ? ClientDataSet::State::Insert : ClientDataSet::State::Edit);
    QCOMPARE(set.text(0), QString("Haus"));
    QVERIFY(set.modified());
    QCOMPARE(posts, 0);
    QVERIFY(!set.changedSinceOpen());
    // Moving away or changing the order tries the post again and fails the same way,
    // changing nothing.
    QVERIFY(!errorOf([&] { set.next(); }).isEmpty());
    QVERIFY(!errorOf([&] { set.setIndexFieldNames("Deu;Rus"); }).isEmpty());
    QCOMPARE(set.indexName(), QString("indD"));
    QVERIFY(set.modified());
    set.setValue(0, QString("Hof"));
    set.post();
    QCOMPARE(deuColumn(set),
             insert ? QStringList({"Baum", "Haus", "Hof"}) : QStringList({"Haus", "Hof"}));
}

void IndexTest::caseVariantsAreDifferentKeys()
{
    ClientDataSet set("Table1");
    set.addIndex("indD", "Deu", ClientDataSet::Unique);
    set.openData(dictionary({"Laufen=Лауфен", "laufen=бегать"}));
    set.setIndexName("indD");
    QCOMPARE(deuColumn(set), QStringList({"laufen", "Laufen"}));
    set.append();
    set.setValue(0, QString("LAUFEN"));
    set.post();
    QCOMPARE(set.recordCount(), 3);
}

void IndexTest::caseInsensitiveUniqueIndex()
{
    ClientDataSet set("Table1");
    set.addIndex("indCI", "Deu", ClientDataSet::Unique | ClientDataSet::CaseInsensitive);
    set.openData(dictionary({"Haus=дом", "Baum=дерево"}));
    set.setIndexName("indCI");
    set.append();
    set.setValue(0, QString("HAUS"));
    QCOMPARE(errorOf([&] { set.post(); }), QString("Key violation: another record has Deu 'HAUS'"));
}

void IndexTest::duplicatesInDataRefuseTheIndex()
{
    ClientDataSet set("Table1");
    set.addIndex("indD", "Deu", ClientDataSet::Unique);
    set.addIndex("indR", "Rus");
    set.openData(dictionary({"Haus=дом", "Baum=дерево", "Haus=здание"}));
    set.setIndexName("indR");
    QCOMPARE(errorOf([&] { set.setIndexName("indD"); }),
             QString("Key violation: index 'indD' cannot be built, two records have Deu 'Haus'"));
    // Nothing is lost: the previous order stays, with every record.
    QCOMPARE(set.indexName(), QString("indR"));
    QCOMPARE(deuColumn(set), QStringList({"Baum", "Haus", "Haus"}));
    // Opened with indD selected, the file is refused as a whole.
    set.close();
    set.setIndexName("indD");
    QVERIFY(errorOf([&] {
                set.openData(dictionary({"Haus=дом", "Haus=здание"}));
            }).startsWith("Key violation"));
    QVERIFY(!set.active());
}

void IndexTest::missingFieldKeepsOrder()
{
    ClientDataSet set("Table1");
    set.addIndex("indX", "Xyz");
    set.openData(dictionary({"Haus=дом", "Baum=дерево"}));
    set.setIndexFieldNames("Rus");
    QCOMPARE(errorOf([&] { set.setIndexName("indX"); }), QString("Table1: Field 'Xyz' not found"));
    QCOMPARE(errorOf([&] { set.setIndexFieldNames("Deu;Xyz"); }),
             QString("Table1: Field 'Xyz' not found"));
    QCOMPARE(set.indexFieldNames(), QString("Rus"));
    QCOMPARE(deuColumn(set), QStringList({"Baum", "Haus"}));
}

void IndexTest::storedOrderAppliedAtOpen()
{
    ClientDataSet set("Table1");
    set.addIndex("indR", "Rus");
    set.setIndexName("indR"); // closed: only stored
    QCOMPARE(set.indexName(), QString("indR"));
    set.openData(dictionary({"Haus=дом", "Baum=дерево"}));
    QCOMPARE(deuColumn(set), QStringList({"Baum", "Haus"}));
    QCOMPARE(set.recNo(), 1);
    set.close();
    set.setIndexFieldNames("Deu;Rus");
    QCOMPARE(set.indexName(), QString());
    set.openData(dictionary({"Zug=поезд", "Baum=дерево"}));
    QCOMPARE(deuColumn(set), QStringList({"Baum", "Zug"}));
    set.close();
    // The name of an index defined nowhere fails the open, which leaves it closed.
    set.setIndexName("nowhere");
    QCOMPARE(errorOf([&] { set.openData(dictionary({"Zug=поезд"})); }),
             QString("Table1: Index 'nowhere' not found"));
    QVERIFY(!set.active());
}

void IndexTest::fieldListOrder()
{
    ClientDataSet set("Table1");
    set.openData(dictionary({"Bank=скамейка", "Bank=банк", "Bank=Банк", "Apfel=яблоко"}));
    set.setIndexFieldNames("Deu;Rus");
    QCOMPARE(set.indexFieldNames(), QString("Deu;Rus"));
    QStringList rows;
    for (int row = 0; row < set.recordCount(); ++row)
        rows << set.textAt(row, 0) + '=' + set.textAt(row, 1);
    QCOMPARE(rows, QStringList({"Apfel=яблоко", "Bank=банк", "Bank=Банк", "Bank=скамейка"}));
    // Kept up to date while it is the order.
    set.first();
    set.setValue(1, QString("апорт"));
    set.setValue(0, QString("Bank"));
    set.post();
    QCOMPARE(set.recNo(), 1);
    QCOMPARE(set.textAt(1, 1), QString("банк"));
}

void IndexTest::descendingIndex()
{
    ClientDataSet set("Table1");
    set.addIndex("down", "Deu", ClientDataSet::Descending);
    set.openData(dictionary({"Baum=дерево", "Zug=поезд", "Apfel=яблоко", "Ärger=досада"}));
    set.setIndexName("down");
    QCOMPARE(deuColumn(set), QStringList({"Zug", "Baum", "Ärger", "Apfel"}));
    set.append();
    set.setValue(0, QString("Katze"));
    set.post();
    QCOMPARE(deuColumn(set), QStringList({"Zug", "Katze", "Baum", "Ärger", "Apfel"}));
}

void IndexTest::orderAndSearchOnANumberField()
{
    TableData table({{"Deu", FieldType::String, 20}, {"Seite", FieldType::Integer, 0}});
    const QList<QVariant> pages = {10, 2, QVariant(), 33};
    for (int i = 0; i < pages.size(); ++i) {
        const RecordId id = table.appendRecord();
        table.setText(id, 0, QStringLiteral("w%1").arg(i));
        QVERIFY(table.setValue(id, 1, pages[i]));
    }
    ClientDataSet set("Table1");
    set.openData(std::move(table));
    set.setIndexFieldNames("Seite");
    QCOMPARE(deuColumn(set), QStringList({"w2", "w1", "w0", "w3"})); // null first, by number
    QVERIFY(set.locate("Seite", "3", true, false));
    QCOMPARE(set.text(0), QString("w3"));
    set.first();
    set.setValue(1, 50);
    set.post();
    QCOMPARE(set.recNo(), 4);
}

void IndexTest::selectingTheCurrentIndexChangesNothing()
{
    ClientDataSet set("Table1");
    set.addIndex("indD", "Deu", ClientDataSet::Unique);
    set.openData(dictionary({"Haus=дом", "Baum=дерево", "Zug=поезд"}));
    set.setIndexName("indD");
    set.last();
    SignalLog log(set);
    set.setIndexName("indD");
    QVERIFY(log.take().isEmpty());
    QCOMPARE(set.recNo(), 3);
    // A field list in its place, then the named index again: the order is re-applied.
    set.setIndexFieldNames("Deu");
    set.setIndexName("indD");
    QCOMPARE(log.take(), QStringList({"reset", "current 2", "reset", "current 2"}));
}

void IndexTest::currentRecordStaysCurrentOnOrderChange()
{
    ClientDataSet set("Table1");
    set.addIndex("indR", "Rus");
    set.openData(dictionary({"Haus=дом", "Baum=дерево", "Zug=поезд", "Apfel=яблоко"}));
    set.setRecNo(3);
    set.setIndexName("indR");
    QCOMPARE(set.text(0), QString("Zug"));
    QCOMPARE(set.recNo(), 3);
}

void IndexTest::unknownIndexName()
{
    ClientDataSet set("Table1");
    set.addIndex("indD", "Deu");
    QCOMPARE(errorOf([&] { set.addIndex("INDD", "Rus"); }),
             QString("Table1: Duplicate index name 'INDD'"));
    set.openData(dictionary({"Haus=дом"}));
    QCOMPARE(errorOf([&] { set.setIndexName("indQ"); }), QString("Table1: Index 'indQ' not found"));
    QCOMPARE(set.indexName(), QString());
}

QTEST_GUILESS_MAIN(IndexTest)
#include "tst_index.moc"
