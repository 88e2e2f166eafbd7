#pragma once

#include "dataset/TableData.h"
#include "dataset/filter/ExprNode.h"
#include "dataset/filter/FilterCondition.h"
#include "dataset/filter/Token.h"

#include <QString>

namespace sorvane::filter {

/// Builds the typed expression tree for the parser: resolves field names, gives literals
/// the type of the field they are compared with, applies the type rules, and keeps what
/// is only judged once the whole text has been read.
class NodeBuilder {
public:
    NodeBuilder(const TableData &table, const FilterOptions &options, QString dataSetName);

    NodePtr field(const Token &name) const;
    NodePtr text(const Token &literal) const;
    NodePtr number(const Token &number) const;
    NodePtr null() const;
    NodePtr boolean(bool value) const;
    NodePtr function(Function function, std::vector<NodePtr> arguments) const;

    /// Starts an n-ary chain (sum, product, AND, OR) with its first operand.
    NodePtr startChain(NodeKind kind, NodePtr first) const;
    void extendArithmetic(ExprNode &chain, ArithmeticOp op, NodePtr right) const;
    void extendLogic(ExprNode &chain, NodePtr right) const;
    NodePtr negation(NodePtr operand) const;

    NodePtr comparison(NodePtr left, CompareOp op, NodePtr right);
    NodePtr like(NodePtr left, NodePtr right);
    NodePtr isNull(NodePtr operand, bool negated) const;
    NodePtr startIn(NodePtr operand) const;
    void extendIn(ExprNode &in, NodePtr element) const;

    /// The checks made after the whole text has been read, in their order.
    void finish(const ExprNode &root) const;

private:
    void adoptFieldType(const ExprNode &field, ExprNode &literal) const;
    static void join(ExprNode &parent, NodePtr child);
    static void requireValue(const ExprNode &operand);
    [[noreturn]] static void typeMismatch();

    const TableData &m_table;
    const FilterOptions m_options;
    const QString m_dataSetName;
    bool m_nullMisused = false;
};

} // namespace sorvane::filter
