#include "system/AtomicFile.h"
#include "system/FileError.h"
#include "system/TextFile.h"
#include "system/Windows1251.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <unistd.h>

using namespace sorvane;

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestTextFile : public QObject {
    Q_OBJECT

private slots:
    void windows1251_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("fits");
        QTest::newRow("ASCII") << "CFG.ini" << QByteArray("CFG.ini") << true;
        QTest::newRow("Cyrillic") << "Отчёт" << QByteArray("\xCE\xF2\xF7\xB8\xF2") << true;
        QTest::newRow("Ё, №, euro") << "Ё№€" << QByteArray("\xA8\xB9\x88") << true;
        QTest::newRow("empty") << "" << QByteArray() << true;
        QTest::newRow("umlaut") << "Wörterbuch" << QByteArray() << false;
        QTest::newRow("sharp s") << "ß" << QByteArray() << false;
        QTest::newRow("outside the basic plane") << "😀" << QByteArray() << false;
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray() << false;
    }
    void windows1251()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, fits);
        const auto encoded = Windows1251::encode(text);
        QCOMPARE(encoded.has_value(), fits);
        QCOMPARE(Windows1251::fits(text), fits);
        if (fits) {
            QCOMPARE(*encoded, bytes);
            QCOMPARE(Windows1251::decode(bytes), text);
        }
    }

    void encodeChoosesTheEncoding_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("fits Windows-1251") << "Слово" << QByteArray("\xD1\xEB\xEE\xE2\xEE");
        QTest::newRow("UTF-8 with mark")
            << "Wörterbuch/ß.xml" << QByteArray("\xEF\xBB\xBFW\xC3\xB6rterbuch/\xC3\x9F.xml");
        QTest::newRow("mixed: the whole text in UTF-8")
            << "Ä Я" << QByteArray("\xEF\xBB\xBF\xC3\x84 \xD0\xAF");
    }
    void encodeChoosesTheEncoding()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(TextFile::encode(text), bytes);
        QCOMPARE(TextFile::decode(bytes), text);
    }

    void decodeHonoursOnlyMarks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("UTF-8 without mark is Windows-1251") << QByteArray("\xC3\xB6") << "Г¶";
        QTest::newRow("mark only") << QByteArray("\xEF\xBB\xBF") << "";
        QTest::newRow("UTF-16 LE mark") << QByteArray("\xFF\xFE\x41\x00", 4) << "A";
    }
    void decodeHonoursOnlyMarks()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(TextFile::decode(bytes), text);
    }

    void writeReplacesTheFileAndKeepsPermissions()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Отчёт.txt"));
        putFile(path, "old content that is longer than the new one");
        const auto permissions =
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
        QVERIFY(QFile::setPermissions(path, permissions));
        TextFile::write(path, QStringLiteral("Я"));
        QCOMPARE(contentOf(path), QByteArray("\xDF"));
        QCOMPARE(QFile::permissions(path) & ~QFileDevice::Permissions(0x0F00), permissions);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void refusedWriteRaisesCannotCreate()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("file"));
        putFile(blocker, "x");
        // A path below a plain file cannot be created by anyone, root included.
        const QString path = blocker + QStringLiteral("/Отчёт.txt");
        try {
            TextFile::write(path, QStringLiteral("text"));
            QFAIL("the write was not refused");
        } catch (const FileError &error) {
            const QString prefix = QStringLiteral("Cannot create file \"%1\". ").arg(path);
            QVERIFY2(error.message().startsWith(prefix), qPrintable(error.message()));
            QVERIFY(error.message().size() > prefix.size());
            QVERIFY(!error.message().endsWith(u'.'));
            QCOMPARE(error.path(), path);
        }
        QCOMPARE(contentOf(blocker), QByteArray("x"));
    }

    void readOnlyDirectoryKeepsTheOldFile()
    {
        if (geteuid() == 0)
            QSKIP("root writes into read-only directories; the refusal cannot be shown");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("CFG.ini"));
        putFile(path, "[START]\r\nCountStart=3\r\n");
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QString systemText;
        const bool written = AtomicFile::write(path, "replaced", &systemText);
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        QVERIFY(!written);
        QVERIFY(!systemText.isEmpty());
        QCOMPARE(contentOf(path), QByteArray("[START]\r\nCountStart=3\r\n"));
    }

    void fileErrorTexts_data()
    {
        QTest::addColumn<QString>("systemText");
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("create");
        QTest::newRow("plain") << "Permission denied"
                               << "Cannot open file \"/d/a.db\". Permission denied"
                               << "Cannot create file \"/d/a.db\". Permission denied";
        QTest::newRow("trailing full stop, line end")
            << "Access is denied.\r\n"
            << "Cannot open file \"/d/a.db\". Access is denied"
            << "Cannot create file \"/d/a.db\". Access is denied";
        QTest::newRow("dots and blanks") << "Broken . . "
                                         << "Cannot open file \"/d/a.db\". Broken"
                                         << "Cannot create file \"/d/a.db\". Broken";
        QTest::newRow("no system text") << ""
                                        << "Cannot open file \"/d/a.db\""
                                        << "Cannot create file \"/d/a.db\"";
    }
    void fileErrorTexts()
    {
        QFETCH(QString, systemText);
        const QString path = QStringLiteral("/d/a.db");
        QTEST(FileError::cannotOpen(path, systemText).message(), "open");
        QTEST(FileError::cannotCreate(path, systemText).message(), "create");
    }

    void fileErrorNamesTheFullPath()
    {
        const FileError error = FileError::cannotOpen(QStringLiteral("a.db"), QString());
        QCOMPARE(error.path(), QDir::current().absoluteFilePath(QStringLiteral("a.db")));
    }

    void systemTextOfErrno()
    {
        QCOMPARE(FileError::systemText(ENOENT), QStringLiteral("No such file or directory"));
        QCOMPARE(FileError::systemText(EACCES), QStringLiteral("Permission denied"));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_textfile.moc"
