#include "tools/ToolFiles.h"

#include "dataset/DataSetError.h"
#include "dataset/packet/DataPacket.h"
#include "system/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

namespace sorvane::tools {

namespace {

const QString kDataSetName = QStringLiteral("Table1");

// The system's text without the trailing blanks, line ends and full stops.
QString systemText(const QString &text)
{
    qsizetype end = text.size();
    while (end > 0 && (text[end - 1].isSpace() || text[end - 1] == u'.'))
        --end;
    return text.left(end);
}

QString fileError(const char *what, const QString &path, const QString &reason)
{
    return QStringLiteral("%1 \"%2\". %3")
        .arg(QLatin1String(what), QFileInfo(path).absoluteFilePath(), systemText(reason));
}

} // namespace

QByteArray ToolFiles::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(fileError("Cannot open file", path, file.errorString()));
    return file.readAll();
}

QByteArray ToolFiles::readPacketBytes(const QString &path)
{
    if (!QFileInfo::exists(path))
        throw DataSetError(kDataSetName, QStringLiteral("Missing data provider or data packet"));
    QByteArray bytes = read(path);
    if (bytes.isEmpty())
        throw DataSetError(kDataSetName, QStringLiteral("Missing data provider or data packet"));
    return bytes;
}

TableData ToolFiles::readPacket(const QString &path)
{
    return packet::readPacket(readPacketBytes(path));
}

void ToolFiles::write(const QString &path, const QByteArray &bytes, bool force)
{
    if (!force && QFileInfo::exists(path))
        throw Error(fileError("Cannot create file", path,
                              QStringLiteral("The file exists; give --force to replace it")));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(fileError("Cannot create file", path, file.errorString()));
    file.write(bytes);
    if (!file.commit())
        throw Error(fileError("Cannot create file", path, file.errorString()));
}

void ToolFiles::writeStdout(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace sorvane::tools
