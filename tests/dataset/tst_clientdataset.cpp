#include "DictionaryFixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace sorvane;
using namespace sorvane::test;

namespace {

const QString kClosed = QStringLiteral("Table1: Cannot perform this operation on a closed dataset");
const QString kMissing = QStringLiteral("Table1: Missing data provider or data packet");

const QStringList kWords = {"Haus=дом", "Baum=дерево", "Apfel=яблоко", "Zug=поезд", "Katze=кошка"};

void openWords(ClientDataSet &set, const QStringList &words = kWords)
{
    set.openData(dictionary(words));
}

} // namespace

class ClientDataSetTest : public QObject {
    Q_OBJECT
private slots:
    void closedDataSetRefusesOperations_data();
    void closedDataSetRefusesOperations();
    void openFailures_data();
    void openFailures();
    void openShowsFileOrderOnFirstRecord();
    void closeOfClosedDoesNothing();
    void cursorMoves();
    void setRecNoClamps();
    void fieldsByName();
    void editAndPost();
    void cancelRestoresValues();
    void valueOfWrongTypeChangesNothing();
    void insertBeforeCurrentInFileOrder();
    void appendAtEnd();
    void unchangedInsertIsDropped();
    void deleteRecord();
    void deleteCancelsInsertion();
    void checkBrowseModeBeforeMoves_data();
    void checkBrowseModeBeforeMoves();
    void refreshFails_data();
    void refreshFails();
    void locate_data();
    void locate();
    void locateInFilteredOrderedView();
    void signalsOfEditing_data();
    void signalsOfEditing();
    void signalsKeepAModelInStep();
};

void ClientDataSetTest::closedDataSetRefusesOperations_data()
{
    QTest::addColumn<std::function<void(ClientDataSet &)>>("operation");
    QTest::newRow("first") << std::function<void(ClientDataSet &)>([](auto &s) { s.first(); });
    QTest::newRow("next") << std::function<void(ClientDataSet &)>([](auto &s) { s.next(); });
    QTest::newRow("recordCount") << std::function<void(ClientDataSet &)>(
        [](auto &s) { s.recordCount(); });
    QTest::newRow("recNo") << std::function<void(ClientDataSet &)>([](auto &s) { s.recNo(); });
    QTest::newRow("locate") << std::function<void(ClientDataSet &)>(
        [](auto &s) { s.locate("Deu", "Haus", true, false); });
    QTest::newRow("value") << std::function<void(ClientDataSet &)>([](auto &s) { s.value(0); });
    QTest::newRow("edit") << std::function<void(ClientDataSet &)>([](auto &s) { s.edit(); });
    QTest::newRow("insert") << std::function<void(ClientDataSet &)>([](auto &s) { s.insert(); });
    QTest::newRow("delete") << std::function<void(ClientDataSet &)>(
        [](auto &s) { s.deleteRecord(); });
    QTest::newRow("refresh") << std::function<void(ClientDataSet &)>([](auto &s) { s.refresh(); });
    QTest::newRow("fieldIndex") << std::function<void(ClientDataSet &)>(
        [](auto &s) { s.fieldIndex("Deu"); });
}

void ClientDataSetTest::closedDataSetRefusesOperations()
{
    QFETCH(std::function<void(ClientDataSet &)>, operation);
    ClientDataSet set("Table1");
    QCOMPARE(errorOf([&] { operation(set); }), kClosed);
    // The same once it was open and is closed again.
    openWords(set);
    set.close();
    QCOMPARE(errorOf([&] { operation(set); }), kClosed);
}

void ClientDataSetTest::openFailures_data()
{
    QTest::addColumn<QString>("name"); // relative to a temporary directory; "" = no name
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("create");
    QTest::addColumn<QString>("message"); // %1 = the full path

    QTest::newRow("no file name") << QString() << QByteArray() << false << kMissing;
    QTest::newRow("missing file") << "none.db" << QByteArray() << false << kMissing;
    QTest::newRow("zero bytes") << "empty.db" << QByteArray() << true << kMissing;
    QTest::newRow("directory") << "folder" << QByteArray() << false
                               << "Cannot open file \"%1\". Is a directory";
}

void ClientDataSetTest::openFailures()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(bool, create);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = name.isEmpty() ? QString() : dir.filePath(name);
    if (create) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    if (name == "folder")
        QVERIFY(QDir(dir.path()).mkdir(name));
    ClientDataSet set("Table1");
    set.setFileName(path);
    QCOMPARE(errorOf([&] { set.open(); }), message.contains("%1") ? message.arg(path) : message);
    QVERIFY(!set.active());
    QCOMPARE(set.fileName(), path);
}

void ClientDataSetTest::openShowsFileOrderOnFirstRecord()
{
    ClientDataSet set("Table1");
    SignalLog log(set);
    openWords(set);
    QVERIFY(set.active());
    QCOMPARE(set.state(), ClientDataSet::State::Browse);
    QCOMPARE(deuColumn(set), QStringList({"Haus", "Baum", "Apfel", "Zug", "Katze"}));
    QCOMPARE(set.recNo(), 1);
    QVERIFY(set.bof());
    QCOMPARE(log.take(), QStringList({"reset", "current 0", "state Browse"}));
    set.close();
    QCOMPARE(log.take(), QStringList({"reset", "current -1", "state Inactive"}));
}

void ClientDataSetTest::closeOfClosedDoesNothing()
{
    ClientDataSet set("Table1");
    SignalLog log(set);
    set.close();
    QVERIFY(log.take().isEmpty());
    QVERIFY(!set.active());
}

void ClientDataSetTest::cursorMoves()
{
    ClientDataSet set("Table1");
    openWords(set);
    set.prior();
    QVERIFY(set.bof());
    QCOMPARE(set.recNo(), 1);
    set.next();
    QVERIFY(!set.bof() && !set.eof());
    QCOMPARE(set.text(0), QString("Baum"));
    set.last();
    QVERIFY(set.eof());
    QCOMPARE(set.recNo(), 5);
    set.next(); // stays on the last record
    QCOMPARE(set.recNo(), 5);
    QVERIFY(set.eof());
    set.first();
    QVERIFY(set.bof());
    QCOMPARE(set.text(1), QString("дом"));

    ClientDataSet empty("Table1");
    empty.openData(dictionary({}));
    QVERIFY(empty.bof() && empty.eof());
    QCOMPARE(empty.recNo(), 0);
    QCOMPARE(empty.recordCount(), 0);
    QVERIFY(empty.value(0).isNull());
    empty.setRecNo(1);
    QCOMPARE(empty.recNo(), 0);
}

void ClientDataSetTest::setRecNoClamps()
{
    ClientDataSet set("Table1");
    openWords(set);
    set.setRecNo(3);
    QCOMPARE(set.text(0), QString("Apfel"));
    set.setRecNo(99);
    QCOMPARE(set.recNo(), 5);
    set.setRecNo(0);
    QCOMPARE(set.recNo(), 1);
}

void ClientDataSetTest::fieldsByName()
{
    ClientDataSet set("Table1");
    openWords(set);
    QCOMPARE(set.fieldCount(), 2);
    QCOMPARE(set.findField("rus"), 1);
    QCOMPARE(set.findField("Xyz"), -1);
    QCOMPARE(errorOf([&] { set.fieldIndex("Xyz"); }), QString("Table1: Field 'Xyz' not found"));
    QCOMPARE(set.fieldDef(0).name, QString("Deu"));
}

void ClientDataSetTest::editAndPost()
{
    ClientDataSet set("Table1");
    openWords(set);
    set.setRecNo(2);
    set.setValue(1, QString("древо"));
    QCOMPARE(set.state(), ClientDataSet::State::Edit);
    QVERIFY(set.modified());
    QCOMPARE(set.textAt(1, 1), QString("древо"));            // the buffer is shown
    QCOMPARE(set.data().text(1, 1), QStringView(u"дерево")); // the table is not yet changed
    QVERIFY(!set.changedSinceOpen());
    set.post();
    QCOMPARE(set.state(), ClientDataSet::State::Browse);
    QVERIFY(!set.modified());
    QVERIFY(set.changedSinceOpen());
    QCOMPARE(set.data().text(1, 1), QStringView(u"древо"));
    QCOMPARE(set.recNo(), 2);
}

void ClientDataSetTest::cancelRestoresValues()
{
    ClientDataSet set("Table1");
    openWords(set);
    set.setValue(0, QString("Hütte"));
    set.cancel();
    QCOMPARE(set.state(), ClientDataSet::State::Browse);
    QCOMPARE(set.text(0), QString("Haus"));
    QVERIFY(!set.changedSinceOpen());
}

void ClientDataSetTest::valueOfWrongTypeChangesNothing()
{
    TableData table({{"Deu", FieldType::String, 20}, {"Seite", FieldType::Integer, 0}});
    const RecordId id = table.appendRecord();
    table.setText(id, 0, u"Haus");
    QVERIFY(table.setValue(id, 1, 7));
    ClientDataSet set("Table1");
    set.openData(std::move(table));
    QCOMPARE(errorOf([&] { set.setValue(1, QString("sieben")); }),
             QString("'sieben' is not a valid value for field 'Seite'"));
    QCOMPARE(set.state(), ClientDataSet::State::Browse);
    QCOMPARE(set.value(1).toLongLong(), 7);
    set.setValue(1, QString("12"));
    QCOMPARE(set.value(1).toLongLong(), 12);
    set.setValue(1, QString()); // an emptied cell clears the field
    QVERIFY(set.value(1).isNull());
}

void ClientDataSetTest::insertBeforeCurrentInFileOrder()
{
    ClientDataSet set("Table1");
    openWords(set);
    set.setRecNo(3);
    set.insert();
    QCOMPARE(set.state(), ClientDataSet::State::Insert);
    QCOMPARE(set.recordCount(), 6);
    QCOMPARE(set.recNo(), 3);
    QVERIFY(set.value(0).isNull());
    set.setValue(0, QString("Tür"));
    set.setValue(1, QString("дверь"));
    set.post();
    QCOMPARE(deuColumn(set), QStringList({"Haus", "Baum", "Tür", "Apfel", "Zug", "Katze"}));
    QCOMPARE(set.recNo(), 3);
    QCOMPARE(set.data().liveCount(), 6u);
}

void ClientDataSetTest::appendAtEnd()
{
    ClientDataSet set("Table1");
    openWords(set);
    set.append();
    QCOMPARE(set.recNo(), 6);
    set.setValue(0, QString("Öl"));
    set.post();
    QCOMPARE(deuColumn(set).last(), QString("Öl"));
    QCOMPARE(set.recNo(), 6);

    ClientDataSet empty("Table1");
    empty.openData(dictionary({}));
    empty.insert(); // an empty view takes the new record at its end
    QCOMPARE(empty.recNo(), 1);
    empty.setValue(0, QString("Eis"));
    empty.post();
    QCOMPARE(deuColumn(empty), QStringList({"Eis"}));
}

void ClientDataSetTest::unchangedInsertIsDropped()
{
    ClientDataSet set("Table1");
    openWords(set);
    set.setRecNo(2);
    set.insert();
    set.next(); // leaves the untouched new record
    QCOMPARE(set.state(), ClientDataSet::State::Browse);
    QCOMPARE(set.recordCount(), 5);
    QCOMPARE(deuColumn(set), QStringList({"Haus", "Baum", "Apfel", "Zug", "Katze"}));
    QVERIFY(!set.changedSinceOpen());
}

void ClientDataSetTest::deleteRecord()
{
    ClientDataSet set("Table1");
    openWords(set);
    set.last();
    set.deleteRecord();
    QCOMPARE(set.recordCount(), 4);
    QCOMPARE(set.text(0), QString("Zug")); // the record before the deleted last one
    QVERIFY(set.changedSinceOpen());
    set.first();
    set.setValue(0, QString("Heim"));
    set.deleteRecord(); // deleting discards the edit
    QCOMPARE(set.state(), ClientDataSet::State::Browse);
    QCOMPARE(deuColumn(set), QStringList({"Baum", "Apfel", "Zug"}));
    while (set.recordCount() > 0)
        set.deleteRecord();
    QCOMPARE(errorOf([&] { set.deleteRecord(); }),
             QString("Table1: Cannot perform this operation on an empty dataset"));
}

void ClientDataSetTest::deleteCancelsInsertion()
{
    ClientDataSet set("Table1");
    openWords(set);
    set.insert();
    set.setValue(0, QString("Neu"));
    set.deleteRecord();
    QCOMPARE(set.recordCount(), 5);
    QVERIFY(!set.changedSinceOpen());
}

void ClientDataSetTest::checkBrowseModeBeforeMoves_data()
{
    QTest::addColumn<std::function<void(ClientDataSet &)>>("operation");
    QTest::newRow("first") << std::function<void(ClientDataSet &)>([](auto &s) { s.first(); });
    QTest::newRow("prior") << std::function<void(ClientDataSet &)>([](auto &s) { s.prior(); });
    QTest::newRow("next") << std::function<void(ClientDataSet &)>([](auto &s) { s.next(); });
    QTest::newRow("last") << std::function<void(ClientDataSet &)>([](auto &s) { s.last(); });
    QTest::newRow("setRecNo") << std::function<void(ClientDataSet &)>(
        [](auto &s) { s.setRecNo(1); });
    QTest::newRow("index name") << std::function<void(ClientDataSet &)>(
        [](auto &s) { s.setIndexName("indR"); });
    QTest::newRow("field list") << std::function<void(ClientDataSet &)>(
        [](auto &s) { s.setIndexFieldNames("Deu;Rus"); });
    QTest::newRow("locate") << std::function<void(ClientDataSet &)>(
        [](auto &s) { s.locate("Deu", "Zug", true, false); });
    QTest::newRow("insert") << std::function<void(ClientDataSet &)>([](auto &s) { s.insert(); });
    QTest::newRow("filter switch")
        << std::function<void(ClientDataSet &)>([](auto &s) { s.setFiltered(true); });
}

void ClientDataSetTest::checkBrowseModeBeforeMoves()
{
    QFETCH(std::function<void(ClientDataSet &)>, operation);
    ClientDataSet set("Table1");
    set.addIndex("indR", "Rus");
    openWords(set);
    int posts = 0;
    connect(&set, &ClientDataSet::afterPost, this, [&] { ++posts; });

    // A changed record is posted first.
    set.setRecNo(2);
    set.setValue(1, QString("берёза"));
    operation(set);
    QCOMPARE(posts, 1);
    QVERIFY(set.changedSinceOpen());
    QCOMPARE(set.data().text(1, 1), QStringView(u"берёза"));
    set.checkBrowseMode(); // an insert started by the operation is left unchanged
    QCOMPARE(set.state(), ClientDataSet::State::Browse);

    // An unchanged edit is cancelled, an unchanged new record dropped.
    set.edit();
    operation(set);
    set.checkBrowseMode();
    set.append();
    operation(set);
    set.checkBrowseMode();
    QCOMPARE(posts, 1);
    QCOMPARE(set.data().liveCount(), 5u);
}

void ClientDataSetTest::refreshFails_data()
{
    QTest::addColumn<bool>("changeFirst");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing logged") << false << kMissing;
    QTest::newRow("changes logged")
        << true << QString("Table1: Must apply updates before refreshing data");
}

void ClientDataSetTest::refreshFails()
{
    QFETCH(bool, changeFirst);
    QFETCH(QString, message);
    ClientDataSet set("Table1");
    openWords(set);
    set.setRecNo(4);
    if (changeFirst) {
        set.setValue(1, QString("состав"));
    }
    QCOMPARE(errorOf([&] { set.refresh(); }), message);
    // A changed record was posted first; the data and the position stay.
    QCOMPARE(set.state(), ClientDataSet::State::Browse);
    QCOMPARE(set.recNo(), 4);
    QCOMPARE(set.text(1), changeFirst ? QString("состав") : QString("поезд"));
}

void ClientDataSetTest::locate_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("partial");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<int>("recNo"); // 0: not found, the position stays at 2

    QTest::newRow("prefix") << "Deu"
                            << "Hau" << true << false << 1;
    QTest::newRow("case counts") << "Deu"
                                 << "haus" << true << false << 0;
    QTest::newRow("case ignored") << "Deu"
                                  << "haus" << true << true << 1;
    QTest::newRow("first match in view order") << "Deu"
                                               << "Ha" << true << false << 1;
    QTest::newRow("whole value") << "Deu"
                                 << "Hau" << false << false << 0;
    QTest::newRow("whole value found") << "Rus"
                                       << "дом" << false << false << 1;
    QTest::newRow("star is ordinary") << "Deu"
                                      << "H*" << true << false << 0;
    QTest::newRow("star value") << "Deu"
                                << "*" << true << false << 6;
    QTest::newRow("empty text finds only a lone star") << "Deu" << QString() << true << false << 6;
    QTest::newRow("longer than every value") << "Deu"
                                             << "Hausboot" << true << false << 0;
    QTest::newRow("cyrillic") << "Rus"
                              << "де" << true << false << 2;
    QTest::newRow("field name in other case") << "rus"
                                              << "ко" << true << false << 5;
}

void ClientDataSetTest::locate()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(bool, partial);
    QFETCH(bool, caseInsensitive);
    QFETCH(int, recNo);
    ClientDataSet set("Table1");
    openWords(set, kWords + QStringList{"*=звезда", "Hafen=гавань", "*x=звёздочка"});
    set.setRecNo(2);
    QCOMPARE(set.locate(field, text, partial, caseInsensitive), recNo != 0);
    QCOMPARE(set.recNo(), recNo != 0 ? recNo : 2);
}

void ClientDataSetTest::locateInFilteredOrderedView()
{
    ClientDataSet set("Table1");
    set.addIndex("indR", "Rus");
    openWords(set, {"Haus=дом", "Hafen=гавань", "Hase=заяц", "Baum=дерево"});
    set.setIndexName("indR");
    QCOMPARE(deuColumn(set), QStringList({"Hafen", "Baum", "Haus", "Hase"}));
    // In Rus order the German search stops at the match that comes first in that order.
    QVERIFY(set.locate("Deu", "Ha", true, false));
    QCOMPARE(set.text(0), QString("Hafen"));
    QVERIFY(set.locate("Deu", "Hau", true, false));
    QCOMPARE(set.recNo(), 3);
    QVERIFY(!set.locate("Deu", "Hund", true, false));
    QCOMPARE(set.recNo(), 3);
    QCOMPARE(errorOf([&] { set.locate("Xyz", "a", true, false); }),
             QString("Table1: Field 'Xyz' not found"));
}

void ClientDataSetTest::signalsOfEditing_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<std::function<void(ClientDataSet &)>>("actions");
    QTest::addColumn<QStringList>("expected");

    using Actions = std::function<void(ClientDataSet &)>;
    QTest::newRow("edit in place") << QString() << Actions([](auto &s) {
        s.setRecNo(2);
        s.setValue(1, QString("ель"));
        s.post();
    }) << QStringList{"current 1", "state Edit",   "changed 1",
                      "changed 1", "state Browse", "afterPost"};
    QTest::newRow("post moves the record") << "indD" << Actions([](auto &s) {
        s.first(); // Apfel
        s.setValue(0, QString("Zwerg"));
        s.post();
    }) << QStringList{"state Edit", "changed 0",    "removed 0", "inserted 4",
                      "current 4",  "state Browse", "afterPost"};
    QTest::newRow("insert and post into order") << "indD" << Actions([](auto &s) {
        s.setRecNo(2); // Baum
        s.insert();
        s.setValue(0, QString("Ziege"));
        s.post();
    }) << QStringList{"current 1", "inserted 1", "current 1", "state Insert", "changed 1",
                      "removed 1", "inserted 4", "current 4", "state Browse", "afterPost"};
    QTest::newRow("cancelled insert") << QString() << Actions([](auto &s) {
        s.append();
        s.cancel();
    }) << QStringList{"inserted 5", "current 5", "state Insert",
                      "removed 5",  "current 4", "state Browse"};
    QTest::newRow("delete") << QString() << Actions([](auto &s) {
        s.setRecNo(3);
        s.deleteRecord();
    }) << QStringList{"current 2", "removed 2", "current 2"};
    QTest::newRow("order change") << QString() << Actions([](auto &s) {
        s.setRecNo(3); // Apfel
        s.setIndexName("indD");
    }) << QStringList{"current 2", "reset", "current 0"};
}

void ClientDataSetTest::signalsOfEditing()
{
    QFETCH(QString, index);
    QFETCH(std::function<void(ClientDataSet &)>, actions);
    QFETCH(QStringList, expected);
    ClientDataSet set("Table1");
    set.addIndex("indD", "Deu", ClientDataSet::Unique);
    set.setIndexName(index);
    openWords(set);
    SignalLog log(set);
    actions(set);
    QCOMPARE(log.take(), expected);
}

void ClientDataSetTest::signalsKeepAModelInStep()
{
    // A model that follows only the signals must hold the view's rows at every signal.
    QStringList model;
    int mismatches = 0;
    ClientDataSet set("Table1");
    set.addIndex("indD", "Deu", ClientDataSet::Unique);
    set.setFilter("Deu <> 'Zaun'");
    set.openData(dictionary(kWords));
    model = deuColumn(set);
    const auto check = [&] {
        if (model != deuColumn(set))
            ++mismatches;
    };
    connect(&set, &ClientDataSet::viewReset, this, [&] {
        model = set.active() ? deuColumn(set) : QStringList();
        if (set.active())
            check();
    });
    connect(&set, &ClientDataSet::rowInserted, this, [&](int row) {
        model.insert(row, set.textAt(row, 0));
        check();
    });
    connect(&set, &ClientDataSet::rowRemoved, this, [&](int row) {
        model.removeAt(row);
        check();
    });
    connect(&set, &ClientDataSet::rowChanged, this, [&](int row) {
        model[row] = set.textAt(row, 0);
        check();
    });

    set.setIndexName("indD");
    set.setFiltered(true);
    set.setRecNo(2);
    set.setValue(0, QString("Wolf")); // moves to the end
    set.post();
    set.insert();
    set.setValue(0, QString("Adler")); // moves to the top
    set.post();
    set.setValue(0, QString("Zaun")); // leaves the filtered view
    set.post();
    set.append();
    set.cancel();
    set.last();
    set.deleteRecord();
    QCOMPARE(mismatches, 0);
    QCOMPARE(model, QStringList({"Apfel", "Haus", "Katze", "Wolf"}));
    set.close();
    QVERIFY(model.isEmpty());
}

QTEST_GUILESS_MAIN(ClientDataSetTest)
#include "tst_clientdataset.moc"
