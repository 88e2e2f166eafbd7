#pragma once

#include "dataset/TableData.h"

#include <QString>
#include <QVariant>
#include <vector>

namespace sorvane {

/// The search behind the dataset's locate: the first record of a view, in the view's order,
/// whose value in a field begins with (or equals) a text.
class ValueSearch {
public:
    /// An empty text with partialKey finds only a value that is exactly "*", as the search
    /// boxes have always behaved; elsewhere "*" is an ordinary character.
    ValueSearch(const QString &text, bool partialKey, bool caseInsensitive);

    /// The first matching row of the view, or -1.
    int firstRow(const TableData &table, const std::vector<RecordId> &view, int field) const;

    /// The text form of a value, as the dataset shows it and a search compares it; empty
    /// for null.
    static QString textOf(const QVariant &value);

private:
    bool matches(QStringView value) const;

    QString m_text;
    bool m_prefix;
    bool m_caseInsensitive;
};

} // namespace sorvane
