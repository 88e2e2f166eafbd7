#pragma once

#include <QByteArray>
#include <QString>

namespace sorvane {

/// The program's own text files (the settings file, the report): Windows-1251 when every
/// character fits, otherwise the whole file in UTF-8 behind a byte-order mark.
class TextFile {
public:
    static QByteArray encode(const QString &text);
    /// A byte-order mark decides the encoding; without one the bytes are Windows-1251.
    static QString decode(const QByteArray &bytes);
    /// Writes text whole and atomically; a refusal raises FileError::cannotCreate.
    static void write(const QString &path, const QString &text);
};

} // namespace sorvane
