#include "dataset/filter/Evaluator.h"

#include "dataset/filter/CaseFold.h"
#include "dataset/filter/TypeRules.h"
#include "dataset/filter/ValueConversion.h"

#include <QDateTime>
#include <cmath>

namespace sorvane::filter {

namespace {

constexpr double kMsecsPerDay = 86400000.0;
// Dates move by at most this many days (about 27 000 years); beyond it the result is null.
constexpr double kMaxDays = 1e7;

Truth truthOf(bool value)
{
    return value ? Truth::True : Truth::False;
}

int sign(qint64 difference)
{
    return difference < 0 ? -1 : difference > 0 ? 1 : 0;
}

// Both values are non-null and of types that TypeRules::comparable accepts.
int compareValues(const QVariant &a, ValueType type, const QVariant &b)
{
    switch (type) {
    case ValueType::Text:
        return CaseFold::compare(a.toString(), b.toString());
    case ValueType::Number: {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    case ValueType::Boolean:
        return int(a.toBool()) - int(b.toBool());
    case ValueType::Time:
        return sign(b.toTime().msecsTo(a.toTime()));
    case ValueType::Date:
    case ValueType::DateTime:
        return sign(ValueConversion::toDateTime(b).msecsTo(ValueConversion::toDateTime(a)));
    case ValueType::Null:
        break;
    }
    return 0;
}

bool holds(CompareOp op, int order)
{
    switch (op) {
    case CompareOp::Equal:
        return order == 0;
    case CompareOp::NotEqual:
        return order != 0;
    case CompareOp::Less:
        return order < 0;
    case CompareOp::Greater:
        return order > 0;
    case CompareOp::LessEqual:
        return order <= 0;
    case CompareOp::GreaterEqual:
        return order >= 0;
    }
    return false;
}

QVariant numberArithmetic(double x, ArithmeticOp op, double y)
{
    switch (op) {
    case ArithmeticOp::Add:
        return x + y;
    case ArithmeticOp::Subtract:
        return x - y;
    case ArithmeticOp::Multiply:
        return x * y;
    case ArithmeticOp::Divide:
        if (y == 0)
            return {};
        return x / y;
    }
    return {};
}

// A date moves by whole days (the fraction dropped), a date-time and a time by the
// fraction too; a time wraps around midnight.
QVariant moveBy(const QVariant &moment, ValueType type, double days)
{
    if (!std::isfinite(days) || std::fabs(days) > kMaxDays)
        return {};
    switch (type) {
    case ValueType::Date:
        return moment.toDate().addDays(qint64(std::trunc(days)));
    case ValueType::DateTime:
        return moment.toDateTime().addMSecs(std::llround(days * kMsecsPerDay));
    case ValueType::Time:
        return moment.toTime().addMSecs(
            int(std::fmod(std::llround(days * kMsecsPerDay), qint64(kMsecsPerDay))));
    default:
        return {};
    }
}

QVariant applyArithmetic(const QVariant &left, ValueType leftType, ArithmeticOp op,
                         const QVariant &right, ValueType rightType, ValueType result)
{
    if (leftType == ValueType::Number && rightType == ValueType::Number)
        return numberArithmetic(left.toDouble(), op, right.toDouble());
    if (result == ValueType::Text)
        return left.toString() + right.toString();
    if (result == ValueType::Number) { // two moments subtracted: days between them
        if (leftType == ValueType::Time)
            return right.toTime().msecsTo(left.toTime()) / kMsecsPerDay;
        return ValueConversion::toDateTime(right).msecsTo(ValueConversion::toDateTime(left)) /
               kMsecsPerDay;
    }
    if (TypeRules::isDateOrTime(leftType)) {
        const double days = right.toDouble();
        return moveBy(left, leftType, op == ArithmeticOp::Subtract ? -days : days);
    }
    return moveBy(right, rightType, left.toDouble());
}

bool isBlank(QChar c)
{
    return c.unicode() >= 1 && c.unicode() <= 32;
}

QString trim(const QString &text, Function side, const QVariant &characters)
{
    const bool chosen = !characters.isNull();
    const QString set = characters.toString();
    const auto trims = [&](QChar c) { return chosen ? set.contains(c) : isBlank(c); };
    qsizetype begin = 0;
    qsizetype end = text.size();
    if (side != Function::TrimRight) {
        while (begin < end && trims(text[begin]))
            ++begin;
    }
    if (side != Function::TrimLeft) {
        while (end > begin && trims(text[end - 1]))
            --end;
    }
    return text.mid(begin, end - begin);
}

// SUBSTRING counts from 1; a start before 1 is 1, a missing or too long length the rest.
QString substring(const QString &text, double start, double length)
{
    if (std::isnan(start) || std::isnan(length))
        return {};
    const double size = double(text.size());
    const double from = std::clamp(std::trunc(start) - 1, 0.0, size);
    const double count = std::clamp(std::trunc(length), 0.0, size - from);
    return text.mid(qsizetype(from), qsizetype(count));
}

QVariant datePart(Function function, const QVariant &value, ValueType type)
{
    QDate date;
    QTime time;
    if (type == ValueType::Time) {
        time = value.toTime();
    } else {
        const QDateTime moment = ValueConversion::toDateTime(value);
        if (moment.isValid()) {
            date = moment.date();
            time = moment.time();
        } else {
            time = ValueConversion::toTime(value);
        }
    }
    const auto ofDate = [&](int part) { return date.isValid() ? QVariant(part) : QVariant(); };
    const auto ofTime = [&](int part) { return time.isValid() ? QVariant(part) : QVariant(); };
    switch (function) {
    case Function::Year:
        return ofDate(date.year());
    case Function::Month:
        return ofDate(date.month());
    case Function::Day:
        return ofDate(date.day());
    case Function::Hour:
        return ofTime(time.hour());
    case Function::Minute:
        return ofTime(time.minute());
    case Function::Second:
        return ofTime(time.second());
    default:
        return {};
    }
}

} // namespace

Truth Evaluator::truth(const ExprNode &node, const TableData &table, RecordId id)
{
    switch (node.kind) {
    case NodeKind::TextMatch:
        if (table.isNull(id, node.field))
            return Truth::Unknown;
        return truthOf(node.matcher->matches(table.text(id, node.field)));
    case NodeKind::Compare:
        return compare(node, table, id);
    case NodeKind::Like:
        return like(node, table, id);
    case NodeKind::IsNull:
        return truthOf(value(*node.children.front(), table, id).isNull() != node.negated);
    case NodeKind::In:
        return in(node, table, id);
    case NodeKind::And:
    case NodeKind::Or: {
        // Three-valued: False decides AND, True decides OR, otherwise Unknown wins.
        const Truth decisive = node.kind == NodeKind::And ? Truth::False : Truth::True;
        Truth result = node.kind == NodeKind::And ? Truth::True : Truth::False;
        for (const NodePtr &child : node.children) {
            const Truth t = truth(*child, table, id);
            if (t == decisive)
                return decisive;
            if (t == Truth::Unknown)
                result = Truth::Unknown;
        }
        return result;
    }
    case NodeKind::Not: {
        const Truth t = truth(*node.children.front(), table, id);
        return t == Truth::Unknown ? t : truthOf(t == Truth::False);
    }
    default: {
        const QVariant v = value(node, table, id);
        return v.isNull() ? Truth::Unknown : truthOf(v.toBool());
    }
    }
}

QVariant Evaluator::value(const ExprNode &node, const TableData &table, RecordId id)
{
    switch (node.kind) {
    case NodeKind::Field:
        if (table.isNull(id, node.field))
            return {};
        return table.value(id, node.field);
    case NodeKind::Constant:
        return node.constant;
    case NodeKind::Arithmetic:
        return arithmetic(node, table, id);
    case NodeKind::Function:
        return function(node, table, id);
    default: {
        const Truth t = truth(node, table, id);
        return t == Truth::Unknown ? QVariant() : QVariant(t == Truth::True);
    }
    }
}

Truth Evaluator::compare(const ExprNode &node, const TableData &table, RecordId id)
{
    const QVariant a = value(*node.children[0], table, id);
    const QVariant b = value(*node.children[1], table, id);
    if (a.isNull() || b.isNull())
        return Truth::Unknown;
    return truthOf(holds(node.compare, compareValues(a, node.children[0]->type, b)));
}

Truth Evaluator::like(const ExprNode &node, const TableData &table, RecordId id)
{
    QString text;
    QStringView subject;
    if (node.field >= 0) {
        if (table.isNull(id, node.field))
            return Truth::Unknown;
        subject = table.text(id, node.field);
    } else {
        const QVariant left = value(*node.children[0], table, id);
        if (left.isNull())
            return Truth::Unknown;
        text = left.toString();
        subject = text;
    }
    if (node.pattern)
        return truthOf(node.pattern->matches(subject));
    const QVariant pattern = value(*node.children[1], table, id);
    if (pattern.isNull())
        return Truth::Unknown;
    return truthOf(LikePattern(pattern.toString(), false, false).matches(subject));
}

Truth Evaluator::in(const ExprNode &node, const TableData &table, RecordId id)
{
    const QVariant v = value(*node.children.front(), table, id);
    if (v.isNull())
        return Truth::Unknown;
    bool unknown = false;
    for (std::size_t i = 1; i < node.children.size(); ++i) {
        const QVariant element = value(*node.children[i], table, id);
        if (element.isNull())
            unknown = true;
        else if (compareValues(v, node.children.front()->type, element) == 0)
            return Truth::True;
    }
    return unknown ? Truth::Unknown : Truth::False;
}

QVariant Evaluator::arithmetic(const ExprNode &node, const TableData &table, RecordId id)
{
    QVariant result = value(*node.children[0], table, id);
    ValueType type = node.children[0]->type;
    for (std::size_t i = 0; i < node.arithmetic.size() && !result.isNull(); ++i) {
        const ExprNode &operand = *node.children[i + 1];
        const QVariant right = value(operand, table, id);
        if (right.isNull())
            return {};
        const ArithmeticOp op = node.arithmetic[i];
        const ValueType next = TypeRules::arithmetic(type, op, operand.type).value_or(type);
        result = applyArithmetic(result, type, op, right, operand.type, next);
        type = next;
    }
    return result;
}

QVariant Evaluator::function(const ExprNode &node, const TableData &table, RecordId id)
{
    const auto argument = [&](std::size_t index) {
        return index < node.children.size() ? value(*node.children[index], table, id) : QVariant();
    };
    const bool hasArgument = !node.children.empty();
    const QVariant first = argument(0);
    if (hasArgument && first.isNull() && node.function != Function::GetDate)
        return {};
    switch (node.function) {
    case Function::Upper:
        return first.toString().toUpper();
    case Function::Lower:
        return first.toString().toLower();
    case Function::Trim:
    case Function::TrimLeft:
    case Function::TrimRight: {
        const QVariant characters = argument(1);
        if (node.children.size() > 1 && characters.isNull())
            return {};
        return trim(first.toString(), node.function, characters);
    }
    case Function::Substring: {
        const QVariant start = argument(1);
        const QVariant length = argument(2);
        if ((node.children.size() > 1 && start.isNull()) ||
            (node.children.size() > 2 && length.isNull()))
            return {};
        const QString text = first.toString();
        return substring(text, start.isNull() ? 1.0 : start.toDouble(),
                         length.isNull() ? double(text.size()) : length.toDouble());
    }
    case Function::Year:
    case Function::Month:
    case Function::Day:
    case Function::Hour:
    case Function::Minute:
    case Function::Second:
        return datePart(node.function, first, node.children.front()->type);
    case Function::Date: {
        const QDate date = ValueConversion::toDate(first);
        return date.isValid() ? QVariant(date) : QVariant();
    }
    case Function::Time: {
        const QTime time = ValueConversion::toTime(first);
        return time.isValid() ? QVariant(time) : QVariant();
    }
    case Function::GetDate:
        return QDateTime::currentDateTime();
    default: // aggregates never reach evaluation: a filter refuses them
        return {};
    }
}

} // namespace sorvane::filter
