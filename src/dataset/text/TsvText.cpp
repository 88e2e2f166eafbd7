#include "dataset/text/TsvText.h"

#include "dataset/text/TextTableWriter.h"

#include "dataset/packet/Utf8Text.h"
#include "dataset/packet/ValueText.h"
#include "dataset/text/TextTableBuilder.h"
#include "system/Error.h"

namespace sorvane::text {

namespace {

const QString kErrorPrefix = QStringLiteral("The TSV file cannot be read: ");

// escaped := { char | "\" ( "t" | "n" | "r" | "\" ) }
void unescape(QStringView raw, qsizetype line, QString &out)
{
    out.clear();
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (c != u'\\') {
            out.append(c);
            continue;
        }
        const QChar next = ++i < raw.size() ? raw[i] : QChar();
        if (next == u't')
            out.append(u'\t');
        else if (next == u'n')
            out.append(u'\n');
        else if (next == u'r')
            out.append(u'\r');
        else if (next == u'\\')
            out.append(u'\\');
        else
            throw Error(QStringLiteral("%1line %2: unknown escape \"\\%3\"")
                            .arg(kErrorPrefix)
                            .arg(line)
                            .arg(next.isNull() ? QString() : QString(next)));
    }
}

// header := escaped { TAB escaped }
QStringList readHeader(QStringView line)
{
    QStringList names;
    QString name;
    for (QStringView raw : line.split(u'\t')) {
        unescape(raw, 1, name);
        names.append(name);
    }
    return names;
}

// row := value { TAB value };  value := "\N" | escaped
void readRow(QStringView line, qsizetype number, TextTableBuilder &builder, QString &scratch)
{
    for (QStringView raw : line.split(u'\t')) {
        if (raw == u"\\N") {
            builder.addNull();
            continue;
        }
        unescape(raw, number, scratch);
        builder.addValue(scratch);
    }
    builder.endRow(number);
}

void appendEscaped(QByteArray &out, QStringView text)
{
    qsizetype plainFrom = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char *escape = c == u'\t'   ? "\\t"
                             : c == u'\n' ? "\\n"
                             : c == u'\r' ? "\\r"
                             : c == u'\\' ? "\\\\"
                                          : nullptr;
        if (!escape)
            continue;
        packet::Utf8Text::append(out, text.sliced(plainFrom, i - plainFrom));
        out.append(escape);
        plainFrom = i + 1;
    }
    packet::Utf8Text::append(out, text.sliced(plainFrom));
}

const TextDialect kDialect{'\t', "\n", appendEscaped, "\\N"};

} // namespace

// file := [BOM] header { LF row } [LF], a CR before a LF being part of the line end
TableData TsvText::read(const QByteArray &bytes)
{
    const QString text = TextTableBuilder::decodeUtf8(bytes, kErrorPrefix);
    if (text.isEmpty())
        throw Error(kErrorPrefix + QStringLiteral("the file is empty"));
    QList<QStringView> lines = QStringView(text).split(u'\n');
    if (text.endsWith(u'\n'))
        lines.removeLast();
    for (QStringView &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    TextTableBuilder builder(readHeader(lines.first()), kErrorPrefix);
    QString scratch;
    for (qsizetype i = 1; i < lines.size(); ++i)
        readRow(lines[i], i + 1, builder, scratch);
    return builder.build();
}

QByteArray TsvText::write(const TableData &table)
{
    return TextTableWriter::write(table, kDialect);
}

void TsvText::appendHeader(QByteArray &out, const FieldDefs &fields)
{
    TextTableWriter::appendHeader(out, fields, kDialect);
}

void TsvText::appendRecord(QByteArray &out, const TableData &table, RecordId id)
{
    TextTableWriter::appendRecord(out, table, id, kDialect);
}

} // namespace sorvane::text
