#include "dataset/RecoveryCopy.h"

#include "dataset/ClientDataSet.h"
#include "dataset/packet/DataPacket.h"
#include "system/AtomicFile.h"
#include "system/Clock.h"
#include "system/ProgramFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace sorvane {

QString RecoveryCopy::save(const ClientDataSet &dataSet)
{
    const packet::PacketForm form = packet::formForFileName(dataSet.fileName());
    const QByteArray bytes = packet::writePacket(dataSet.data(), form);
    const QString name = copyName(dataSet.fileName(), Clock::now());
    for (const QString &directory : directories()) {
        const QString path = QDir(directory).absoluteFilePath(name);
        if (AtomicFile::write(path, bytes))
            return path;
    }
    return {};
}

QString RecoveryCopy::copyName(const QString &fileName, const QDateTime &when)
{
    const QFileInfo info(fileName);
    const QString base =
        info.completeBaseName().isEmpty() ? QStringLiteral("dictionary") : info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("db") : info.suffix();
    return base + QStringLiteral(".recovered-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss")) +
           QLatin1Char('.') + suffix;
}

QStringList RecoveryCopy::directories()
{
    return {ProgramFiles::directory(), QDir::tempPath()};
}

} // namespace sorvane
