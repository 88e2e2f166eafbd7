#include "SorvaneFixture.h"

#include "widgets/DBGrid.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

using namespace sorvane;
using namespace sorvane::test;

namespace {

const Pairs kWords = {{QStringLiteral("Haus"), QStringLiteral("дом")},
                      {QStringLiteral("Baum"), QStringLiteral("дерево")},
                      {QStringLiteral("Dorf"), QStringLiteral("деревня")}};

// Answers the open dialog with a file, or cancels it when the path is empty; then captures
// the text of the message box that follows, if any.
std::shared_ptr<QString> answerOpenDialog(const QString &path)
{
    auto message = std::make_shared<QString>(QStringLiteral("<no box>"));
    answerNextModal([path, message](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            // Typed into the name box, as a user would; the dialog lets a missing file through.
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(path);
            static_cast<QDialog *>(dialog)->accept(); // the file dialog's own accept()
        }
        // Only now, with the dialog hidden, can the next modal widget be the message box.
        answerNextModal([message](QWidget *next) {
            auto *box = qobject_cast<QMessageBox *>(next);
            *message = box ? box->text() : QStringLiteral("<not a message box>");
            next->close();
        });
    });
    return message;
}

QStringList deuColumn(const TSorvane &window)
{
    QStringList words;
    ClientDataSet &table = *window.Table1;
    for (int row = 0; row < table.recordCount(); ++row)
        words << table.textAt(row, 0);
    return words;
}

} // namespace

// The dictionary in the window: opening, the count text, editing and writing it back.
class TestDictionary : public QObject {
    Q_OBJECT

private slots:
    void openCancelledWithoutAFile()
    {
        SorvaneFixture fixture;
        auto window = fixture.start();
        auto message = answerOpenDialog(QString());
        window->Button1->click();
        QTRY_COMPARE(*message, QStringLiteral("Table1: Missing data provider or data packet."));
        QVERIFY(!window->Table1->active());
        QCOMPARE(SorvaneFixture::panelText(*window, 0), QString());
    }

    void openErrors_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file")
            << "missing.db" << QByteArray() << "Table1: Missing data provider or data packet.";
        QTest::newRow("zero bytes")
            << "empty.db" << QByteArray("") << "Table1: Missing data provider or data packet.";
    }
    void openErrors()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        SorvaneFixture fixture;
        const QString path = fixture.path(file);
        if (!content.isNull())
            QVERIFY(AtomicFile::write(path, content));
        auto window = fixture.start();
        auto shown = answerOpenDialog(path);
        window->Button1->click();
        QTRY_COMPARE(*shown, message);
        QVERIFY(!window->Table1->active());
        QCOMPARE(window->Table1->fileName(), path);
    }

    void openADamagedFileNamesTheProblem()
    {
        SorvaneFixture fixture;
        const QString path = fixture.path(QStringLiteral("words.dbf"));
        QVERIFY(AtomicFile::write(path, QByteArray("dBASE III table, not a dictionary")));
        auto window = fixture.start();
        auto shown = answerOpenDialog(path);
        window->Button1->click();
        QTRY_VERIFY(*shown != QStringLiteral("<no box>"));
        QVERIFY(!shown->startsWith(QStringLiteral("Table1:")));
        QVERIFY(!window->Table1->active());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("dBASE III table, not a dictionary"));
    }

    void openShowsTheFileOrderAndTheCount()
    {
        SorvaneFixture fixture;
        const QString path = fixture.writeDictionary(QStringLiteral("words.xml"), kWords);
        auto window = fixture.start();
        const int widthBefore = window->DBGrid1->columnWidth(0);
        answerOpenDialog(path);
        window->Button1->click();
        QTRY_VERIFY(window->Table1->active());
        QCOMPARE(deuColumn(*window), QStringList({QStringLiteral("Haus"), QStringLiteral("Baum"),
                                                  QStringLiteral("Dorf")}));
        QCOMPARE(window->Table1->recNo(), 1);
        QCOMPARE(SorvaneFixture::panelText(*window, 0),
                 QStringLiteral("Количество записей равно 3"));
        QCOMPARE(window->DBGrid1->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("Rus"));
        Q_UNUSED(widthBefore);
    }

    void postUpdatesTheCountDeleteDoesNot()
    {
        SorvaneFixture fixture;
        const QString path = fixture.writeDictionary(QStringLiteral("words.db"), kWords);
        fixture.writeSettings(QStringLiteral("[TABLE]\r\nWT=%1\r\n").arg(path));
        auto window = fixture.start();
        ClientDataSet &table = *window->Table1;
        QCOMPARE(SorvaneFixture::panelText(*window, 0),
                 QStringLiteral("Количество записей равно 3"));
        table.append();
        table.setValue(0, QStringLiteral("Zug"));
        table.setValue(1, QStringLiteral("поезд"));
        table.post();
        QCOMPARE(SorvaneFixture::panelText(*window, 0),
                 QStringLiteral("Количество записей равно 4"));
        table.deleteRecord();
        QCOMPARE(table.recordCount(), 3);
        QCOMPARE(SorvaneFixture::panelText(*window, 0),
                 QStringLiteral("Количество записей равно 4"));
    }

    void startReopensTheRememberedDictionaryInGermanOrder()
    {
        SorvaneFixture fixture;
        const QString path = fixture.writeDictionary(QStringLiteral("words.db"), kWords);
        fixture.writeSettings(
            QStringLiteral("[TABLE]\r\nWT=%1\r\n[MAIN]\r\nFormWidth=800\r\n").arg(path));
        auto window = fixture.start();
        QVERIFY(window->Table1->active());
        QCOMPARE(window->Table1->indexName(), QStringLiteral("indD"));
        QCOMPARE(deuColumn(*window), QStringList({QStringLiteral("Baum"), QStringLiteral("Dorf"),
                                                  QStringLiteral("Haus")}));
        QCOMPARE(window->Table1->recNo(), 1);
        QCOMPARE(window->DBGrid1->columnWidth(0), 365);
        QCOMPARE(window->DBGrid1->columnWidth(1), 365);
    }

    void aRememberedFileThatCannotBeReadStillShowsTheWindow()
    {
        SorvaneFixture fixture;
        const QString path = fixture.path(QStringLiteral("broken.db"));
        QVERIFY(AtomicFile::write(path, QByteArray("garbage")));
        fixture.writeSettings(QStringLiteral("[TABLE]\r\nWT=%1\r\n").arg(path));
        auto shown = captureNextMessage();
        auto window = fixture.start();
        QVERIFY(*shown != QStringLiteral("<no box>"));
        QVERIFY(window->isVisible());
        QVERIFY(!window->Table1->active());
        QCOMPARE(SorvaneFixture::panelText(*window, 0), QString());
    }

    void writeBackAtTheEnd_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<packet::PacketForm>("form");
        QTest::newRow("xml") << "words.xml" << packet::PacketForm::Xml;
        QTest::newRow("XML in capitals") << "WORDS.XML" << packet::PacketForm::Xml;
        QTest::newRow("db") << "words.db" << packet::PacketForm::Binary;
        QTest::newRow("dbf") << "words.dbf" << packet::PacketForm::Binary;
    }
    void writeBackAtTheEnd()
    {
        QFETCH(QString, file);
        QFETCH(packet::PacketForm, form);
        SorvaneFixture fixture;
        // Written in the other form first: the name decides the form written back.
        const QString path = fixture.writeDictionary(file, kWords);
        {
            TableData other = packet::readPacket([&] {
                QFile f(path);
                f.open(QIODevice::ReadOnly);
                return f.readAll();
            }());
            const auto otherForm = form == packet::PacketForm::Xml ? packet::PacketForm::Binary
                                                                   : packet::PacketForm::Xml;
            QVERIFY(AtomicFile::write(path, packet::writePacket(other, otherForm)));
        }
        fixture.writeSettings(QStringLiteral("[TABLE]\r\nWT=%1\r\n").arg(path));
        {
            auto window = fixture.start();
            window->Table1->edit();
            window->Table1->setValue(1, QStringLiteral("здание"));
            window->Table1->post();
            window->close();
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(packet::detectForm(bytes), form);
        const TableData back = packet::readPacket(bytes);
        QStringList rus;
        for (RecordId id = 0; id < back.idCount(); ++id)
            rus << back.text(id, 1).toString();
        QVERIFY(rus.contains(QStringLiteral("здание")));
        QCOMPARE(back.liveCount(), RecordId(3));
    }

    void anUnchangedDictionaryIsNotRewritten()
    {
        SorvaneFixture fixture;
        const QString path = fixture.writeDictionary(QStringLiteral("words.db"), kWords);
        const QDateTime stamp = QDateTime::currentDateTime().addSecs(-3600);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(stamp, QFileDevice::FileModificationTime));
        }
        fixture.writeSettings(QStringLiteral("[TABLE]\r\nWT=%1\r\n").arg(path));
        {
            auto window = fixture.start();
            window->Table1->last();
            window->close();
        }
        QCOMPARE(QFileInfo(path).lastModified().toSecsSinceEpoch(), stamp.toSecsSinceEpoch());
    }

    void aFailedWriteBackAtTheEndKeepsARecoveryCopy()
    {
        SorvaneFixture fixture;
        const QString dir = fixture.path(QStringLiteral("gone"));
        QVERIFY(QDir().mkpath(dir));
        const QString path = QDir(dir).filePath(QStringLiteral("words.xml"));
        QVERIFY(AtomicFile::write(
            path, packet::writePacket(TableData({{QStringLiteral("Deu"), FieldType::String, 9},
                                                 {QStringLiteral("Rus"), FieldType::String, 9}}),
                                      packet::PacketForm::Xml)));
        fixture.writeSettings(QStringLiteral("[TABLE]\r\nWT=%1\r\n").arg(path));
        auto window = fixture.start();
        window->Table1->append();
        window->Table1->setValue(0, QStringLiteral("Zug"));
        window->Table1->post();
        window->close();
        // The dictionary's directory disappears before the end of the program.
        QVERIFY(QDir(dir).removeRecursively());
        auto shown = captureMessages(2);
        window.reset();
        QCOMPARE(shown->size(), 2);
        QVERIFY2(shown->at(0).startsWith(QStringLiteral("Cannot create file \"") + path),
                 qPrintable(shown->at(0)));
        QVERIFY(shown->at(1).contains(fixture.path(QStringLiteral("words.recovered-"))));
        const QStringList copies =
            QDir(fixture.path(QString()))
                .entryList({QStringLiteral("words.recovered-*.xml")}, QDir::Files);
        QCOMPARE(copies.size(), 1);
        QFile copy(fixture.path(copies.first()));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        const TableData saved = packet::readPacket(copy.readAll());
        QCOMPARE(saved.liveCount(), RecordId(1));
        QCOMPARE(saved.text(0, 0).toString(), QStringLiteral("Zug"));
    }
};

QTEST_MAIN(TestDictionary)
#include "tst_dictionary.moc"
