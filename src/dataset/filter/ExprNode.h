#pragma once

#include "dataset/filter/LikePattern.h"
#include "dataset/filter/TextMatcher.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <vector>

namespace sorvane::filter {

/// The type of a value while a filter is read and evaluated.
enum class ValueType { Null, Boolean, Number, Text, Date, Time, DateTime };

/// The outcome of a condition for one record: a comparison with a null value is Unknown,
/// and only True keeps the record.
enum class Truth : std::uint8_t { False, True, Unknown };

enum class NodeKind {
    Field,
    Constant,
    Arithmetic,
    Function,
    Compare,
    TextMatch, // a text field "=" or "<>" a text literal, the common filter
    Like,
    IsNull,
    In,
    And,
    Or,
    Not,
};

enum class CompareOp { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual };
enum class ArithmeticOp { Add, Subtract, Multiply, Divide };

enum class Function {
    Upper,
    Lower,
    Substring,
    Trim,
    TrimLeft,
    TrimRight,
    Year,
    Month,
    Day,
    Hour,
    Minute,
    Second,
    Date,
    Time,
    GetDate,
    Sum,
    Avg,
    Min,
    Max,
    Count,
    CountAll,
};

/// Where a constant came from: a text literal or a number may still take the type of a
/// field it is compared with; NULL, True and False may not.
enum class ConstantOrigin { Keyword, Text, Number };

/// One node of a validated filter's expression tree. Sums, products and AND / OR chains
/// are n-ary, so the depth of the tree grows only with nesting, which the parser bounds.
struct ExprNode {
    NodeKind kind = NodeKind::Constant;
    ValueType type = ValueType::Null;
    /// Holds an aggregate function's value.
    bool aggregate = false;
    /// Depends on the record.
    bool recordVarying = false;

    int field = -1; // Field, TextMatch, Like on a field

    QVariant constant; // Constant
    ConstantOrigin origin = ConstantOrigin::Keyword;
    QString written;        // a number's characters as written
    bool badNumber = false; // a number whose characters are no number

    CompareOp compare = CompareOp::Equal;
    std::vector<ArithmeticOp> arithmetic; // arithmetic[i] joins children[i] and [i + 1]
    Function function = Function::Upper;
    bool negated = false; // IS NOT NULL

    std::vector<std::unique_ptr<ExprNode>> children;
    std::unique_ptr<TextMatcher> matcher; // TextMatch
    std::unique_ptr<LikePattern> pattern; // Like with a literal pattern

    bool isNullConstant() const { return kind == NodeKind::Constant && type == ValueType::Null; }
};

using NodePtr = std::unique_ptr<ExprNode>;

} // namespace sorvane::filter
