#include "dataset/text/TextTableWriter.h"

#include "dataset/packet/ValueText.h"

namespace sorvane::text {

QByteArray TextTableWriter::write(const TableData &table, const TextDialect &dialect)
{
    QByteArray out;
    appendHeader(out, table.fields(), dialect);
    for (RecordId id = 0; id < table.idCount(); ++id) {
        if (!table.isDeleted(id))
            appendRecord(out, table, id, dialect);
    }
    return out;
}

void TextTableWriter::appendHeader(QByteArray &out, const FieldDefs &fields,
                                   const TextDialect &dialect)
{
    // A first name that starts with U+FEFF would be taken for a byte-order mark when read
    // again; a real mark in front keeps it.
    if (!fields.isEmpty() && fields[0].name.startsWith(QChar(0xFEFF)))
        out.append("\xEF\xBB\xBF");
    for (qsizetype f = 0; f < fields.size(); ++f) {
        if (f > 0)
            out.append(dialect.separator);
        dialect.appendValue(out, fields[f].name);
    }
    out.append(dialect.lineEnd);
}

void TextTableWriter::appendRecord(QByteArray &out, const TableData &table, RecordId id,
                                   const TextDialect &dialect)
{
    for (int f = 0; f < table.fieldCount(); ++f) {
        if (f > 0)
            out.append(dialect.separator);
        const QString text = packet::ValueText::fieldText(table, id, f);
        if (text.isNull())
            out.append(dialect.nullText);
        else
            dialect.appendValue(out, text);
    }
    out.append(dialect.lineEnd);
}

} // namespace sorvane::text
