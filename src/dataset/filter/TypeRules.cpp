#include "dataset/filter/TypeRules.h"

namespace sorvane::filter {

ValueType TypeRules::ofField(FieldType type)
{
    switch (type) {
    case FieldType::String:
        return ValueType::Text;
    case FieldType::Integer:
    case FieldType::Float:
        return ValueType::Number;
    case FieldType::Boolean:
        return ValueType::Boolean;
    case FieldType::Date:
        return ValueType::Date;
    case FieldType::Time:
        return ValueType::Time;
    case FieldType::DateTime:
        return ValueType::DateTime;
    }
    return ValueType::Null;
}

bool TypeRules::isDateOrTime(ValueType type)
{
    return type == ValueType::Date || type == ValueType::Time || type == ValueType::DateTime;
}

namespace {

bool isCalendar(ValueType type)
{
    return type == ValueType::Date || type == ValueType::DateTime;
}

} // namespace

std::optional<ValueType> TypeRules::arithmetic(ValueType left, ArithmeticOp op, ValueType right)
{
    if (left == ValueType::Number && right == ValueType::Number)
        return ValueType::Number;
    if (op == ArithmeticOp::Add) {
        if (left == ValueType::Text && right == ValueType::Text)
            return ValueType::Text;
        if (isDateOrTime(left) && right == ValueType::Number)
            return left;
        if (left == ValueType::Number && isDateOrTime(right))
            return right;
    }
    if (op == ArithmeticOp::Subtract) {
        if (isDateOrTime(left) && right == ValueType::Number)
            return left;
        if ((isCalendar(left) && isCalendar(right)) ||
            (left == ValueType::Time && right == ValueType::Time))
            return ValueType::Number;
    }
    return std::nullopt;
}

bool TypeRules::comparable(ValueType left, ValueType right)
{
    if (left == ValueType::Null || right == ValueType::Null)
        return true;
    return left == right || (isCalendar(left) && isCalendar(right));
}

} // namespace sorvane::filter
