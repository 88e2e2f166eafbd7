#include "system/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace sorvane {

namespace {
QString &overriddenDirectory()
{
    static QString directory;
    return directory;
}
} // namespace

QString ProgramFiles::directory()
{
    if (!overriddenDirectory().isEmpty())
        return overriddenDirectory();
    return chooseDirectory(QCoreApplication::applicationDirPath());
}

QString ProgramFiles::settingsPath()
{
    return QDir(directory()).filePath(QStringLiteral("CFG.ini"));
}

QString ProgramFiles::reportPath()
{
    return QDir(directory()).filePath(QStringLiteral("Отчёт.txt"));
}

void ProgramFiles::setDirectory(const QString &directory)
{
    overriddenDirectory() = directory;
}

QString ProgramFiles::chooseDirectory(const QString &programDirectory)
{
    const QFileInfo program(programDirectory);
    if (!programDirectory.isEmpty() && program.isDir() && program.isWritable())
        return program.absoluteFilePath();
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    // A directory that cannot be made shows up as the write's own error at close.
    QDir().mkpath(config);
    return config;
}

} // namespace sorvane
