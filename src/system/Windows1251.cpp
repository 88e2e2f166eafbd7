#include "system/Windows1251.h"

#include <QStringDecoder>
#include <array>
#include <vector>

namespace sorvane {

namespace {

// The code page as two tables, made once from the platform's converter: every byte's
// character, and for every UTF-16 unit the byte that stands for it. A byte the code page
// leaves undefined takes part in neither, so encoding is lossless by construction.
struct CodePage {
    std::array<char16_t, 256> toUnicode{};
    std::vector<std::uint8_t> fromUnicode = std::vector<std::uint8_t>(0x10000, 0);
    std::vector<bool> fits = std::vector<bool>(0x10000, false);

    CodePage()
    {
        QStringDecoder decoder("windows-1251");
        for (int byte = 0; byte < 256; ++byte) {
            const char b = char(byte);
            const QString c = decoder.decode(QByteArrayView(&b, 1));
            if (c.size() != 1 || c.front() == QChar::ReplacementCharacter) {
                toUnicode[byte] = u'\uFFFD';
                continue;
            }
            const char16_t unit = c.front().unicode();
            toUnicode[byte] = unit;
            fromUnicode[unit] = std::uint8_t(byte);
            fits[unit] = true;
        }
    }
};

const CodePage &codePage()
{
    static const CodePage table;
    return table;
}

} // namespace

std::optional<QByteArray> Windows1251::encode(const QString &text)
{
    const CodePage &table = codePage();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    for (const QChar c : text) {
        if (!table.fits[c.unicode()])
            return std::nullopt;
        *out++ = char(table.fromUnicode[c.unicode()]);
    }
    return bytes;
}

QString Windows1251::decode(const QByteArray &bytes)
{
    const CodePage &table = codePage();
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char b : bytes)
        *out++ = QChar(table.toUnicode[std::uint8_t(b)]);
    return text;
}

} // namespace sorvane
