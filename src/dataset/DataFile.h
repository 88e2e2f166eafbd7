#pragma once

#include <QByteArray>
#include <QString>

namespace sorvane {

/// Reading a data file whole and replacing it whole, with the file errors the user sees:
/// "Cannot open file "<path>". <system text>" and "Cannot create file "<path>". <system text>".
class DataFile {
public:
    /// The whole content; empty for a file that does not exist or has no bytes. Throws
    /// sorvane::Error when an existing file cannot be read.
    static QByteArray read(const QString &path);
    /// Replaces the file's content so that a failure leaves the old content whole: a
    /// temporary file in the same directory is written, synced and renamed over it, with
    /// the old file's permissions. Where the directory cannot take a new file but the file
    /// itself is writable, the file is rewritten in place. Throws sorvane::Error.
    static void write(const QString &path, const QByteArray &bytes);
};

} // namespace sorvane
