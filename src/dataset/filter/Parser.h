#pragma once

#include "dataset/filter/Lexer.h"
#include "dataset/filter/NodeBuilder.h"

namespace sorvane::filter {

/// Recursive-descent reader of a filter text, one function per level of the grammar,
/// from the loosest binding to the tightest.
class Parser {
public:
    /// Nesting deeper than this, through parentheses, IN lists or function arguments, is
    /// refused with "Expression expected but %s found" at the token that opens it.
    static constexpr int kMaxDepth = 200;

    Parser(const QString &text, const TableData &table, const FilterOptions &options,
           const QString &dataSetName);

    /// The tree of the whole text, which must be one condition; throws sorvane::Error.
    NodePtr parseFilter();

private:
    NodePtr parseExpression();
    NodePtr parseConjunction();
    NodePtr parseNegation();
    NodePtr parseComparison();
    NodePtr parseInList(NodePtr operand);
    NodePtr parseSum();
    NodePtr parseProduct();
    NodePtr parsePrimary();
    NodePtr parseCall(Function function);

    void advance();
    [[noreturn]] void expected(const char *what) const;

    Lexer m_lexer;
    NodeBuilder m_builder;
    Token m_token;
    int m_depth = 0;
};

} // namespace sorvane::filter
