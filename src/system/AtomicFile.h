#pragma once

#include <QByteArray>
#include <QString>

namespace sorvane {

/// Replaces a file's content whole: the bytes go to a temporary file in the same directory,
/// are synced to the disk and then renamed over the old file, which keeps its permissions
/// and, where the system allows, its owner; a link is followed. A crash or a refusal at any
/// point leaves the old file as it was. A read-only file, or one another program holds
/// locked, is refused.
class AtomicFile {
public:
    /// What happens where the directory takes no new file but the file itself is writable.
    enum class InPlace {
        Refused, ///< the write fails
        Allowed, ///< the file is truncated and written again: the only way left
    };

    /// Throws FileError::cannotCreate with the system's reason.
    static void replace(const QString &path, const QByteArray &bytes,
                        InPlace inPlace = InPlace::Refused);

    /// As replace() with InPlace::Refused, answering instead of throwing: true when the
    /// bytes are on the disk; on refusal systemText (when given) receives the reason.
    static bool write(const QString &path, const QByteArray &bytes, QString *systemText = nullptr);
};

} // namespace sorvane
