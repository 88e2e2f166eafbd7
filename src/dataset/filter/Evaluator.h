#pragma once

#include "dataset/TableData.h"
#include "dataset/filter/ExprNode.h"

#include <QVariant>

namespace sorvane::filter {

/// Evaluates a validated expression tree for one record.
class Evaluator {
public:
    static Truth truth(const ExprNode &node, const TableData &table, RecordId id);
    /// The value of the node; a null QVariant for null (and for an Unknown condition).
    static QVariant value(const ExprNode &node, const TableData &table, RecordId id);

private:
    static Truth compare(const ExprNode &node, const TableData &table, RecordId id);
    static Truth like(const ExprNode &node, const TableData &table, RecordId id);
    static Truth in(const ExprNode &node, const TableData &table, RecordId id);
    static QVariant arithmetic(const ExprNode &node, const TableData &table, RecordId id);
    static QVariant function(const ExprNode &node, const TableData &table, RecordId id);
};

} // namespace sorvane::filter
