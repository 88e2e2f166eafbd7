#pragma once

#include "dataset/TableData.h"

#include <QChar>
#include <QString>
#include <memory>

namespace sorvane::filter {

/// The options of a dataset's filter that change how a text is read and compared.
struct FilterOptions {
    /// "=", "<>" and LIKE of a field with a text literal ignore letter case.
    bool caseInsensitive = true;
    /// A literal ending in "*" compares only the beginning of the value.
    bool partialCompare = true;
    /// The decimal separator of numbers in the text (from the regional settings).
    QChar decimalSeparator = QLatin1Char('.');
};

/// A validated filter text: tells whether a record belongs to the view.
class FilterCondition {
public:
    virtual ~FilterCondition() = default;
    virtual bool matches(const TableData &table, RecordId id) const = 0;
};

/// Validates a filter text against the fields of a table. Returns nullptr for an empty
/// text (no restriction). A rejected text throws sorvane::Error with the message of its
/// first fault; "Field '%s' not found" carries dataSetName in front.
std::unique_ptr<FilterCondition> compileFilter(const QString &text, const TableData &table,
                                               const FilterOptions &options,
                                               const QString &dataSetName);

} // namespace sorvane::filter
