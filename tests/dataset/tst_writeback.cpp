#include "DictionaryFixture.h"
#include "dataset/packet/DataPacket.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace sorvane;
using namespace sorvane::test;
using namespace sorvane::packet;

namespace {

const QStringList kWords = {"Haus=дом", "Baum=дерево", "Apfel=яблоко"};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write fixture %s", qPrintable(path));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList deuOfFile(const QString &path)
{
    const TableData table = readPacket(readFile(path));
    QStringList column;
    for (RecordId id = 0; id < table.idCount(); ++id)
        column << table.text(id, 0).toString();
    return column;
}

/// A dictionary file in a temporary directory, dated an hour back so that a rewrite shows.
struct DictionaryFile {
    explicit DictionaryFile(const QString &name = QStringLiteral("words.db"),
                            PacketForm form = PacketForm::Binary)
        : path(dir.filePath(name))
    {
        writeFile(path, writePacket(dictionary(kWords), form));
        QFile file(path);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                         QFileDevice::FileModificationTime);
        stamp = QFileInfo(path).lastModified();
        content = readFile(path);
    }
    QTemporaryDir dir;
    QString path;
    QDateTime stamp;
    QByteArray content;
};

void changeFirstRecord(ClientDataSet &set)
{
    set.first();
    set.setValue(1, QString("здание"));
    set.post();
}

// Lets writes beyond a size fail with "File too large", which no permission bypasses.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

bool runsAsRoot()
{
    return ::geteuid() == 0;
}

} // namespace

class WriteBackTest : public QObject {
    Q_OBJECT
private slots:
    void formFollowsFileName_data();
    void formFollowsFileName();
    void untouchedFileIsNotRewritten_data();
    void untouchedFileIsNotRewritten();
    void hiddenRecordsAreWritten();
    void insertionsKeepTheirPlaceInTheFile();
    void deletionIsWritten();
    void fileIsNotHeldOpen();
    void damagedFileIsRefusedAndLeftAlone();
    void failedWriteKeepsOldFileAndTable();
    void vanishedDirectory();
    void directoryIsAFile();
    void lockedFile();
    void readOnlyTarget();
    void readOnlyDirectoryRewritesInPlace();
    void permissionsAndLinksAreKept();
    void ownerIsKept();
};

void WriteBackTest::formFollowsFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<PacketForm>("before");
    QTest::addColumn<PacketForm>("after");
    QTest::newRow("xml") << "words.xml" << PacketForm::Binary << PacketForm::Xml;
    QTest::newRow("upper-case XML") << "WORDS.XML" << PacketForm::Binary << PacketForm::Xml;
    QTest::newRow("db") << "words.db" << PacketForm::Xml << PacketForm::Binary;
    QTest::newRow("dbf") << "words.dbf" << PacketForm::Xml << PacketForm::Binary;
    QTest::newRow("no extension") << "words" << PacketForm::Xml << PacketForm::Binary;
}

void WriteBackTest::formFollowsFileName()
{
    QFETCH(QString, name);
    QFETCH(PacketForm, before);
    QFETCH(PacketForm, after);
    DictionaryFile file(name, before);
    ClientDataSet set("Table1");
    set.setFileName(file.path);
    set.open();
    QCOMPARE(set.recordCount(), 3);
    changeFirstRecord(set);
    set.close();
    const QByteArray written = readFile(file.path);
    QCOMPARE(detectForm(written), after);
    QCOMPARE(readPacket(written).text(0, 1), QStringView(u"здание"));
}

void WriteBackTest::untouchedFileIsNotRewritten_data()
{
    QTest::addColumn<std::function<void(ClientDataSet &)>>("actions");
    using Actions = std::function<void(ClientDataSet &)>;
    QTest::newRow("nothing") << Actions([](auto &) {});
    QTest::newRow("cancelled edit") << Actions([](auto &s) {
        s.setValue(0, QString("Hütte"));
        s.cancel();
    });
    QTest::newRow("edit left unposted")
        << Actions([](auto &s) { s.setValue(0, QString("Hütte")); });
    QTest::newRow("order, filter, moves") << Actions([](auto &s) {
        s.setIndexFieldNames("Rus");
        s.setFilter("Deu = 'B*'");
        s.setFiltered(true);
        s.last();
        s.locate("Deu", "Baum", true, false);
    });
    QTest::newRow("dropped insertion") << Actions([](auto &s) {
        s.insert();
        s.first();
    });
}

void WriteBackTest::untouchedFileIsNotRewritten()
{
    QFETCH(std::function<void(ClientDataSet &)>, actions);
    DictionaryFile file;
    ClientDataSet set("Table1");
    set.setFileName(file.path);
    set.open();
    actions(set);
    set.close();
    QCOMPARE(QFileInfo(file.path).lastModified(), file.stamp);
    QCOMPARE(readFile(file.path), file.content);
}

void WriteBackTest::hiddenRecordsAreWritten()
{
    DictionaryFile file;
    ClientDataSet set("Table1");
    set.setFileName(file.path);
    set.setFilter("Deu = 'H*'");
    set.setFiltered(true);
    set.open();
    QCOMPARE(set.recordCount(), 1);
    changeFirstRecord(set);
    set.close();
    QCOMPARE(deuOfFile(file.path), QStringList({"Haus", "Baum", "Apfel"}));
}

void WriteBackTest::insertionsKeepTheirPlaceInTheFile()
{
    DictionaryFile file;
    ClientDataSet set("Table1");
    set.setFileName(file.path);
    set.open();
    set.setRecNo(2);
    set.insert();
    set.setValue(0, QString("Tür"));
    set.post();
    set.close();
    QCOMPARE(deuOfFile(file.path), QStringList({"Haus", "Tür", "Baum", "Apfel"}));
}

void WriteBackTest::deletionIsWritten()
{
    DictionaryFile file;
    ClientDataSet set("Table1");
    set.setFileName(file.path);
    set.open();
    set.setRecNo(2);
    set.deleteRecord();
    set.close();
    QCOMPARE(deuOfFile(file.path), QStringList({"Haus", "Apfel"}));
}

void WriteBackTest::fileIsNotHeldOpen()
{
    DictionaryFile file;
    ClientDataSet set("Table1");
    set.setFileName(file.path);
    set.open();
    const QString canonical = QFileInfo(file.path).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QFileInfo &fd : fds.entryInfoList(QDir::Files | QDir::System))
        QVERIFY2(fd.symLinkTarget() != canonical, "the data file is still open");
}

void WriteBackTest::damagedFileIsRefusedAndLeftAlone()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("other.dbf");
    const QByteArray garbage("\x03not a data packet at all", 25);
    writeFile(path, garbage);
    ClientDataSet set("Table1");
    set.setFileName(path);
    QVERIFY(!errorOf([&] { set.open(); }).isEmpty());
    QVERIFY(!set.active());
    QCOMPARE(readFile(path), garbage);
}

void WriteBackTest::failedWriteKeepsOldFileAndTable()
{
    DictionaryFile file;
    ClientDataSet set("Table1");
    set.setFileName(file.path);
    set.open();
    for (int i = 0; i < 200; ++i) {
        set.append();
        set.setValue(0, QStringLiteral("Wort%1").arg(i));
        set.post();
    }
    {
        FileSizeLimit limit(rlim_t(file.content.size()));
        QCOMPARE(errorOf([&] { set.close(); }),
                 QStringLiteral("Cannot create file \"%1\". File too large").arg(file.path));
    }
    QCOMPARE(readFile(file.path), file.content);
    QVERIFY(set.active());
    QCOMPARE(set.recordCount(), 203);
    QCOMPARE(QDir(file.dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    set.close(); // the limit is gone: now it is written
    QCOMPARE(deuOfFile(file.path).size(), 203);
}

void WriteBackTest::vanishedDirectory()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("dict");
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + "/words.db";
    writeFile(path, writePacket(dictionary(kWords), PacketForm::Binary));
    ClientDataSet set("Table1");
    set.setFileName(path);
    set.open();
    changeFirstRecord(set);
    QVERIFY(QDir(folder).removeRecursively());
    QCOMPARE(errorOf([&] { set.close(); }),
             QStringLiteral("Cannot create file \"%1\". No such file or directory").arg(path));
    QVERIFY(set.active());
    QVERIFY(set.changedSinceOpen());
    QVERIFY(QDir().mkdir(folder));
    set.close();
    QCOMPARE(readPacket(readFile(path)).text(0, 1), QStringView(u"здание"));
}

void WriteBackTest::directoryIsAFile()
{
    QTemporaryDir dir;
    writeFile(dir.filePath("plain"), "x");
    const QString path = dir.filePath("plain/words.db");
    ClientDataSet set("Table1");
    set.setFileName(path);
    QCOMPARE(errorOf([&] { set.open(); }),
             QStringLiteral("Cannot open file \"%1\". Not a directory").arg(path));
    set.openData(dictionary(kWords));
    changeFirstRecord(set);
    QCOMPARE(errorOf([&] { set.close(); }),
             QStringLiteral("Cannot create file \"%1\". Not a directory").arg(path));
    QVERIFY(set.active());
    set.setFileName(dir.filePath("words.db")); // taken at the next close
    set.close();
    QCOMPARE(deuOfFile(dir.filePath("words.db")).size(), 3);
}

void WriteBackTest::lockedFile()
{
    DictionaryFile file;
    QFile other(file.path); // another program holding the file locked for writing
    QVERIFY(other.open(QIODevice::ReadWrite));
    QCOMPARE(::flock(other.handle(), LOCK_EX | LOCK_NB), 0);
    ClientDataSet set("Table1");
    set.setFileName(file.path);
    const QString busy = QString::fromLocal8Bit(std::strerror(EWOULDBLOCK));
    QCOMPARE(errorOf([&] { set.open(); }),
             QStringLiteral("Cannot open file \"%1\". %2").arg(file.path, busy));
    QVERIFY(!set.active());
    ::flock(other.handle(), LOCK_UN);
    set.open();
    changeFirstRecord(set);
    QCOMPARE(::flock(other.handle(), LOCK_EX | LOCK_NB), 0);
    QCOMPARE(errorOf([&] { set.close(); }),
             QStringLiteral("Cannot create file \"%1\". %2").arg(file.path, busy));
    QVERIFY(set.active());
    QCOMPARE(readFile(file.path), file.content);
    ::flock(other.handle(), LOCK_UN);
    set.close();
    QCOMPARE(readPacket(readFile(file.path)).text(0, 1), QStringView(u"здание"));
}

void WriteBackTest::readOnlyTarget()
{
    if (runsAsRoot())
        QSKIP("permission bits do not stop root");
    DictionaryFile file;
    QFile::setPermissions(file.path, QFile::ReadOwner);
    ClientDataSet set("Table1");
    set.setFileName(file.path);
    set.open();
    changeFirstRecord(set);
    QCOMPARE(errorOf([&] { set.close(); }),
             QStringLiteral("Cannot create file \"%1\". Permission denied").arg(file.path));
    QVERIFY(set.active());
    QCOMPARE(readFile(file.path), file.content);
}

void WriteBackTest::readOnlyDirectoryRewritesInPlace()
{
    if (runsAsRoot())
        QSKIP("permission bits do not stop root");
    DictionaryFile file;
    ClientDataSet set("Table1");
    set.setFileName(file.path);
    set.open();
    changeFirstRecord(set);
    QFile::setPermissions(file.dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    set.close();
    QFile::setPermissions(file.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(readPacket(readFile(file.path)).text(0, 1), QStringView(u"здание"));
}

void WriteBackTest::permissionsAndLinksAreKept()
{
    DictionaryFile file;
    QVERIFY(
        QFile::setPermissions(file.path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    const QString link = file.dir.filePath("link.db");
    QVERIFY(QFile::link(file.path, link));
    ClientDataSet set("Table1");
    set.setFileName(link);
    set.open();
    changeFirstRecord(set);
    set.close();
    QVERIFY(QFileInfo(link).isSymLink());
    // Owner, group and others; the "user" bits only repeat the owner's for the test's user.
    QCOMPARE(QFile::permissions(file.path) & 0x7077,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    QCOMPARE(readPacket(readFile(file.path)).text(0, 1), QStringView(u"здание"));
}

void WriteBackTest::ownerIsKept()
{
    if (!runsAsRoot())
        QSKIP("only root can give a file to another user");
    DictionaryFile file;
    QCOMPARE(::chown(QFile::encodeName(file.path).constData(), 65534, 65534), 0);
    ClientDataSet set("Table1");
    set.setFileName(file.path);
    set.open();
    changeFirstRecord(set);
    set.close();
    QCOMPARE(QFileInfo(file.path).ownerId(), 65534u);
    QCOMPARE(QFileInfo(file.path).groupId(), 65534u);
}

QTEST_GUILESS_MAIN(WriteBackTest)
#include "tst_writeback.moc"
