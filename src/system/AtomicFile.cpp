#include "system/AtomicFile.h"

#include <QSaveFile>

namespace sorvane {

bool AtomicFile::write(const QString &path, const QByteArray &bytes, QString *systemText)
{
    QSaveFile file(path);
    // Without the fallback a directory that refuses the temporary file refuses the write,
    // instead of the old file being truncated and rewritten in place.
    file.setDirectWriteFallback(false);
    const bool written =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!written && systemText)
        *systemText = file.errorString();
    return written;
}

} // namespace sorvane
