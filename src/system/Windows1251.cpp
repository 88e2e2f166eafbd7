#include "system/Windows1251.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace sorvane {

namespace {
constexpr const char *codecName = "windows-1251";
}

std::optional<QByteArray> Windows1251::encode(const QString &text)
{
    QStringEncoder encoder(codecName);
    QByteArray bytes = encoder.encode(text);
    // The converter drops some unpaired surrogates without flagging them, so only a lossless
    // round trip proves that everything fits.
    if (!encoder.isValid() || encoder.hasError() || decode(bytes) != text)
        return std::nullopt;
    return bytes;
}

QString Windows1251::decode(const QByteArray &bytes)
{
    QStringDecoder decoder(codecName);
    return decoder.decode(bytes);
}

} // namespace sorvane
