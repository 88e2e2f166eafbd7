#pragma once

#include "dataset/Field.h"
#include "dataset/filter/ExprNode.h"

#include <optional>

namespace sorvane::filter {

/// Which types the operators of the filter language combine, shared by validation and
/// evaluation.
class TypeRules {
public:
    static ValueType ofField(FieldType type);
    static bool isDateOrTime(ValueType type);
    /// Numbers combine by every operator; "+" also joins texts; a date or time moves by a
    /// number of days with "+" and "-"; two dates or two times subtract to days.
    static std::optional<ValueType> arithmetic(ValueType left, ArithmeticOp op, ValueType right);
    /// Values of these types can be compared with each other (NULL aside).
    static bool comparable(ValueType left, ValueType right);
};

} // namespace sorvane::filter
