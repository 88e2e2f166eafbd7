#pragma once

#include <QByteArray>
#include <QString>

namespace sorvane {

/// Replaces a file's content whole: the bytes go to a temporary file in the same directory,
/// are synced to the disk and then renamed over the old file, which keeps its permissions.
/// A crash or a refusal at any point leaves the old file as it was.
class AtomicFile {
public:
    /// True when the bytes are on the disk under path. On refusal, systemText (when given)
    /// receives the system's reason.
    static bool write(const QString &path, const QByteArray &bytes, QString *systemText = nullptr);
};

} // namespace sorvane
