#include "dataset/packet/DataPacket.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace sorvane;

namespace {

struct Run {
    int exitCode;
    QByteArray out;
    QString err;
};

Run runTool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(SORVANE_DICT_TOOL), arguments);
    if (!process.waitForFinished(60000))
        qFatal("sorvane-dict did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QByteArray kTsv = "Deu\tRus\n"
                        "Haus\tдом\n"
                        "  Straße \t\\tулица\\n\n"
                        "\\N\t\n"
                        "C:\\\\N\t\\\\N\n"
                        "\"Ärger\" <&>\tдоса\xcc\x81да, ёж\n";

} // namespace

class DictToolTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void exportOfImportGivesBackTheSameFile_data();
    void exportOfImportGivesBackTheSameFile();
    void convertBetweenForms();
    void info();
    void existingOutputNeedsForce();
    void failures_data();
    void failures();
    void importDictd_data();
    void importDictd();
    void sampleIsWrittenByTheTool();
    void filter_data();
    void filter();
    void report_data();
    void report();

private:
    QString path(const char *name) const { return m_dir->filePath(QLatin1String(name)); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void DictToolTest::exportOfImportGivesBackTheSameFile_data()
{
    QTest::addColumn<QString>("textName");
    QTest::addColumn<QString>("packetName");
    QTest::addColumn<QByteArray>("text");

    const QByteArray csv = "Deu,Rus\r\n"
                           "Haus,дом\r\n"
                           "\"Komma, drin\",\"Zitat \"\"so\"\" hier\"\r\n"
                           "\"zwei\r\nZeilen\",\"\"\r\n"
                           ",  Blanks  \r\n"
                           "\"\",\"\"\"\"\r\n";
    for (const char *packet : {"words.db", "words.xml"}) {
        QTest::addRow("tsv, %s", packet) << "in.tsv" << packet << kTsv;
        QTest::addRow("csv, %s", packet) << "in.csv" << packet << csv;
        QTest::addRow("header only, %s", packet) << "in.tsv" << packet << QByteArray("Deu\tRus\n");
        QTest::addRow("one field with empty values, %s", packet)
            << "in.csv" << packet << QByteArray("Deu\r\n\"\"\r\n\r\nx\r\n");
    }
}

void DictToolTest::exportOfImportGivesBackTheSameFile()
{
    QFETCH(QString, textName);
    QFETCH(QString, packetName);
    QFETCH(QByteArray, text);
    const QString in = m_dir->filePath(textName);
    const QString packet = m_dir->filePath(packetName);
    const QString out = m_dir->filePath(QStringLiteral("out.") + QFileInfo(textName).suffix());
    writeAll(in, text);

    QCOMPARE(runTool({"import", in, packet}).exitCode, 0);
    const Run exported = runTool({"export", packet, out});
    QCOMPARE(exported.err, QString());
    QCOMPARE(exported.exitCode, 0);
    QCOMPARE(readAll(out), text);

    const QString again =
        m_dir->filePath(QStringLiteral("again.") + QFileInfo(packetName).suffix());
    QCOMPARE(runTool({"import", out, again}).exitCode, 0);
    QCOMPARE(readAll(again), readAll(packet));
}

void DictToolTest::convertBetweenForms()
{
    writeAll(path("in.tsv"), kTsv);
    QCOMPARE(runTool({"import", path("in.tsv"), path("a.db")}).exitCode, 0);
    QCOMPARE(runTool({"convert", path("a.db"), path("b.XML")}).exitCode, 0);
    QCOMPARE(packet::detectForm(readAll(path("b.XML"))), packet::PacketForm::Xml);
    QCOMPARE(runTool({"convert", path("b.XML"), path("c.dbf")}).exitCode, 0);
    QCOMPARE(readAll(path("c.dbf")), readAll(path("a.db")));
}

void DictToolTest::info()
{
    writeAll(path("in.tsv"), kTsv);
    QCOMPARE(runTool({"import", path("in.tsv"), path("a.xml")}).exitCode, 0);
    const Run run = runTool({"info", path("a.xml")});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("xml\nDeu\tstring\t11\nRus\tstring\t11\nrecords\t5\n"));

    QCOMPARE(runTool({"convert", path("a.xml"), path("a.db")}).exitCode, 0);
    QVERIFY(runTool({"info", path("a.db")}).out.startsWith("binary\nDeu\tstring\t11\n"));
}

void DictToolTest::existingOutputNeedsForce()
{
    writeAll(path("in.tsv"), kTsv);
    writeAll(path("out.db"), "old content");
    const Run refused = runTool({"import", path("in.tsv"), path("out.db")});
    QCOMPARE(refused.exitCode, 2);
    QCOMPARE(refused.err,
             QStringLiteral("sorvane-dict: Cannot create file \"%1\". The file exists; "
                            "give --force to replace it\n")
                 .arg(path("out.db")));
    QCOMPARE(readAll(path("out.db")), QByteArray("old content"));

    QCOMPARE(runTool({"import", "--force", path("in.tsv"), path("out.db")}).exitCode, 0);
    QCOMPARE(packet::readPacket(readAll(path("out.db"))).liveCount(), RecordId(5));
}

void DictToolTest::failures_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    // The folder of each run is only known when it runs.
    const QString dir = QStringLiteral("%DIR%/");
    const QString data = QStringLiteral(SORVANE_TEST_DATA "/");
    QTest::newRow("no command") << QStringList() << "usage: sorvane-dict";
    QTest::newRow("unknown command") << QStringList{"merge", "a", "b"} << "usage: sorvane-dict";
    QTest::newRow("missing argument") << QStringList{"import", "a.tsv"} << "usage: sorvane-dict";
    QTest::newRow("missing packet")
        << QStringList{"info", dir + "none.db"}
        << "sorvane-dict: Table1: Missing data provider or data packet\n";
    QTest::newRow("empty packet") << QStringList{"info", dir + "empty.db"}
                                  << "sorvane-dict: Table1: Missing data provider or data packet\n";
    QTest::newRow("damaged packet")
        << QStringList{"convert", data + "bad_crc.db", dir + "x.xml"}
        << "sorvane-dict: The data packet is damaged: its checksum does not match\n";
    QTest::newRow("not a packet") << QStringList{"info", dir + "text.db"}
                                  << "sorvane-dict: The file is not a dictionary data packet\n";
    QTest::newRow("missing text file")
        << QStringList{"import", dir + "none.tsv", dir + "x.db"}
        << QStringLiteral(
               "sorvane-dict: Cannot open file \"%1none.tsv\". No such file or directory\n")
               .arg(dir);
    QTest::newRow("not tsv or csv") << QStringList{"import", dir + "text.db", dir + "x.db"}
                                    << "is neither a .tsv nor a .csv file\n";
    QTest::newRow("tsv with a short row") << QStringList{"import", dir + "short.tsv", dir + "x.db"}
                                          << "sorvane-dict: The TSV file cannot be read: line 3: 1 "
                                             "values, but the header names 2 fields\n";
    QTest::newRow("no directory for the output")
        << QStringList{"convert", data + "handwritten.xml", dir + "none/x.db"}
        << QStringLiteral("sorvane-dict: Cannot create file \"%1none/x.db\". ").arg(dir);
    QTest::newRow("dictd without files")
        << QStringList{"import-dictd", dir + "none", dir + "x.db"}
        << QStringLiteral("sorvane-dict: Cannot open file \"%1none.index\".").arg(dir);
}

void DictToolTest::failures()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    arguments.replaceInStrings(QStringLiteral("%DIR%"), m_dir->path());
    message.replace(QStringLiteral("%DIR%"), m_dir->path());
    writeAll(path("empty.db"), QByteArray());
    writeAll(path("text.db"), "Deu\tRus\n");
    writeAll(path("short.tsv"), "Deu\tRus\nHaus\tдом\nBaum\n");
    const Run run = runTool(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFile::exists(path("x.db")) && !QFile::exists(path("x.xml")));
}

void DictToolTest::importDictd_data()
{
    QTest::addColumn<QString>("base");
    QTest::newRow("plain") << "tiny";
    QTest::newRow("compressed") << "tinygz";
}

void DictToolTest::importDictd()
{
    QFETCH(QString, base);
    const QString fixture = QStringLiteral(SORVANE_TEST_DATA "/dictd/") + base;
    const Run run = runTool({"import-dictd", fixture, path("d.xml")});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(runTool({"export", path("d.xml"), path("d.tsv")}).exitCode, 0);
    QCOMPARE(QString::fromUtf8(readAll(path("d.tsv"))),
             QStringLiteral("Deu\tRus\n"
                            "Abend\tвечер\n"
                            "Bank\tскамья, скамейка, лавка\n"
                            "Gott sei Dank\tслава богу\n"
                            "Straße\tулица, дорога\n"
                            "Ärger\tдосада, гнев\n"));
}

void DictToolTest::sampleIsWrittenByTheTool()
{
    const QString sample = QStringLiteral(SORVANE_SAMPLE_DATA "/sample");
    QCOMPARE(runTool({"import", sample + ".tsv", path("sample.xml")}).exitCode, 0);
    QCOMPARE(readAll(path("sample.xml")), readAll(sample + ".xml"));
    QVERIFY(packet::readPacket(readAll(sample + ".xml")).liveCount() >= 300);
}

namespace {

// A small dictionary for the view commands, in file order Haus, Baum, Straße, haus-hoch.
QString writeViewDictionary(const QString &dir)
{
    const QString tsv = dir + QStringLiteral("/view.tsv");
    writeAll(tsv, "Deu\tRus\nHaus\tдом\nBaum\tдерево\nStraße\tулица\nhaushoch\tогромный\n");
    const QString xml = dir + QStringLiteral("/view.xml");
    if (runTool({QStringLiteral("import"), tsv, xml}).exitCode != 0)
        qFatal("import failed");
    return xml;
}

} // namespace

void DictToolTest::filter_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("expression");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("letter filter, file order, case ignored")
        << QStringList() << "Deu = 'H*'" << 0
        << QByteArray("Deu\tRus\nHaus\tдом\nhaushoch\tогромный\n") << "";
    QTest::newRow("count") << QStringList{"--count"} << "Rus<>'дом'" << 0 << QByteArray("3\n")
                           << "";
    QTest::newRow("empty expression: every record")
        << QStringList{"--count"} << "" << 0 << QByteArray("4\n") << "";
    QTest::newRow("rejected: the program's message")
        << QStringList() << "Deu =" << 2 << QByteArray()
        << "sorvane-dict: Expression expected but nothing found\n";
    QTest::newRow("unknown field") << QStringList() << "Xyz = 'a'" << 2 << QByteArray()
                                   << "sorvane-dict: Table1: Field 'Xyz' not found\n";
}

void DictToolTest::filter()
{
    QFETCH(QStringList, options);
    QFETCH(QString, expression);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, out);
    QFETCH(QString, err);
    const QString xml = writeViewDictionary(m_dir->path());
    const Run run = runTool(QStringList{QStringLiteral("filter"), xml, expression} + options);
    QCOMPARE(run.err, err);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out, out);
}

void DictToolTest::report_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("expected");
    const QByteArray s8 = "        ";
    QTest::newRow("whole view in Deu;Rus order, UTF-8 for ß")
        << QStringList()
        << "\xEF\xBB\xBF" + ("Deu" + s8 + "Rus" + s8 + "\r\n") +
               ("Baum" + s8 + "дерево" + s8 + "\r\n") + ("Haus" + s8 + "дом" + s8 + "\r\n") +
               ("haushoch" + s8 + "огромный" + s8 + "\r\n") +
               ("Straße" + s8 + "улица" + s8 + "\r\n");
    QTest::newRow("filtered, Windows-1251 when it fits")
        << QStringList{"--filter", "Deu='haus'"}
        << "Deu" + s8 + "Rus" + s8 + "\r\n" + "Haus" + s8 + "\xE4\xEE\xEC" + s8 + "\r\n";
    QTest::newRow("empty view: zero bytes")
        << QStringList{"--filter", "Deu='Zug'"} << QByteArray("");
}

void DictToolTest::report()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, expected);
    const QString xml = writeViewDictionary(m_dir->path());
    const QString out = m_dir->path() + QStringLiteral("/report.txt");
    const Run run = runTool(QStringList{QStringLiteral("report"), xml, out} + options);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readAll(out), expected);
}

QTEST_GUILESS_MAIN(DictToolTest)
#include "tst_dict_tool.moc"
