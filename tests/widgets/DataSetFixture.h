#pragma once

#include "dataset/ClientDataSet.h"
#include "dataset/TableData.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace sorvane::test {

using WordPairs = std::vector<std::pair<QString, QString>>;

/// A dictionary table (Deu, Rus) in memory, in the given order.
inline TableData dictionary(const WordPairs &pairs)
{
    TableData table(FieldDefs{{QStringLiteral("Deu"), FieldType::String, 40},
                              {QStringLiteral("Rus"), FieldType::String, 40}});
    for (const auto &[deu, rus] : pairs) {
        const RecordId id = table.appendRecord();
        table.setText(id, 0, deu);
        table.setText(id, 1, rus);
    }
    return table;
}

/// A dictionary of n generated pairs "w0000001" / "с0000001", …
inline TableData generatedDictionary(int n)
{
    TableData table(FieldDefs{{QStringLiteral("Deu"), FieldType::String, 40},
                              {QStringLiteral("Rus"), FieldType::String, 40}});
    table.reserve(RecordId(n), 8);
    for (int i = 0; i < n; ++i) {
        const RecordId id = table.appendRecord();
        const QString number = QStringLiteral("%1").arg(i, 7, 10, QLatin1Char('0'));
        table.setText(id, 0, QLatin1Char('w') + number);
        table.setText(id, 1, QChar(0x0441) + number);
    }
    return table;
}

inline const WordPairs &sampleWords()
{
    static const WordPairs words{{QStringLiteral("Haus"), QStringLiteral("дом")},
                                 {QStringLiteral("Baum"), QStringLiteral("дерево")},
                                 {QStringLiteral("Katze"), QStringLiteral("кошка")},
                                 {QStringLiteral("Apfel"), QStringLiteral("яблоко")}};
    return words;
}

/// The Deu column of the dataset's view, in view order.
inline QStringList germanColumn(const ClientDataSet &table)
{
    QStringList words;
    for (int row = 0; row < table.recordCount(); ++row)
        words << table.textAt(row, 0);
    return words;
}

} // namespace sorvane::test
