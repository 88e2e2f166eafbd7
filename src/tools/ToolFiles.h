#pragma once

#include "dataset/TableData.h"

#include <QByteArray>
#include <QString>

namespace sorvane::tools {

/// The files and streams of the command-line tool, with the program's error texts.
class ToolFiles {
public:
    /// The whole file; throws "Cannot open file "…". <system text>".
    static QByteArray read(const QString &path);
    /// The bytes of a data packet file; a missing or empty file is the dataset's
    /// "Table1: Missing data provider or data packet", as in the program.
    static QByteArray readPacketBytes(const QString &path);
    /// A data packet of either form, read as readPacketBytes() reads it.
    static TableData readPacket(const QString &path);
    /// Replaces the file at once, never leaving half a file; an existing file only with
    /// force. Throws "Cannot create file "…". <system text>".
    static void write(const QString &path, const QByteArray &bytes, bool force);
    static void writeStdout(const QByteArray &bytes);
};

} // namespace sorvane::tools
