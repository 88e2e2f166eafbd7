#include "DataSetFixture.h"
#include "system/Error.h"
#include "widgets/Application.h"
#include "widgets/DataSource.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QtTest>
#include <functional>
#include <memory>

using sorvane::ClientDataSet;
using sorvane::DataSource;
using Operation = std::function<void(ClientDataSet &, DataSource &)>;
Q_DECLARE_METATYPE(Operation)

class TestDataSource : public QObject {
    Q_OBJECT

    /// The model shows exactly what the dataset's view holds.
    static void verifyMirrors(const ClientDataSet &table, const DataSource &source)
    {
        if (!table.active()) {
            QCOMPARE(source.rowCount(), 0);
            QCOMPARE(source.columnCount(), 0);
            return;
        }
        QCOMPARE(source.columnCount(), table.fieldCount());
        for (int field = 0; field < table.fieldCount(); ++field)
            QCOMPARE(source.headerData(field, Qt::Horizontal).toString(),
                     table.fieldDef(field).name);
        QCOMPARE(source.rowCount(), table.recordCount());
        for (int row = 0; row < table.recordCount(); ++row)
            for (int field = 0; field < table.fieldCount(); ++field) {
                const QModelIndex cell = source.index(row, field);
                QCOMPARE(cell.data(Qt::DisplayRole).toString(), table.textAt(row, field));
                QCOMPARE(cell.data(Qt::EditRole).toString(), table.textAt(row, field));
            }
    }

private slots:
    void columnsAreTheFieldsInFileOrder()
    {
        ClientDataSet table(QStringLiteral("Table1"));
        DataSource source;
        source.setDataSet(&table);
        QAbstractItemModelTester tester(&source,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        QCOMPARE(source.columnCount(), 0);
        table.openData(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QCOMPARE(source.columnCount(), 2);
        QCOMPARE(source.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Deu"));
        QCOMPARE(source.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Rus"));
        QCOMPARE(source.rowCount(), 4);
        QCOMPARE(source.index(0, 0).data().toString(), QStringLiteral("Haus"));
        QCOMPARE(source.index(3, 1).data().toString(), QStringLiteral("яблоко"));
        QVERIFY(source.flags(source.index(0, 0)).testFlag(Qt::ItemIsEditable));
    }

    void followsTheDataSet_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<bool>("resets");
        QTest::addColumn<int>("rows");

        QTest::newRow("edit the current record") << Operation([](ClientDataSet &t, DataSource &) {
            t.setValue(1, QStringLiteral("здание"));
        }) << false << 4;
        QTest::newRow("edit and post") << Operation([](ClientDataSet &t, DataSource &) {
            t.setValue(1, QStringLiteral("здание"));
            t.post();
        }) << false << 4;
        QTest::newRow("edit and cancel") << Operation([](ClientDataSet &t, DataSource &) {
            t.setValue(1, QStringLiteral("здание"));
            t.cancel();
        }) << false << 4;
        QTest::newRow("setData on another row") << Operation([](ClientDataSet &t, DataSource &s) {
            QVERIFY(s.setData(s.index(2, 1), QStringLiteral("кот")));
            QCOMPARE(t.recNo(), 3);
            QCOMPARE(t.state(), ClientDataSet::State::Edit);
            t.post();
        }) << false << 4;
        QTest::newRow("insert") << Operation([](ClientDataSet &t, DataSource &) {
            t.setRecNo(2);
            t.insert();
        }) << false << 5;
        QTest::newRow("insert, fill and post") << Operation([](ClientDataSet &t, DataSource &) {
            t.insert();
            t.setValue(0, QStringLiteral("Tür"));
            t.post();
        }) << false << 5;
        QTest::newRow("append") << Operation([](ClientDataSet &t, DataSource &) { t.append(); })
                                << false << 5;
        QTest::newRow("insert and cancel") << Operation([](ClientDataSet &t, DataSource &) {
            t.setRecNo(3);
            t.insert();
            t.cancel();
        }) << false << 4;
        QTest::newRow("delete") << Operation([](ClientDataSet &t, DataSource &) {
            t.setRecNo(2);
            t.deleteRecord();
        }) << false << 3;
        QTest::newRow("delete the last record") << Operation([](ClientDataSet &t, DataSource &) {
            t.last();
            t.deleteRecord();
        }) << false << 3;
        QTest::newRow("order change keeps the columns")
            << Operation([](ClientDataSet &t, DataSource &) {
                   t.setIndexFieldNames(QStringLiteral("Deu"));
                   QCOMPARE(sorvane::test::germanColumn(t),
                            QStringList({"Apfel", "Baum", "Haus", "Katze"}));
               })
            << false << 4;
        QTest::newRow("unique index, then a post that moves the record")
            << Operation([](ClientDataSet &t, DataSource &) {
                   t.addIndex(QStringLiteral("indD"), QStringLiteral("Deu"), ClientDataSet::Unique);
                   t.setIndexName(QStringLiteral("indD"));
                   t.first();
                   t.setValue(0, QStringLiteral("Zitrone"));
                   t.post();
                   QCOMPARE(sorvane::test::germanColumn(t),
                            QStringList({"Baum", "Haus", "Katze", "Zitrone"}));
               })
            << false << 4;
        QTest::newRow("filter change keeps the columns")
            << Operation([](ClientDataSet &t, DataSource &) {
                   t.setFilter(QStringLiteral("Deu = 'Haus'"));
                   t.setFiltered(true);
               })
            << false << 1;
        QTest::newRow("close") << Operation([](ClientDataSet &t, DataSource &) { t.close(); })
                               << true << 0;
        QTest::newRow("close and reopen") << Operation([](ClientDataSet &t, DataSource &) {
            t.close();
            t.openData(sorvane::test::dictionary({{"Tag", "день"}}));
        }) << true << 1;
    }
    void followsTheDataSet()
    {
        QFETCH(Operation, operation);
        QFETCH(bool, resets);
        QFETCH(int, rows);
        ClientDataSet table(QStringLiteral("Table1"));
        DataSource source;
        source.setDataSet(&table);
        QAbstractItemModelTester tester(&source,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        table.openData(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QSignalSpy resetSpy(&source, &QAbstractItemModel::modelReset);
        QSignalSpy columnsSpy(&source, &QAbstractItemModel::columnsRemoved);

        operation(table, source);
        if (QTest::currentTestFailed())
            return;

        verifyMirrors(table, source);
        QCOMPARE(source.rowCount(), rows);
        QCOMPARE(resetSpy.count() > 0, resets);
        QCOMPARE(columnsSpy.count(), 0);
    }

    void oneRecordEditSignalsOnlyThatRow()
    {
        ClientDataSet table(QStringLiteral("Table1"));
        DataSource source;
        source.setDataSet(&table);
        table.openData(sorvane::test::dictionary(sorvane::test::sampleWords()));
        table.setRecNo(3);
        QSignalSpy changed(&source, &QAbstractItemModel::dataChanged);
        table.setValue(0, QStringLiteral("Kater"));
        QVERIFY(changed.count() >= 1);
        for (const QList<QVariant> &args : changed) {
            QCOMPARE(args.at(0).toModelIndex().row(), 2);
            QCOMPARE(args.at(1).toModelIndex().row(), 2);
        }
        // The edit buffer is what the model shows before the post.
        QCOMPARE(source.index(2, 0).data().toString(), QStringLiteral("Kater"));
    }

    void writingAnUnchangedValueDoesNotStartEditing()
    {
        ClientDataSet table(QStringLiteral("Table1"));
        DataSource source;
        source.setDataSet(&table);
        table.openData(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QVERIFY(source.setData(source.index(1, 0), QStringLiteral("Baum")));
        QCOMPARE(table.recNo(), 2);
        QCOMPARE(table.state(), ClientDataSet::State::Browse);
    }

    void failedPostWhileMovingKeepsTheRecordInEditing()
    {
        ClientDataSet table(QStringLiteral("Table1"));
        DataSource source;
        source.setDataSet(&table);
        QAbstractItemModelTester tester(&source,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        table.addIndex(QStringLiteral("indD"), QStringLiteral("Deu"), ClientDataSet::Unique);
        table.setIndexName(QStringLiteral("indD"));
        table.openData(sorvane::test::dictionary(sorvane::test::sampleWords()));
        table.first();
        table.setValue(0, QStringLiteral("Baum"));
        bool refused = false;
        try {
            source.setData(source.index(3, 1), QStringLiteral("x"));
        } catch (const sorvane::Error &) {
            refused = true;
        }
        QVERIFY(refused);
        QCOMPARE(table.state(), ClientDataSet::State::Edit);
        QCOMPARE(table.recNo(), 1);
        verifyMirrors(table, source);
    }

    void losingTheDataSetEmptiesTheModel()
    {
        auto table = std::make_unique<ClientDataSet>(QStringLiteral("Table1"));
        DataSource source;
        source.setDataSet(table.get());
        QAbstractItemModelTester tester(&source,
                                        QAbstractItemModelTester::FailureReportingMode::Fatal);
        table->openData(sorvane::test::dictionary(sorvane::test::sampleWords()));
        QSignalSpy rebound(&source, &DataSource::dataSetChanged);
        table.reset();
        QCOMPARE(source.dataSet(), nullptr);
        QCOMPARE(source.rowCount(), 0);
        QCOMPARE(source.columnCount(), 0);
        QCOMPARE(rebound.count(), 1);
    }
};

int main(int argc, char **argv)
{
    sorvane::Application app(argc, argv);
    TestDataSource test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_datasource.moc"
