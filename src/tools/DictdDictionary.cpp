#include "tools/DictdDictionary.h"

#include "dataset/text/TextTableBuilder.h"
#include "system/Error.h"
#include "tools/ToolFiles.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <zlib.h>

namespace sorvane::tools {

namespace {

const QString kIndexError = QStringLiteral("The dictd index is damaged: ");
// Inflating stops here: no dictionary comes near it, a crafted file could go far beyond.
constexpr qsizetype kMaxDictSize = qsizetype(1) << 30;

[[noreturn]] void indexFault(qsizetype line, const QString &what)
{
    throw Error(QStringLiteral("%1line %2: %3").arg(kIndexError).arg(line).arg(what));
}

// number := { "A"-"Z" | "a"-"z" | "0"-"9" | "+" | "/" }, base 64, most significant first
qint64 parseNumber(QByteArrayView digits, qsizetype line)
{
    static const QByteArray alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (digits.isEmpty() || digits.size() > 10)
        indexFault(line, QStringLiteral("a bad number \"%1\"").arg(QString::fromUtf8(digits)));
    qint64 n = 0;
    for (const char c : digits) {
        const qsizetype digit = alphabet.indexOf(c);
        if (digit < 0)
            indexFault(line, QStringLiteral("a bad number \"%1\"").arg(QString::fromUtf8(digits)));
        n = n * 64 + digit;
    }
    return n;
}

// headline := headword { " /" pronunciation "/" } [ " <" grammar ">" ]
QString headword(QStringView headline)
{
    qsizetype end = headline.size();
    for (const QStringView mark : {QStringView(u" /"), QStringView(u" <")}) {
        const qsizetype at = headline.indexOf(mark);
        if (at >= 0)
            end = std::min(end, at);
    }
    return headline.first(end).trimmed().toString();
}

// sense := [ number "." ] translation { ( "," | ";" ) translation } [ number "." ], where
// the trailing number starts the next sub-sense of the definition below
QString translations(QStringView senseLine)
{
    static const QRegularExpression leadingNumber(QStringLiteral("^\\s*\\d+\\.\\s*"));
    static const QRegularExpression trailingNumber(QStringLiteral("\\s+\\d+\\.\\s*$"));
    static const QRegularExpression separator(QStringLiteral("[,;]"));
    QString line = senseLine.toString();
    line.remove(leadingNumber).remove(trailingNumber);
    QStringList words;
    for (const QString &part : line.split(separator)) {
        const QString word = part.trimmed();
        if (!word.isEmpty())
            words.append(word);
    }
    return words.join(QStringLiteral(", "));
}

// entry := headline LF sense LF { definition LF }
bool readEntry(QStringView entry, QString &deu, QString &rus)
{
    const QList<QStringView> lines = entry.split(u'\n', Qt::SkipEmptyParts);
    if (lines.size() < 2)
        return false;
    deu = headword(lines[0]);
    rus = translations(lines[1]);
    return !deu.isEmpty() && !rus.isEmpty();
}

bool isDatabaseEntry(QByteArrayView headword)
{
    return headword.startsWith("00database") || headword.startsWith("00-database");
}

} // namespace

TableData DictdDictionary::read(const QString &base)
{
    const QByteArray index = ToolFiles::read(base + QStringLiteral(".index"));
    const QString compressed = base + QStringLiteral(".dict.dz");
    if (QFileInfo::exists(compressed))
        return fromIndex(index, gunzip(ToolFiles::read(compressed)));
    return fromIndex(index, ToolFiles::read(base + QStringLiteral(".dict")));
}

// index := { headword TAB offset TAB length LF }
TableData DictdDictionary::fromIndex(const QByteArray &index, const QByteArray &dict)
{
    text::TextTableBuilder builder({QStringLiteral("Deu"), QStringLiteral("Rus")}, kIndexError);
    QSet<QString> seen;
    qsizetype lineNumber = 0;
    for (QByteArray line : index.split('\n')) {
        ++lineNumber;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const QList<QByteArray> parts = line.split('\t');
        if (parts.size() < 3)
            indexFault(lineNumber,
                       QStringLiteral("it does not hold a headword, offset and length"));
        if (isDatabaseEntry(parts[0]))
            continue;
        const qint64 offset = parseNumber(parts[1], lineNumber);
        const qint64 length = parseNumber(parts[2], lineNumber);
        if (offset > dict.size() || length > dict.size() - offset)
            indexFault(lineNumber,
                       QStringLiteral("the entry lies beyond the end of the dictionary"));
        QString deu, rus;
        if (!readEntry(QString::fromUtf8(dict.sliced(offset, length)), deu, rus) ||
            seen.contains(deu))
            continue;
        seen.insert(deu);
        builder.addValue(deu);
        builder.addValue(rus);
        builder.endRow(lineNumber);
    }
    return builder.build();
}

QByteArray DictdDictionary::gunzip(const QByteArray &compressed)
{
    z_stream stream{};
    // 16 + MAX_WBITS: a gzip header and trailer around the deflate data.
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        throw Error(QStringLiteral("The compressed dictionary cannot be read"));
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.constData()));
    stream.avail_in = uInt(compressed.size());
    QByteArray out;
    int result = Z_OK;
    while (result == Z_OK) {
        if (out.size() >= kMaxDictSize)
            break;
        const qsizetype done = out.size();
        out.resize(done + std::max<qsizetype>(compressed.size() * 4, 1 << 16));
        stream.next_out = reinterpret_cast<Bytef *>(out.data() + done);
        stream.avail_out = uInt(out.size() - done);
        result = inflate(&stream, Z_NO_FLUSH);
        out.resize(out.size() - qsizetype(stream.avail_out));
    }
    inflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw Error(QStringLiteral("The compressed dictionary is damaged"));
    return out;
}

} // namespace sorvane::tools
