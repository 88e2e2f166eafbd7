#include "tools/ToolFiles.h"

#include "system/AtomicFile.h"

#include "dataset/DataSetError.h"
#include "dataset/packet/DataPacket.h"
#include "system/Error.h"
#include "system/FileError.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace sorvane::tools {

namespace {

const QString kDataSetName = QStringLiteral("Table1");

} // namespace

QByteArray ToolFiles::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError::cannotOpen(path, file.errorString());
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
        throw FileError::cannotCreate(
            path, QStringLiteral("The file exists; give --force to replace it"));
    AtomicFile::replace(path, bytes);
}

void ToolFiles::writeStdout(const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace sorvane::tools
