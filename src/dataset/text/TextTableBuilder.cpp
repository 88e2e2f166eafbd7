#include "dataset/text/TextTableBuilder.h"

#include "dataset/packet/Utf8Text.h"
#include "system/Error.h"

#include <algorithm>
#include <climits>

namespace sorvane::text {

TextTableBuilder::TextTableBuilder(const QStringList &names, const QString &errorPrefix)
    : m_names(names), m_errorPrefix(errorPrefix), m_widths(std::size_t(names.size()), 1)
{
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names[i].isEmpty())
            throw Error(
                QStringLiteral("%1line 1: field %2 has no name").arg(errorPrefix).arg(i + 1));
        for (qsizetype j = 0; j < i; ++j) {
            if (names[j].compare(names[i], Qt::CaseInsensitive) == 0)
                throw Error(QStringLiteral("%1line 1: field \"%2\" is named twice")
                                .arg(errorPrefix, names[i]));
        }
    }
}

void TextTableBuilder::addValue(QStringView text)
{
    const std::size_t column = (m_values.size() - std::size_t(m_rowStart));
    if (column < m_widths.size())
        m_widths[column] =
            std::max(m_widths[column], int(std::min<qsizetype>(text.size(), INT_MAX)));
    m_values.push_back({m_chars.size(), text.size()});
    m_chars.insert(m_chars.end(), text.utf16(), text.utf16() + text.size());
}

void TextTableBuilder::addNull()
{
    m_values.push_back({m_chars.size(), -1});
}

void TextTableBuilder::endRow(qsizetype line)
{
    const qsizetype count = qsizetype(m_values.size()) - m_rowStart;
    if (count != m_names.size())
        throw Error(QStringLiteral("%1line %2: %3 values, but the header names %4 fields")
                        .arg(m_errorPrefix)
                        .arg(line)
                        .arg(count)
                        .arg(m_names.size()));
    m_rowStart = qsizetype(m_values.size());
}

TableData TextTableBuilder::build() const
{
    FieldDefs fields;
    for (qsizetype i = 0; i < m_names.size(); ++i)
        fields.append({m_names[i], FieldType::String, m_widths[std::size_t(i)]});
    TableData table(fields);
    const int columns = fieldCount();
    const RecordId rows = RecordId(m_values.size() / std::size_t(columns));
    std::vector<std::size_t> chars(std::size_t(columns), 0);
    for (std::size_t i = 0; i < m_values.size(); ++i)
        chars[i % std::size_t(columns)] += std::size_t(std::max<qsizetype>(m_values[i].length, 0));
    table.reserve(rows, *std::max_element(chars.begin(), chars.end()));
    for (RecordId r = 0; r < rows; ++r) {
        const RecordId id = table.appendRecord();
        for (int f = 0; f < columns; ++f) {
            const Value &v = m_values[std::size_t(r) * std::size_t(columns) + std::size_t(f)];
            if (v.length >= 0)
                table.setText(id, f, QStringView(m_chars.data() + v.offset, v.length));
        }
    }
    return table;
}

QString TextTableBuilder::decodeUtf8(const QByteArray &bytes, const QString &errorPrefix)
{
    using packet::Utf8Text;
    const QByteArrayView body =
        bytes.startsWith("\xEF\xBB\xBF") ? QByteArrayView(bytes).sliced(3) : QByteArrayView(bytes);
    const qsizetype bad = Utf8Text::firstInvalid(body);
    if (bad >= 0)
        throw Error(QStringLiteral("%1line %2: the text is not valid UTF-8")
                        .arg(errorPrefix)
                        .arg(body.first(bad).count('\n') + 1));
    QString text(qsizetype(Utf8Text::utf16Length(body)), Qt::Uninitialized);
    Utf8Text::decode(body, reinterpret_cast<char16_t *>(text.data()));
    return text;
}

} // namespace sorvane::text
