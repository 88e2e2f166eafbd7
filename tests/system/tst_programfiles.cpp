#include "system/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

using sorvane::ProgramFiles;

class TestProgramFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup() { ProgramFiles::setDirectory(QString()); }

    void filesGoBesideTheWritableExecutable()
    {
        const QString programDir = QCoreApplication::applicationDirPath();
        QCOMPARE(ProgramFiles::directory(), programDir);
        QCOMPARE(ProgramFiles::settingsPath(), programDir + QStringLiteral("/CFG.ini"));
        QCOMPARE(ProgramFiles::reportPath(), programDir + QStringLiteral("/Отчёт.txt"));
    }

    void overriddenDirectory()
    {
        QTemporaryDir dir;
        ProgramFiles::setDirectory(dir.path());
        QCOMPARE(ProgramFiles::settingsPath(), dir.filePath(QStringLiteral("CFG.ini")));
        ProgramFiles::setDirectory(QString());
        QCOMPARE(ProgramFiles::directory(), QCoreApplication::applicationDirPath());
    }

    void unusableProgramDirectoryFallsBackToConfiguration()
    {
        QTemporaryDir dir;
        const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
        QDir(config).removeRecursively();
        // A directory that does not exist cannot take the files, whoever runs the test.
        const QString chosen = ProgramFiles::chooseDirectory(dir.filePath(QStringLiteral("gone")));
        QCOMPARE(chosen, config);
        QVERIFY(QFileInfo(chosen).isDir());
        QCOMPARE(ProgramFiles::chooseDirectory(dir.path()), dir.path());
    }
};

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "tst_programfiles.moc"
