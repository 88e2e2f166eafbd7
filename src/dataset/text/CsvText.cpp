#include "dataset/text/CsvText.h"

#include "dataset/text/TextTableWriter.h"

#include "dataset/packet/Utf8Text.h"
#include "dataset/packet/ValueText.h"
#include "dataset/text/TextTableBuilder.h"
#include "system/Error.h"

namespace sorvane::text {

namespace {

const QString kErrorPrefix = QStringLiteral("The CSV file cannot be read: ");

/// Reads the records of a CSV text one by one; each method is one rule of its grammar.
class CsvParser {
public:
    explicit CsvParser(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_pos == m_text.size(); }
    qsizetype line() const { return m_line; }

    // record := field { "," field } ( linebreak | end );  linebreak := CR LF | LF
    // Calls add(text, isNull) per field.
    template <typename Add> void record(Add add)
    {
        for (;;) {
            field(add);
            if (atEnd())
                return;
            const QChar c = m_text[m_pos++];
            if (c == u',')
                continue;
            if (c == u'\r' && m_pos < m_text.size() && m_text[m_pos] == u'\n')
                ++m_pos;
            else if (c != u'\n')
                fail(QStringLiteral("a carriage return without a line feed"));
            ++m_line;
            return;
        }
    }

private:
    // field := quoted | plain
    template <typename Add> void field(Add add)
    {
        if (!atEnd() && m_text[m_pos] == u'"')
            quoted(add);
        else
            plain(add);
    }

    // quoted := '"' { char | '""' } '"'
    template <typename Add> void quoted(Add add)
    {
        ++m_pos;
        m_value.clear();
        for (;;) {
            if (atEnd())
                fail(QStringLiteral("a quoted value is not closed"));
            const QChar c = m_text[m_pos++];
            if (c == u'"') {
                if (atEnd() || m_text[m_pos] != u'"')
                    break;
                ++m_pos;
            } else if (c == u'\n') {
                ++m_line;
            }
            m_value.append(c);
        }
        if (!atEnd() && m_text[m_pos] != u',' && m_text[m_pos] != u'\r' && m_text[m_pos] != u'\n')
            fail(QStringLiteral("text follows a closing quote"));
        add(QStringView(m_value), false);
    }

    // plain := { char but ',' '"' CR LF }; empty, it is null
    template <typename Add> void plain(Add add)
    {
        const qsizetype start = m_pos;
        while (!atEnd()) {
            const QChar c = m_text[m_pos];
            if (c == u',' || c == u'\r' || c == u'\n')
                break;
            if (c == u'"')
                fail(QStringLiteral("a quote inside an unquoted value"));
            ++m_pos;
        }
        add(m_text.sliced(start, m_pos - start), m_pos == start);
    }

    [[noreturn]] void fail(const QString &what) const
    {
        throw Error(QStringLiteral("%1line %2: %3").arg(kErrorPrefix).arg(m_line).arg(what));
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    qsizetype m_line = 1;
    QString m_value;
};

bool needsQuotes(QStringView text)
{
    if (text.isEmpty())
        return true;
    for (const QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
}

void appendValue(QByteArray &out, QStringView text)
{
    if (!needsQuotes(text)) {
        packet::Utf8Text::append(out, text);
        return;
    }
    out.append('"');
    qsizetype from = 0;
    for (qsizetype quote = text.indexOf(u'"'); quote >= 0; quote = text.indexOf(u'"', from)) {
        packet::Utf8Text::append(out, text.sliced(from, quote + 1 - from));
        out.append('"');
        from = quote + 1;
    }
    packet::Utf8Text::append(out, text.sliced(from));
    out.append('"');
}

const TextDialect kDialect{',', "\r\n", appendValue, ""};

} // namespace

// file := [BOM] record { record } with the header as the first record
TableData CsvText::read(const QByteArray &bytes)
{
    const QString text = TextTableBuilder::decodeUtf8(bytes, kErrorPrefix);
    if (text.isEmpty())
        throw Error(kErrorPrefix + QStringLiteral("the file is empty"));
    CsvParser parser(text);
    QStringList names;
    parser.record([&](QStringView name, bool) { names.append(name.toString()); });
    TextTableBuilder builder(names, kErrorPrefix);
    while (!parser.atEnd()) {
        const qsizetype line = parser.line();
        parser.record([&](QStringView value, bool isNull) {
            if (isNull)
                builder.addNull();
            else
                builder.addValue(value);
        });
        builder.endRow(line);
    }
    return builder.build();
}

QByteArray CsvText::write(const TableData &table)
{
    return TextTableWriter::write(table, kDialect);
}

void CsvText::appendHeader(QByteArray &out, const FieldDefs &fields)
{
    TextTableWriter::appendHeader(out, fields, kDialect);
}

void CsvText::appendRecord(QByteArray &out, const TableData &table, RecordId id)
{
    TextTableWriter::appendRecord(out, table, id, kDialect);
}

} // namespace sorvane::text
