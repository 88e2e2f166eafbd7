#pragma once

#include "dataset/TableData.h"

#include <QStringList>
#include <QStringView>
#include <vector>

namespace sorvane::text {

/// Collects the header and the values of a text table (TSV, CSV) and builds a TableData
/// of text fields, each as wide as its longest value (at least 1). The values wait in one
/// character arena, as the widths are only known at the end.
class TextTableBuilder {
public:
    /// Throws sorvane::Error (prefixed by errorPrefix) for an empty or repeated name.
    TextTableBuilder(const QStringList &names, const QString &errorPrefix);

    int fieldCount() const { return int(m_names.size()); }
    void addValue(QStringView text);
    void addNull();
    /// Ends a row; throws when it does not hold one value per field.
    void endRow(qsizetype line);

    TableData build() const;

    /// The bytes as text: strict UTF-8 after an optional byte-order mark; throws naming the
    /// line of the first bad byte.
    static QString decodeUtf8(const QByteArray &bytes, const QString &errorPrefix);

private:
    struct Value {
        std::size_t offset;
        qsizetype length; // -1 for null
    };

    QStringList m_names;
    QString m_errorPrefix;
    std::vector<char16_t> m_chars;
    std::vector<Value> m_values;
    std::vector<int> m_widths;
    qsizetype m_rowStart = 0;
};

} // namespace sorvane::text
