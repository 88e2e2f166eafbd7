#include "system/TextFile.h"

#include "system/AtomicFile.h"
#include "system/FileError.h"
#include "system/Windows1251.h"

#include <QStringDecoder>

namespace sorvane {

QByteArray TextFile::encode(const QString &text)
{
    if (auto bytes = Windows1251::encode(text))
        return *bytes;
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

QString TextFile::decode(const QByteArray &bytes)
{
    if (const auto marked = QStringConverter::encodingForData(bytes)) {
        // The decoder skips the mark itself.
        QStringDecoder decoder(*marked);
        return decoder.decode(bytes);
    }
    return Windows1251::decode(bytes);
}

void TextFile::write(const QString &path, const QString &text)
{
    AtomicFile::replace(path, encode(text));
}

} // namespace sorvane
